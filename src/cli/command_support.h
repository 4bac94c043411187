// What every command-line command's parser and job share: reading numbers
// and record texts, refusing arguments, marking read-only jobs, reporting
// failed writes, and turning a window message into one line for standard
// error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "db/record_operations.h"

namespace tovalia {

// A whole decimal number within the bounds, or nothing.
std::optional<int32_t> ParseInteger(const std::string& text, long minimum, long maximum);

// A command refused before anything is touched, with its message.
ParsedCommand Refuse(std::string message);

// A job that only reads may share the data folder with other readers.
ParsedCommand ReadOnly(ParsedCommand command);

// Tabs and line ends would break the tab-separated output and the screens'
// one-line lists.
bool HasControlCharacter(std::string_view text);

// A text file named on the command line, as record text: CP1252 with lines
// ending in CR alone and no line end after the last line.
bool ReadRecordTextFile(const std::string& path, std::string& text, std::string& error);

// The exit status of a write, with its message on standard error.
int Reported(CommandContext& c, const WriteReport& report);

// A message in the window's notation ("|" starts a line) as one line.
std::string MessageAsLine(const std::string& message);

// Each prints its message and returns the failure status.
int NoRecipe(CommandContext& c, int32_t recipeId);
int NoChapter(CommandContext& c, int32_t number);

// The row of a real chapter (not a reserved view), or -1.
int32_t RowOfChapter(const Database& db, int32_t number);

}  // namespace tovalia
