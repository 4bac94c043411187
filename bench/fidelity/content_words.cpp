#include "content_words.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "db/cp1252.h"

namespace tovalia::fidelity {

namespace {

// Every form of a unit that the import rewrites or a source abbreviates.
const std::set<std::string>& UnitWords() {
  static const std::set<std::string> words = {
      "teaspoon", "teaspoons", "tsp", "tsps", "tspn", "tablespoon", "tablespoons", "tbs", "tbsp", "tbsps",
      "tbl", "tbls", "tblsp", "tab", "dash", "dashes", "cup", "cups", "pint", "pints", "quart", "quarts",
      "gallon", "gallons", "liter", "liters", "litre", "litres", "ounce", "ounces", "pound", "pounds",
      "small", "medium", "med", "large", "square", "squares", "can", "cans", "package", "packages", "pkg",
      "pkgs", "pinch", "pinchs", "pinches", "drop", "drops", "carton", "cartons", "bunch", "bunches",
      "bunchs", "slice", "slices", "clove", "cloves", "milliliter", "milliliters", "deciliter",
      "deciliters", "milligram", "milligrams", "gram", "grams", "box", "boxes", "each"};
  return words;
}

bool IsLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7) ||
         c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

bool IsAmount(const std::string& word) {
  if (word.empty() || !(word[0] >= '0' && word[0] <= '9')) return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.'; });
}

bool IsUnitWord(const std::string& word) {
  static const std::set<std::string> shortUnits = {"x", "sm", "md", "lg", "cn", "pk", "pn", "dr", "ds", "ct", "bn",
                                                   "sl", "ea", "t", "ts", "tb", "fl", "c", "pt", "qt", "ga", "oz",
                                                   "lb", "lbs", "ml", "cb", "cl", "dl", "l", "mg", "cg", "g", "kg"};
  const std::string lower = LowerCase(word);
  return shortUnits.count(lower) > 0 || UnitWords().count(lower) > 0;
}

}  // namespace

std::map<std::string, int> ContentWords(const std::vector<std::string>& lines) {
  std::map<std::string, int> words;
  for (const std::string& line : lines) {
    size_t i = 0;
    while (i < line.size()) {
      if (!IsLetter(static_cast<unsigned char>(line[i]))) {
        ++i;
        continue;
      }
      size_t end = i;
      while (end < line.size() && IsLetter(static_cast<unsigned char>(line[end]))) ++end;
      if (end - i >= 3) {
        const std::string word = LowerCase(line.substr(i, end - i));
        // "MMMMM" opens Meal-Master's heading lines; it is no word.
        if (UnitWords().count(word) == 0 && word != "mmmmm") ++words[word];
      }
      i = end;
    }
  }
  return words;
}

WordShare CompareWords(const std::map<std::string, int>& source, const std::map<std::string, int>& stored) {
  WordShare share;
  for (const auto& [word, count] : source) {
    share.sourceWords += count;
    const auto found = stored.find(word);
    if (found != stored.end()) share.keptWords += std::min(count, found->second);
  }
  return share;
}

namespace {

// Whether the source writes the word and a number after it with one blank
// between, as an author does inside one ingredient ("Cumin, 1/8 ts").
bool WrittenTogether(const std::string& word, const std::vector<std::string>& sourceLines) {
  const std::string wanted = word + " ";
  for (const std::string& line : sourceLines) {
    for (size_t at = line.find(wanted); at != std::string::npos; at = line.find(wanted, at + 1)) {
      const size_t next = at + wanted.size();
      if (next < line.size() && line[next] >= '0' && line[next] <= '9' && (at == 0 || line[at - 1] == ' '))
        return true;
    }
  }
  return false;
}

}  // namespace

bool HoldsTwoIngredients(const std::string& line, const std::vector<std::string>& sourceLines) {
  std::vector<std::string> words;
  std::istringstream split(line);
  for (std::string word; split >> word;) words.push_back(word);
  int depth = 0;
  for (size_t k = 0; k < words.size(); ++k) {
    const std::string& word = words[k];
    if (k >= 3 && depth == 0 && IsAmount(word)) {
      size_t next = k + 1;
      // "1 1/2" reads as one amount.
      if (next < words.size() && IsAmount(words[next]) && words[next].find('/') != std::string::npos) ++next;
      if (next < words.size() && IsUnitWord(words[next])) ++next;
      const std::string& before = words[k - 1];
      const std::string lowerBefore = LowerCase(before);
      const bool joined = lowerBefore == "to" || lowerBefore == "or" || lowerBefore == "and" ||
                          lowerBefore == "plus" || lowerBefore == "+" || lowerBefore == "-" ||
                          lowerBefore == "x" || lowerBefore == "of" || lowerBefore == "about" ||
                          before.back() == ';' || before.back() == ',' || before.back() == ':';
      if (next < words.size() && !joined) {
        const unsigned char first = static_cast<unsigned char>(words[next][0]);
        const bool capital = (first >= 'A' && first <= 'Z') || (first >= 0xC0 && first <= 0xDE);
        if (capital && !WrittenTogether(before, sourceLines)) return true;
      }
    }
    for (char c : word) {
      if (c == '(') ++depth;
      if (c == ')' && depth > 0) --depth;
    }
  }
  return false;
}

}  // namespace tovalia::fidelity
