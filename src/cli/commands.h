// The jobs behind each command-line command. A command is parsed and
// checked first (nothing touched yet); the job then runs over a database
// that has been brought up as at start-up.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "calendar/meal_calendar.h"
#include "db/data_folder_lock.h"
#include "db/database.h"
#include "state/database_lifecycle.h"
#include "state/settings.h"

namespace tovalia {

struct CommandContext {
  Database& db;
  Settings& settings;
  MealCalendar& meals;
  const StartupReport& startup;
  std::ostream& out;
  std::ostream& err;
  std::string dataFolderOrigin = {};  // why this data folder: "beside the program", ...
};

// Returns an exit status.
using CommandJob = std::function<int(CommandContext&)>;

struct ParsedCommand {
  CommandJob job;
  std::string error;  // set when the arguments are wrong; job is empty then
  // Jobs that only read share the data folder with other readers; every
  // other job has it to itself.
  FolderAccess access = FolderAccess::kWrite;
};

// The names of the commands, in order.
std::vector<std::string> CommandNames();

// Parses the command and its arguments; reads files the command names.
ParsedCommand ParseCommand(const std::string& name, const std::vector<std::string>& args);

}  // namespace tovalia
