// The command-line front end: `tovalia [--data DIR] COMMAND ...` runs one job
// over the data folder without a window and exits.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/command_help.h"

namespace tovalia {

// Exit statuses of a command-line run.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;     // the job could not be done (missing id, write error)
inline constexpr int kExitUsage = 2;      // a wrong command or argument; nothing was touched

// args excludes the program name. Output goes to out (UTF-8), messages to err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "unknown option "--chaptr" for "import"; did you mean "--chapter"?"; the
// command is empty for the options before a command.
std::string UnknownOptionMessage(const std::string& option, const std::vector<CommandOption>& known,
                                 const std::string& command);

// ""chaptrs" is not a command; did you mean "chapters"?"; group names the
// command whose subcommand word is (empty for a top-level word).
std::string UnknownCommandMessage(const std::string& word, const std::vector<std::string>& known,
                                  const std::string& group);

}  // namespace tovalia
