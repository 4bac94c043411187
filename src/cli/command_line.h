// The command-line front end: `tovalia [--data DIR] COMMAND ...` runs one job
// over the data folder without a window and exits.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tovalia {

// Exit statuses of a command-line run.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;     // the job could not be done (missing id, write error)
inline constexpr int kExitUsage = 2;      // a wrong command or argument; nothing was touched

// args excludes the program name. Output goes to out (UTF-8), messages to err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text that `tovalia --help` prints.
std::string CommandLineUsage();

}  // namespace tovalia
