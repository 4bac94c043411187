// The chapter menu's operations. Each leaves the index sorted and saved,
// the current chapter's list rebuilt and one item selected.
#pragma once

#include <cstdint>
#include <string_view>

#include "db/database.h"

namespace tovalia {

// Appends a chapter record with the next free chapter number and makes its
// row current. Returns the number, or -1 when it could not be stored.
int32_t AddChapter(Database& db, std::string_view name);

// Replaces the current chapter's record with one of the new name (same
// number). False when the current row is a reserved view or nothing could be
// stored.
bool RenameChapter(Database& db, std::string_view name);

// Deletes the current chapter and every recipe and text record in it, then
// makes the row above current.
bool DeleteChapter(Database& db);

// Deletes every chapter that holds no recipe or text record, then opens
// "All Recipes". Returns how many went.
int32_t PurgeEmptyChapters(Database& db);

// Marks for "Search Results" the contents of every chapter whose name holds
// the text (compared lower-cased), saves the flags and opens that view.
// Returns the number of recipes found.
int32_t FindChapters(Database& db, std::string_view text);

// The number of recipes and text records filed in the chapter.
int32_t RecipesInChapter(const Database& db, int32_t chapterNumber);

}  // namespace tovalia
