// Runs a fuzz target over saved inputs without libFuzzer, so that the normal
// test run (any compiler) replays the seed corpora. Arguments are files or
// folders; a folder's files run in name order so that runs are repeatable.
// A failed check or a sanitizer report aborts the process; a path that cannot
// be read fails too, so that a moved corpus cannot pass by running nothing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "fuzz_support.h"

namespace {

namespace fs = std::filesystem;

bool ReadInput(const fs::path& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  long ran = 0;
  bool unreadable = false;
  for (int i = 1; i < argc; ++i) {
    const fs::path argument(argv[i]);
    std::vector<fs::path> inputs;
    std::error_code error;
    if (fs::is_directory(argument, error)) {
      for (const fs::directory_entry& item : fs::directory_iterator(argument, error)) {
        if (item.is_regular_file()) inputs.push_back(item.path());
      }
      std::sort(inputs.begin(), inputs.end());
    } else if (fs::is_regular_file(argument, error)) {
      inputs.push_back(argument);
    }
    if (error || inputs.empty()) {
      std::fprintf(stderr, "%s: no inputs there\n", argv[i]);
      unreadable = true;
      continue;
    }
    for (const fs::path& input : inputs) {
      std::vector<uint8_t> bytes;
      if (!ReadInput(input, bytes)) {
        std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
        unreadable = true;
        continue;
      }
      // Printed first, so that a crash's output names the input that caused it.
      std::fprintf(stderr, "Running %s (%zu bytes)\n", input.c_str(), bytes.size());
      // libFuzzer never passes a null pointer, not even for an empty input.
      const uint8_t none = 0;
      LLVMFuzzerTestOneInput(bytes.empty() ? &none : bytes.data(), bytes.size());
      ++ran;
    }
  }
  std::printf("%ld inputs ran\n", ran);
  return unreadable ? 2 : 0;
}
