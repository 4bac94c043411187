// Finding a query's terms in a record's text the way the search compares
// them (upper-cased), straight in the record's bytes: no upper-cased copy
// of the text is made, and only the places that begin with a term's first
// letter, in either case, are compared further.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/record_search.h"

namespace tovalia {

class TermMatcher {
 public:
  explicit TermMatcher(const std::vector<SearchTerm>& terms);
  // The answer TermsSatisfied gives for the upper-cased text.
  bool Satisfied(std::string_view text) const;

 private:
  struct Term {
    char op;
    std::string text;      // upper-cased
    uint8_t firsts[2];     // the bytes that upper-case to its first byte
    int firstCount;        // 1 or 2; 0 when there are more (looked up byte by byte)
  };
  bool Occurs(const Term& term, std::string_view text) const;

  std::vector<Term> terms_;
  const uint8_t* upper_;
};

}  // namespace tovalia
