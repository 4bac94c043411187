// What the fuzz targets share: the libFuzzer entry point, a private data
// folder per process, and a check that aborts so that libFuzzer (or the
// seed runner under CTest) reports the input that broke an invariant.
#pragma once

#include <stdlib.h>  // mkdtemp

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace tovalia::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::tovalia::fuzz::Fail(#condition, __FILE__, __LINE__))

// The folder is made on first use and removed at a normal exit. Its path is
// never freed: a static string finished after the exit handler was
// registered would be destroyed before that handler runs.
inline const std::string& ScratchFolder() {
  static const std::string* folder = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tovalia-fuzz-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    auto* made = new std::string(std::string(name.data()) + "/");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return made;
  }();
  return *folder;
}

// Every input starts from an empty folder: a file left by the previous input
// (an index, a half-written backup) would make runs depend on their order.
inline void ClearScratchFolder() {
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(ScratchFolder(), error)) {
    std::error_code ignored;
    std::filesystem::remove_all(item.path(), ignored);
  }
  FUZZ_CHECK(!error);
}

inline void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, file) == size);
  FUZZ_CHECK(std::fclose(file) == 0);
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  FUZZ_CHECK(file != nullptr);
  uint8_t chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  return bytes;
}

}  // namespace tovalia::fuzz
