// The word statistics that stand for a recipe when looking for copies of
// it: ten small counters of its words, made in one read of its texts.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "db/database.h"

namespace tovalia {

// Words whose first letter is A-F, G-L, M-R, S-Z; words of 2, 3, 4, 5, 6
// and 7 letters. Each count is kept in a byte, halved while above 255.
inline constexpr size_t kFingerprintCounters = 10;
using WordCounters = std::array<uint8_t, kFingerprintCounters>;

struct RecipeFingerprint {
  int32_t position = 0;  // of the record in Recipe34.dat
  int32_t photoLength = 0;
  int32_t recipeId = 0;
  int32_t savedYear = 0;
  int32_t savedMonth = 0;
  int32_t savedDay = 0;
  WordCounters counters{};
};

// The counters of a block of text (title, ingredients and directions as
// stored, one after the other). A word is a run from a letter (A-Z, a-z) to
// the last letter before a byte below "0" other than the apostrophe; digits
// and other bytes from "0" up lie inside a word without ending it. A word
// still open at the last byte ends there only when that byte is no letter.
// Counting stops once more than 65534 words were counted.
WordCounters CountWords(std::string_view block);

// A count in one byte: halved, to the nearest whole number with halves to
// even, while it is above 255.
uint8_t CounterByte(int32_t count);

// The fingerprints of every recipe and text record, in index order
// (chapters and deleted records are passed over, as are records whose
// header is damaged). Shows "Gathering Recipe Statistics"; false when the
// user stopped it, and then `fingerprints` is empty.
bool GatherFingerprints(Database& db, std::vector<RecipeFingerprint>& fingerprints);

}  // namespace tovalia
