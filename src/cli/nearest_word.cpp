#include "cli/nearest_word.h"

#include <algorithm>
#include <cctype>

namespace tovalia {

namespace {

std::string Bare(std::string_view word) {
  while (!word.empty() && word.front() == '-') word.remove_prefix(1);
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

size_t TypingDistance(std::string_view a, std::string_view b) {
  const std::string x = Bare(a);
  const std::string y = Bare(b);
  // Optimal string alignment distance over three rows.
  std::vector<size_t> before(y.size() + 1), previous(y.size() + 1), current(y.size() + 1);
  for (size_t j = 0; j <= y.size(); ++j) previous[j] = j;
  for (size_t i = 1; i <= x.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= y.size(); ++j) {
      const size_t change = x[i - 1] == y[j - 1] ? 0 : 1;
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + change});
      if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1])
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    before.swap(previous);
    previous.swap(current);
  }
  return previous[y.size()];
}

std::string NearestWord(std::string_view word, const std::vector<std::string>& candidates) {
  const std::string bare = Bare(word);
  if (bare.empty()) return {};
  const size_t allowed = std::clamp<size_t>(bare.size() / 3, 1, 3);
  std::string nearest;
  size_t best = allowed + 1;
  for (const std::string& candidate : candidates) {
    const size_t distance = TypingDistance(bare, candidate);
    if (distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  if (!nearest.empty()) return nearest;
  // "--sort" for "--sort-by-category": the start of exactly one word.
  std::string begun;
  for (const std::string& candidate : candidates) {
    if (Bare(candidate).rfind(bare, 0) == 0) {
      if (!begun.empty()) return {};
      begun = candidate;
    }
  }
  return begun;
}

}  // namespace tovalia
