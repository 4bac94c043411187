#include "db/term_matcher.h"

#include <cstring>

#include "db/cp1252.h"

namespace tovalia {

TermMatcher::TermMatcher(const std::vector<SearchTerm>& terms) : upper_(UpperCaseTable()) {
  for (const SearchTerm& term : terms) {
    Term t{term.op, term.text, {0, 0}, 0};
    if (!t.text.empty()) {
      const auto first = static_cast<uint8_t>(t.text[0]);
      int count = 0;
      for (int b = 0; b < 256; ++b) {
        if (upper_[b] != first) continue;
        if (count < 2) t.firsts[count] = static_cast<uint8_t>(b);
        ++count;
      }
      t.firstCount = count <= 2 ? count : 0;
    }
    terms_.push_back(std::move(t));
  }
}

bool TermMatcher::Occurs(const Term& term, std::string_view text) const {
  const size_t m = term.text.size();
  if (m == 0) return true;
  if (m > text.size()) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto* word = reinterpret_cast<const uint8_t*>(term.text.data());
  const size_t last = text.size() - m;  // the last place a match can begin
  auto restMatches = [&](size_t at) {
    for (size_t k = 1; k < m; ++k)
      if (upper_[bytes[at + k]] != word[k]) return false;
    return true;
  };
  if (term.firstCount == 0) {
    for (size_t at = 0; at <= last; ++at)
      if (upper_[bytes[at]] == word[0] && restMatches(at)) return true;
    return false;
  }
  // The next place of each first byte; the nearer one is tried.
  auto next = [&](uint8_t b, size_t from) -> size_t {
    if (from > last) return SIZE_MAX;
    const void* found = std::memchr(bytes + from, b, last - from + 1);
    return found ? static_cast<size_t>(static_cast<const uint8_t*>(found) - bytes) : SIZE_MAX;
  };
  size_t a = next(term.firsts[0], 0);
  size_t b = term.firstCount == 2 ? next(term.firsts[1], 0) : SIZE_MAX;
  while (a != SIZE_MAX || b != SIZE_MAX) {
    if (a < b) {
      if (restMatches(a)) return true;
      a = next(term.firsts[0], a + 1);
    } else {
      if (restMatches(b)) return true;
      b = next(term.firsts[1], b + 1);
    }
  }
  return false;
}

bool TermMatcher::Satisfied(std::string_view text) const {
  size_t satisfied = 0;
  size_t anyOf = 0;
  bool anyOccurs = false;
  for (const Term& term : terms_) {
    switch (term.op) {
      case '+': satisfied += Occurs(term, text) ? 1 : 0; break;
      case '-': satisfied += Occurs(term, text) ? 0 : 1; break;
      default:
        ++anyOf;
        anyOccurs = anyOccurs || Occurs(term, text);
        break;
    }
  }
  if (anyOccurs) satisfied += anyOf;
  return satisfied == terms_.size();
}

}  // namespace tovalia
