// The program's entry point: with a command it runs the command line; on its
// own it opens the window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    // The window arrives with the screens; until then the program explains
    // what it can do from the command line.
    std::cout << tovalia::CommandLineUsage();
    return 0;
  }
  return tovalia::RunCommandLine(args, std::cout, std::cerr);
}
