// "Locate Duplicates" apart from its screens: the fingerprints of the whole
// collection, the pairs they give, and deleting the recipes marked in them.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "db/database.h"
#include "db/record_operations.h"
#include "interchange/duplicate_fingerprints.h"
#include "interchange/duplicate_pairs.h"

namespace tovalia {

struct DuplicateFinding {
  std::vector<RecipeFingerprint> fingerprints;  // the pairs' halves name these
  DuplicateSearch search;                       // stopped: either stage was stopped
};

// Gathers the fingerprints and finds the pairs at the threshold, with the
// progress of both stages on db.progress.
DuplicateFinding LocateDuplicates(Database& db, int32_t threshold);

// The index offset of every recipe and text record, by its record's position.
std::unordered_map<int32_t, int32_t> EntriesByPosition(const Database& db);

struct DuplicateDeletion {
  int32_t deleted = 0;  // records deleted
  WriteReport report;   // what went wrong, when something did
  bool compacted = false;
};

// Deletes every record marked in the pairs, each once, after checking that
// the index still names it; when any was deleted, the recipe file is
// compacted. The recipe list of the current chapter is rebuilt.
DuplicateDeletion DeleteMarkedDuplicates(Database& db, const std::vector<DuplicatePair>& pairs);

}  // namespace tovalia
