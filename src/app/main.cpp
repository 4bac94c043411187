// The program's entry point: with a command it runs the command line;
// otherwise it opens the window (or runs it headless under a script).
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "cli/command_line.h"

namespace {

// A command word anywhere (not an option or an option's value) means a
// command-line run.
bool NamesACommand(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--data" || arg == "--script" || arg == "--screen" || arg == "--bpp" ||
        arg == "--today") {
      ++i;
    } else if (arg == "--help" || arg.rfind("--", 0) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (NamesACommand(args)) return tovalia::RunCommandLine(args, std::cout, std::cerr);
  tovalia::ProgramOptions options;
  std::string error;
  if (!tovalia::ParseProgramOptions(args, options, error)) {
    std::fprintf(stderr, "tovalia: %s\n", error.c_str());
    return 2;
  }
  return tovalia::RunProgram(options);
}
