#include "cli/command_line.h"

#include <algorithm>
#include <cstdlib>

#include "calendar/meal_plan_view.h"
#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/grocery_commands.h"
#include "cli/meal_commands.h"
#include "cli/spell_commands.h"
#include "cli/nearest_word.h"
#include "cli/terminal_progress.h"
#include "db/data_folder_lock.h"
#include "db/data_paths.h"
#include "platform/program_folder.h"
#include "state/database_lifecycle.h"
#include "state/settings.h"

namespace tovalia {

namespace {

constexpr int kFolderLockWaitMilliseconds = 5000;

int RefuseBusyFolder(std::ostream& err, const std::string& folder) {
  err << "tovalia: Tovalia is running on this data folder; close it first (" << folder << ").\n";
  return kExitFailed;
}

}  // namespace

std::string UnknownOptionMessage(const std::string& option, const std::vector<CommandOption>& known,
                                 const std::string& command) {
  std::vector<std::string> names;
  for (const CommandOption& o : known) names.push_back(o.name);
  std::string message = "unknown option \"" + option + "\"";
  if (!command.empty()) message += " for \"" + command + "\"";
  if (std::string nearest = NearestWord(option, names); !nearest.empty())
    return message + "; did you mean \"" + nearest + "\"?";
  if (command.empty()) return message + "; \"tovalia --help\" lists them.";
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return message + (list.empty() ? "; it takes none." : "; it takes " + list + ".");
}

std::string UnknownCommandMessage(const std::string& word, const std::vector<std::string>& known,
                                  const std::string& group) {
  const std::string shown = group.empty() ? word : group + " " + word;
  std::string message = "\"" + shown + "\" is not a command";
  std::string nearest = NearestWord(word, known);
  if (!nearest.empty()) {
    if (!group.empty()) nearest = group + " " + nearest;
    return message + "; did you mean \"" + nearest + "\"?";
  }
  return message + "; \"tovalia --help\" lists them.";
}

namespace {

// What the words after a command ask for, judged against the options its
// synopsis names: its help, a mistyped option, or its own parsing.
enum class OptionCheck { kRun, kHelp, kUnknown };

OptionCheck CheckCommandOptions(const CommandHelp& command, const std::vector<std::string>& args,
                                std::string& message) {
  const std::vector<CommandOption> known = CommandOptions(command);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 3 || arg.rfind("--", 0) != 0) continue;
    if (arg == "--help") return OptionCheck::kHelp;
    auto found = std::find_if(known.begin(), known.end(), [&](const CommandOption& o) { return o.name == arg; });
    if (found == known.end()) {
      message = UnknownOptionMessage(arg, known, std::string(command.name));
      return OptionCheck::kUnknown;
    }
    if (found->takesValue) ++i;  // a value may itself start with dashes
  }
  return OptionCheck::kRun;
}

// The subcommands a group's parser runs; empty for a plain command.
std::vector<std::string> DispatchedSubcommands(const std::string& command) {
  if (command == "grocery") return GroceryCommandNames();
  if (command == "meals") return MealCommandNames();
  if (command == "dictionary") return DictionaryCommandNames();
  return {};
}

