// The views the user picks from: the recipe list of a chapter or reserved
// view, and lookups in the chapter table.
#pragma once

#include <cstdint>
#include <string>

#include "db/database.h"

namespace tovalia {

// Fills recipeList with the index offsets of the view's recipes and text
// records, in title order, and clears selectionFlags.
void BuildRecipeList(Database& db, int32_t chapterNumber);

// Makes the first row with that number current (row 0 when there is none)
// and returns it.
int32_t FindChapterRow(Database& db, int32_t chapterNumber);

// The name of the first row with that number, or an empty text.
std::string ChapterName(const Database& db, int32_t chapterNumber);

// Makes the item at the position (clamped to the list) the current one and
// the only one selected.
void SelectOnly(Database& db, int32_t position);

// Selects every item from one position to the other, both included
// (clamped to the list); the other selections stay.
void SelectRange(Database& db, int32_t from, int32_t to);

// List position := the first item with that RecipeId, else 0; selects it.
void SelectRecipeById(Database& db, int32_t recipeId);

// Rebuilds the list of the current chapter row.
void BuildCurrentList(Database& db);

// The index offset of the live recipe or text record with that number, or -1.
int32_t FindEntryByRecipeId(const Database& db, int32_t recipeId);

}  // namespace tovalia
