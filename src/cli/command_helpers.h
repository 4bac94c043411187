// What several command-line commands share: reading numbers, refusing
// arguments, and the messages for a missing recipe or chapter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/commands.h"

namespace tovalia {

// The whole text as a number within the bounds, or nothing.
std::optional<int32_t> ParseInteger(const std::string& text, long minimum, long maximum);

ParsedCommand Refuse(std::string message);
// A job that only reads may share the data folder with other readers.
ParsedCommand ReadOnly(ParsedCommand command);

// Each prints its message and returns the failure status.
int NoRecipe(CommandContext& c, int32_t recipeId);
int NoChapter(CommandContext& c, int32_t number);

// The row of a real chapter (not a reserved view), or -1.
int32_t RowOfChapter(const Database& db, int32_t number);

}  // namespace tovalia
