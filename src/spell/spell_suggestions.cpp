#include "spell/spell_suggestions.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "db/cp1252.h"

namespace tovalia {

namespace {

constexpr int kMostEdits = 2;
constexpr size_t kLongestWord = 64;

struct Candidate {
  int distance;
  bool otherFirstLetter;
  bool otherLength;
  int32_t entry;
  std::string text;
};

}  // namespace

int BoundedEditDistance(std::string_view a, std::string_view b, int limit) {
  const int n = static_cast<int>(a.size());
  const int m = static_cast<int>(b.size());
  if (std::abs(n - m) > limit) return limit + 1;
  if (a.size() >= kLongestWord || b.size() >= kLongestWord) return limit + 1;
  // Three rows of the optimal-string-alignment table, used in turn; only
  // the band of cells within `limit` of the diagonal can stay in bounds.
  const int outside = limit + 1;
  std::array<std::array<int, kLongestWord + 1>, 3> rows;
  for (auto& r : rows) r.fill(outside);
  for (int j = 0; j <= std::min(m, limit); ++j) rows[0][static_cast<size_t>(j)] = j;
  for (int i = 1; i <= n; ++i) {
    auto& row = rows[static_cast<size_t>(i % 3)];
    const auto& previous = rows[static_cast<size_t>((i + 2) % 3)];
    const auto& before = rows[static_cast<size_t>((i + 1) % 3)];
    const int from = std::max(1, i - limit);
    const int to = std::min(m, i + limit);
    row[0] = i <= limit ? i : outside;
    if (from > 1) row[static_cast<size_t>(from - 1)] = outside;  // the cells beside the band
    if (to < m) row[static_cast<size_t>(to + 1)] = outside;
    int smallest = row[0];
    for (int j = from; j <= to; ++j) {
      const size_t J = static_cast<size_t>(j);
      const int cost = a[static_cast<size_t>(i - 1)] == b[J - 1] ? 0 : 1;
      int value = std::min({previous[J] + 1, row[J - 1] + 1, previous[J - 1] + cost});
      if (i > 1 && j > 1 && a[static_cast<size_t>(i - 1)] == b[J - 2] && a[static_cast<size_t>(i - 2)] == b[J - 1])
        value = std::min(value, before[J - 2] + 1);
      row[J] = std::min(value, outside);
      smallest = std::min(smallest, row[J]);
    }
    if (smallest > limit) return outside;
  }
  return std::min(rows[static_cast<size_t>(n % 3)][static_cast<size_t>(m)], limit + 1);
}

std::vector<std::string> SuggestSpellings(const SpellDictionary& dictionary, std::string_view word, int most) {
  const std::string wanted = LowerCase(word);
  std::vector<Candidate> found;
  if (wanted.empty() || wanted.size() >= kLongestWord) return {};
  const bool apostrophe = wanted.find('\'') != std::string::npos;
  for (int32_t i = 0; i < dictionary.Count(); ++i) {
    const std::string_view entry = dictionary.Word(i);
    if (std::abs(static_cast<int>(entry.size()) - static_cast<int>(wanted.size())) > kMostEdits) continue;
    // "cook's" is no likely correction of "cooks" or "cok".
    if (!apostrophe && entry.find('\'') != std::string_view::npos) continue;
    if (entry.size() >= kLongestWord) continue;
    // Words are stored lower-cased; a foreign file's capitals are lowered here.
    std::array<char, kLongestWord> buffer;
    for (size_t k = 0; k < entry.size(); ++k) buffer[k] = static_cast<char>(LowerCaseByte(static_cast<uint8_t>(entry[k])));
    const std::string_view lowered(buffer.data(), entry.size());
    if (lowered == wanted) continue;
    const int distance = BoundedEditDistance(wanted, lowered, kMostEdits);
    if (distance > kMostEdits) continue;
    const std::string_view replacement = dictionary.Replacement(i);
    found.push_back({distance, lowered[0] != wanted[0], lowered.size() != wanted.size(), i,
                     replacement.empty() ? std::string(lowered) : LowerCase(replacement)});
  }
  std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
    if (a.distance != b.distance) return a.distance < b.distance;
    if (a.otherFirstLetter != b.otherFirstLetter) return !a.otherFirstLetter;
    if (a.otherLength != b.otherLength) return !a.otherLength;
    return a.entry < b.entry;
  });
  std::vector<std::string> suggestions;
  for (const Candidate& c : found) {
    if (static_cast<int>(suggestions.size()) >= most) break;
    if (c.text == wanted || std::find(suggestions.begin(), suggestions.end(), c.text) != suggestions.end()) continue;
    suggestions.push_back(c.text);
  }
  return suggestions;
}

}  // namespace tovalia
