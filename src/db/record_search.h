// Searching the collection for words and phrases: the query's terms, and
// the search that sets every entry's search flag for "Search Results".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"

namespace tovalia {

struct SearchTerm {
  char op;           // '+' must occur, '-' must not occur, '/' one of these must occur
  std::string text;  // upper-cased word or phrase
  bool operator==(const SearchTerm&) const = default;
};

inline constexpr size_t kMostSearchTerms = 100;

// Words are runs of letters, digits and apostrophes; a quoted text is a
// phrase. The character just before a word or the opening quote decides its
// operator: "-" excludes, "/" joins the any-of group, anything else requires.
std::vector<SearchTerm> ParseQuery(std::string_view query);

// Whether the terms are satisfied by a text (compared upper-cased): every
// "+" term occurs, no "-" term occurs, and, when there are "/" terms, at
// least one of them occurs. No terms at all are always satisfied.
bool TermsSatisfied(const std::vector<SearchTerm>& terms, std::string_view upperCasedText);

struct SearchOptions {
  bool titles = true;
  bool ingredients = false;
  bool directions = false;
  bool allChapters = true;
};

// What the user is told when a search found nothing.
std::string NoMatchesMessage(std::string_view query);

// Sets the search flag of every recipe and text record, saves Index34.dat
// and opens "Search Results" with its first item selected. Records outside
// the current chapter (unless allChapters) are searched as empty texts.
// Typing a space stops the search; entries not reached are left out.
// Returns the number of matches.
int32_t SearchRecords(Database& db, std::string_view query, const SearchOptions& options);

}  // namespace tovalia