// Help for a command named after "help" or before "--help": the entry of
// "grocery add", the list of "grocery", or nothing for an unknown name.
std::string HelpFor(const std::vector<std::string>& words) {
  if (words.empty()) return CommandLineUsage();
  if (!SubcommandsOf(words[0]).empty()) {
    if (words.size() > 1)
      if (const CommandHelp* help = FindCommandHelp(words[0] + " " + words[1])) return CommandUsage(*help);
    return GroupUsage(words[0]);
  }
  if (const CommandHelp* help = FindCommandHelp(words[0])) return CommandUsage(*help);
  return {};
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string dataFolder;
  int waitMilliseconds = kFolderLockWaitMilliseconds;
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("-", 0) == 0; ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      out << CommandLineUsage();
      return kExitOk;
    }
    if (args[i] == "--version") {
      out << VersionText();
      return kExitOk;
    }
    if (args[i] == "--wait") {
      char* end = nullptr;
      const std::string value = i + 1 < args.size() ? args[i + 1] : "";
      const double seconds = std::strtod(value.c_str(), &end);
      if (value.empty() || *end != '\0' || !(seconds >= 0) || seconds > 86400) {
        err << "tovalia: --wait needs a number of seconds.\n";
        return kExitUsage;
      }
      waitMilliseconds = static_cast<int>(seconds * 1000);
      ++i;
      continue;
    }
    if (args[i] != "--data") {
      err << "tovalia: " << UnknownOptionMessage(args[i], GeneralOptions(), "") << '\n';
      return kExitUsage;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      err << "tovalia: --data needs a folder.\n";
      return kExitUsage;
    }
    dataFolder = args[++i];
  }
  if (i >= args.size()) {
    err << "tovalia: no command given.\n" << CommandLineUsage();
    return kExitUsage;
  }
  const std::string& name = args[i];
  std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
  if (name == "help") {
    const std::string help = HelpFor(rest);
    if (help.empty()) {
      err << "tovalia: " << UnknownCommandMessage(rest[0], CommandNames(), "") << '\n';
      return kExitUsage;
    }
    out << help;
    return kExitOk;
  }
  const std::vector<std::string> names = CommandNames();
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    err << "tovalia: " << UnknownCommandMessage(name, names, "") << '\n';
    return kExitUsage;
  }

  // A group's subcommand names the entry; its options follow it.
  std::string entryName = name;
  size_t optionsFrom = 0;
  if (const std::vector<std::string> subcommands = DispatchedSubcommands(name); !subcommands.empty()) {
    if (rest.empty() || rest[0] == "--help") {
      if (rest.empty()) {
        err << "tovalia: \"" << name << "\" needs a subcommand.\n" << GroupUsage(name);
        return kExitUsage;
      }
      out << GroupUsage(name);
      return kExitOk;
    }
    if (std::find(subcommands.begin(), subcommands.end(), rest[0]) == subcommands.end()) {
      err << "tovalia: " << UnknownCommandMessage(rest[0], subcommands, name) << '\n';
      return kExitUsage;
    }
    entryName += " " + rest[0];
    optionsFrom = 1;
  }
  // A command the table does not describe yet is left to its own parser.
  if (const CommandHelp* help = FindCommandHelp(entryName)) {
    std::string message;
    switch (CheckCommandOptions(*help, std::vector<std::string>(rest.begin() + static_cast<long>(optionsFrom), rest.end()),
                                message)) {
      case OptionCheck::kHelp:
        out << CommandUsage(*help);
        return kExitOk;
      case OptionCheck::kUnknown:
        err << "tovalia: " << message << '\n';
        return kExitUsage;
      case OptionCheck::kRun:
        break;
    }
  }
  ParsedCommand command = ParseCommand(name, rest);
  if (!command.job) {
    err << "tovalia: " << command.error << '\n';
    return kExitUsage;
  }

  const DataFolderChoice choice = ChooseDataFolder(dataFolder);
  const std::string& folder = choice.folder;
  if (!MakeFolder(folder)) {
    err << "tovalia: the data folder \"" << folder << "\" cannot be created.\n";
    return kExitFailed;
  }
  TerminalProgress progress;
  Database db(DataPaths::ForDataFolder(folder));
  db.progress = &progress;

  DataFolderLock lock(db.paths.dataFolder);
  FolderAccess access = command.access;
  if (!lock.Acquire(access, waitMilliseconds)) return RefuseBusyFolder(err, folder);
  Settings settings(db.paths.setupFile);
  const int32_t storedWaste = GetNumberSetting(settings, setting::kWastedBytes);
  StartupReport startup = BringDatabaseUp(db, settings, access);
  if (startup.needsWriter) {
    // The files need repairing first, which only a writer may do.
    access = FolderAccess::kWrite;
    if (!lock.Acquire(access, waitMilliseconds)) return RefuseBusyFolder(err, folder);
    startup = BringDatabaseUp(db, settings, access);
  }

  MealCalendar meals(db.paths.eventFile);
  AttachMealCalendar(db, meals);
  CommandContext context{db, settings, meals, startup, out, err, DescribeOrigin(choice.origin)};
  int status = command.job(context);
  DetachMealCalendar(db);
  if (access == FolderAccess::kRead) return status;
  if (status == kExitOk) {
    ShutDatabaseDown(db, settings);
  } else if (db.wastedBytes != storedWaste) {
    // A failed job changed nothing, but what start-up did must still be kept.
    PutNumberSetting(settings, setting::kWastedBytes, db.wastedBytes);
  }
  return status;
}

}  // namespace tovalia
