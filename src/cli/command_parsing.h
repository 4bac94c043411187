// Small helpers every command-line parser shares: numbers, refusals and
// read-only jobs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"

namespace tovalia {

// A whole decimal number within [minimum, maximum], or nullopt.
std::optional<int32_t> ParseInteger(const std::string& text, long minimum, long maximum);

// A command refused with a message; nothing will run.
inline ParsedCommand Refuse(std::string message) { return {nullptr, std::move(message)}; }

// A job that only reads may share the data folder with other readers.
inline ParsedCommand ReadOnly(ParsedCommand command) {
  command.access = FolderAccess::kRead;
  return command;
}

// Tabs and line ends would break the tab-separated output and the screens'
// one-line lists.
bool HasControlCharacter(std::string_view text);

}  // namespace tovalia
