// Pairs of recipes whose fingerprints agree closely, and which recipe of an
// exact pair is marked for deletion without asking.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "interchange/duplicate_fingerprints.h"
#include "ui/progress.h"

namespace tovalia {

// The accuracy levels the user picks from, as match thresholds: a pair
// needs 10 x (equal counters) >= threshold.
inline constexpr int32_t kBestMatching = 70;
inline constexpr int32_t kAverageMatching = 60;
inline constexpr int32_t kPoorMatching = 50;

struct DuplicateHalf {
  int32_t fingerprint = 0;  // which fingerprint (index order)
  int32_t position = 0;     // the record's position in Recipe34.dat
  bool marked = false;      // marked to delete
};

struct DuplicatePair {
  std::array<DuplicateHalf, 2> halves;  // in index order
};

// How many counters of two fingerprints are equal; 0 as soon as one pair
// of counters lies more than 2 apart.
int32_t EqualCounters(const WordCounters& a, const WordCounters& b);

// Whether two fingerprints make a duplicate pair at the threshold.
inline bool IsDuplicatePair(const WordCounters& a, const WordCounters& b, int32_t threshold) {
  return 10 * EqualCounters(a, b) >= threshold;
}

// Of two recipes whose counters are all equal, the one to delete (0 or 1):
// the one saved later; on the same day the one with the smaller photo; with
// photos of the same length the one stored later (the higher RecipeId), so
// that the copy goes and the recipe that meal plans name stays; the first
// only when even those agree.
int AutomaticMark(const RecipeFingerprint& first, const RecipeFingerprint& second);

struct DuplicateSearch {
  std::vector<DuplicatePair> pairs;  // by the first half's, then the second half's index order
  int32_t markedCount = 0;  // records marked, each counted once
  bool stopped = false;  // the user stopped the search; no pairs then
};

// Every pair (i, j), i before j in index order, whose fingerprints match at
// the threshold, with exact matches marked. Recipes are placed in cells by
// a few of their counters (each counter divided by 3, so that counters
// within 2 of each other lie in the same or neighbouring cells), and only
// recipes in the same or neighbouring cells are compared. Shows "Locating Duplicate Recipes" with the
// pairs found so far.
DuplicateSearch FindDuplicatePairs(const std::vector<RecipeFingerprint>& fingerprints, int32_t threshold,
                                   Progress& progress);

// The same pairs by comparing every fingerprint with every later one: the
// rule as it is defined, which the grouped search must agree with; kept
// for the benchmark and the tests.
DuplicateSearch FindDuplicatePairsByWalk(const std::vector<RecipeFingerprint>& fingerprints, int32_t threshold,
                                         Progress& progress);

// The records marked to delete, each once (a recipe may stand in several
// pairs), by position; and how many there are.
std::vector<int32_t> MarkedPositions(const std::vector<DuplicatePair>& pairs);
int32_t CountMarked(const std::vector<DuplicatePair>& pairs);

// Marks or unmarks one recipe of a pair, and with it the same recipe in
// every other pair, so that what is shown is what will be deleted.
void SetMark(std::vector<DuplicatePair>& pairs, size_t pair, size_t half, bool marked);
void ClearMarks(std::vector<DuplicatePair>& pairs);

}  // namespace tovalia
