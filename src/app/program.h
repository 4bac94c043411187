// The window program: start-up, the screen loop and shut-down.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/clock.h"
#include "platform/platform.h"

namespace tovalia {

struct ProgramOptions {
  bool headless = false;
  std::string scriptPath;             // headless: the input script
  std::string dataFolder;             // empty: the default data folder
  std::optional<DisplayMode> screen;  // stands in for the desktop's mode
  std::optional<LocalDate> today;     // stands in for the system's date
  std::string fileToImport;           // a file to import once the window shows (full path)
};

// Exit statuses of a window run.
inline constexpr int kProgramEnded = 0;
inline constexpr int kProgramRefused = 1;       // another copy runs, or the display is unfit
inline constexpr int kProgramScriptFailed = 3;  // a headless script's check failed

int RunProgram(const ProgramOptions& options);

// Whether the arguments ask the command line for a job (a command word,
// --help, --version) rather than the window. A first word that is no command
// but names a file, or looks like a file name, is the window's file to open.
bool NamesACommand(const std::vector<std::string>& args);

// Parses the window program's own options (--headless, --script, --data,
// --screen WxH, --bpp N, --today YYYY-MM-DD) and the one file it may be given
// to import; false with a message on a bad one.
bool ParseProgramOptions(const std::vector<std::string>& args, ProgramOptions& options,
                         std::string& error);

}  // namespace tovalia
