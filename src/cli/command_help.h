// What each command-line command takes and does, in one table: `tovalia
// --help` lists it one line a command, `tovalia COMMAND --help` shows one
// entry whole, the manual page is written from it, and the options a
// command knows are read from its synopsis.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

struct CommandHelp {
  std::string_view name;      // "titles", "grocery add"
  std::string_view synopsis;  // what follows the name: "[CHAPTER]"
  std::string_view summary;   // one line for the list of commands
  std::string_view details;   // a paragraph: what it prints, reads and writes
};

// Every command, in the order the list shows them.
const std::vector<CommandHelp>& CommandHelps();

// The entry of a command ("grocery add"), or nullptr.
const CommandHelp* FindCommandHelp(std::string_view name);

// A group's subcommands ("grocery" gives "list", "add", ...), empty for a
// plain command.
std::vector<std::string> SubcommandsOf(std::string_view group);

// The options a command knows: every "--word" of its synopsis, with whether
// a value follows it there ("--chapter N" does, "--text" does not).
struct CommandOption {
  std::string name;
  bool takesValue = false;
};
std::vector<CommandOption> CommandOptions(const CommandHelp& command);

// The options before the command, and those of the window program.
const std::vector<CommandOption>& GeneralOptions();
const std::vector<CommandOption>& WindowOptions();

// The text `tovalia --help` prints: the usages, one line a command, the options.
std::string CommandLineUsage();

// The text `tovalia COMMAND --help` prints.
std::string CommandUsage(const CommandHelp& command);
// `tovalia grocery --help`: the group's usage and its subcommands, one line each.
std::string GroupUsage(std::string_view group);

// The version line of `tovalia --version`.
std::string VersionText();

// Words wrapped to lines of at most width characters (a longer word stands
// alone), each line starting with indent.
std::string WrapText(std::string_view text, size_t width, std::string_view indent);

}  // namespace tovalia
