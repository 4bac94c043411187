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
};

// Exit statuses of a window run.
inline constexpr int kProgramEnded = 0;
inline constexpr int kProgramRefused = 1;       // another copy runs, or the display is unfit
inline constexpr int kProgramScriptFailed = 3;  // a headless script's check failed

int RunProgram(const ProgramOptions& options);

// Parses the window program's own options (--headless, --script, --data,
// --screen WxH, --bpp N, --today YYYY-MM-DD); false with a message on a bad one.
bool ParseProgramOptions(const std::vector<std::string>& args, ProgramOptions& options,
                         std::string& error);

}  // namespace tovalia
