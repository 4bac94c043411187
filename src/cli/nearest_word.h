// The known word a mistyped one was most likely meant to be, for the
// command line's "did you mean" hints.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

// The number of single-letter insertions, deletions, changes and swaps of
// neighbours that turn one word into the other, ignoring case.
size_t TypingDistance(std::string_view a, std::string_view b);

// The candidate nearest to word, or an empty text when none is near enough
// to be a plausible slip: within a third of the word's letters (at least
// one, at most three), or a candidate the word uniquely begins.
// Leading dashes take no part in the comparison.
std::string NearestWord(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace tovalia
