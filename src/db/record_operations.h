// Changes to the collection built on the record operations: each leaves the
// index sorted and Index34.dat saved.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "db/database.h"

namespace tovalia {

// Appends a chapter record with the next free chapter number and makes its
// row current. Returns the number, or -1 when it could not be stored.
int32_t AddChapter(Database& db, std::string_view name);

// Stores the current record buffers (title, texts, servings already set) as a
// new recipe or text record in the chapter, with the next free RecipeId.
// Returns that id, or -1 when it could not be stored.
int32_t StoreNewRecordInChapter(Database& db, int32_t kind, int32_t chapterNumber);

// Deletes the records behind these index offsets: their entries become kind
// 3 and their records are flagged deleted in the file. False when the recipe
// file could not be opened for writing (nothing is changed then).
bool DeleteEntries(Database& db, const std::vector<int32_t>& offsets);

}  // namespace tovalia
