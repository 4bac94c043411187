// Likely corrections for a misspelled word: the dictionary words nearest to
// it by edit distance (a letter added, dropped, changed, or two neighbours
// swapped), at most two edits away.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "spell/spell_dictionary.h"

namespace tovalia {

inline constexpr int kMostSuggestions = 6;

// The nearest words, nearest first; among words as near, those that keep
// the first letter, then those of the same length, then in dictionary
// order. A "watch for" word is offered as its replacement. Lower case.
std::vector<std::string> SuggestSpellings(const SpellDictionary& dictionary, std::string_view word,
                                          int most = kMostSuggestions);

// The edit distance of two texts, or limit + 1 when it is above the limit.
int BoundedEditDistance(std::string_view a, std::string_view b, int limit);

}  // namespace tovalia
