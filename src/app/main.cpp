// The program's entry point: with a command it runs the command line;
// otherwise it opens the window (or runs it headless under a script),
// importing the one file it may be handed.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "cli/command_line.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (tovalia::NamesACommand(args)) return tovalia::RunCommandLine(args, std::cout, std::cerr);
  tovalia::ProgramOptions options;
  std::string error;
  if (!tovalia::ParseProgramOptions(args, options, error)) {
    std::fprintf(stderr, "tovalia: %s\n", error.c_str());
    return 2;
  }
  return tovalia::RunProgram(options);
}
