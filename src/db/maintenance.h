// Keeping the append-only recipe file lean and current: compaction drops
// dead copies and damaged stretches, and the start-up header check brings
// files of older formats to the current one.
#pragma once

#include "db/database.h"

namespace tovalia {

// Rewrites Recipe34.dat with only the records the index lists, in title
// order, behind a fresh file header, and rebuilds the index with the new
// positions ("Updating Records"). The new file is written as Recipe34.bak
// and renamed over the old one in one step, so a crash leaves one whole
// file or the other. False when it could not be written; the old file is
// then kept as it was.
bool CompactDatabase(Database& db);

enum class HeaderCheckOutcome { kNoRecipeFile, kHeaderRewritten, kCompacted, kHeaderCurrent };

// Start-up check of the recipe file's header: a current file gets its
// header rewritten (version and date), any other file is compacted.
HeaderCheckOutcome CheckFileHeader(Database& db);

// Whether the recipe file starts with a current file header (what
// CheckFileHeader looks at, without writing).
bool FileHeaderIsCurrent(const Database& db);

// Reads every record the index lists and counts the entries whose record
// is not whole or is not the one the entry names (kind, RecipeId, chapter,
// title). 0 for a sound collection.
int32_t CountDamagedEntries(const Database& db);

}  // namespace tovalia
