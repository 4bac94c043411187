// MasterCook bodies have a known shape: under the dashes of the "Amount
// Measure Ingredient" heading, one ingredient a line (amount in columns
// 1-8, measure in 11-22, the ingredient from column 25) down to the empty
// line that the columns do not go on after; then the directions; then, after the "- - - -" line, the
// notes, which end the directions as their last paragraph. A line with
// empty amount and measure columns either names an ingredient of its own
// or goes on with the one above; it goes on where the one above is left
// open (a bracket, a comma, "and", "or", ...), was wrapped at its width, or
// where it is a preparation ("at room temperature", "drained").
#include <algorithm>
#include <array>

#include "db/cp1252.h"
#include "interchange/body_split.h"
#include "interchange/import_lines.h"

namespace tovalia {

namespace {

constexpr size_t kMeasureColumn = 8;
constexpr size_t kIngredientColumn = 24;
// MasterCook wraps ingredient text (converted from Meal-Master's 28
// columns) near this width.
constexpr size_t kWrapWidth = 26;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsLowerLetter(char c) { return c >= 'a' && c <= 'z'; }

std::string LastWord(std::string_view text) {
  const size_t blank = text.find_last_of(' ');
  return LowerCase(blank == std::string_view::npos ? text : text.substr(blank + 1));
}

size_t FirstWordLength(std::string_view text) {
  const size_t blank = text.find(' ');
  return blank == std::string_view::npos ? text.size() : blank;
}

// Whether the ingredient text above is left open, so that the next line
// goes on with it.
bool LeftOpen(std::string_view above, std::string_view next) {
  if (above.empty() || next.empty()) return false;
  if (std::count(above.begin(), above.end(), '(') > std::count(above.begin(), above.end(), ')')) return true;
  const char last = above.back();
  if (last == ',' || last == '-' || last == '/' || last == '&' || last == '+') return true;
  static constexpr std::array<std::string_view, 18> kJoining = {
      "and", "or", "of", "with", "to", "in", "into", "for", "the", "a", "an", "at", "on", "about", "plus", "from", "by", "per"};
  if (std::find(kJoining.begin(), kJoining.end(), LastWord(above)) != kJoining.end()) return true;
  if (!IsLowerLetter(next.front())) return false;
  // A word that would not have fitted on the line above was wrapped.
  if (above.size() + 1 + FirstWordLength(next) > kWrapWidth) return true;
  // A preparation goes on with its ingredient: "at room temperature",
  // "drained", "finely chopped".
  const std::string first = LowerCase(next.substr(0, FirstWordLength(next)));
  static constexpr std::array<std::string_view, 12> kLeading = {"at", "to", "for", "in", "into", "with", "without",
                                                                "or", "and", "plus", "about", "until"};
  const bool participle = first.size() > 3 && (first.ends_with("ed") || first.ends_with("ly"));
  return participle || std::find(kLeading.begin(), kLeading.end(), first) != kLeading.end();
}

bool IsAmountCharacter(char c) { return c == ' ' || (c >= '0' && c <= '9') || c == '.' || c == '/' || c == '-'; }

// MasterCook's mark of an empty ingredient list.
bool IsNoneMark(const std::string& line) { return CleanLine(line) == "***** NONE *****"; }

std::string Cell(std::string_view line, size_t from, size_t to) {
  if (line.size() <= from) return {};
  return TrimBlanks(line.substr(from, to - from));
}

// An ingredient line in the columns: an amount in the amount column.
bool InColumns(const std::string& line) {
  const std::string_view amount = std::string_view(line).substr(0, std::min(line.size(), kMeasureColumn));
  return std::all_of(amount.begin(), amount.end(), IsAmountCharacter) &&
         std::any_of(amount.begin(), amount.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether the ingredients go on after the empty line at `at`: the next
// line is in the columns, or is a sub-heading (no amount) over such a line.
bool IngredientsGoOn(const std::vector<std::string>& lines, size_t at) {
  auto nextFilled = [&lines](size_t i) {
    while (i < lines.size() && TrimBlanks(ExpandTabs(lines[i])).empty()) ++i;
    return i;
  };
  const size_t next = nextFilled(at);
  if (next >= lines.size()) return false;
  const std::string line = ExpandTabs(lines[next]);
  if (InColumns(line)) return true;
  if (!Cell(line, 0, kMeasureColumn).empty()) return false;
  const size_t after = nextFilled(next + 1);
  return after == next + 1 && after < lines.size() && InColumns(ExpandTabs(lines[after]));
}

}  // namespace

void SplitMasterCookBody(const std::vector<std::string>& lines, ImportedRecipe& recipe) {
  size_t i = 0;
  std::string aboveText;  // the ingredient text of the line above, for wrapped lines
  for (; i < lines.size(); ++i) {
    const std::string line = ExpandTabs(lines[i]);
    if (StartsWith(TrimBlanks(line), "- - - -")) break;
    if (TrimBlanks(line).empty()) {
      if (!IngredientsGoOn(lines, i)) break;
      recipe.ingredients.emplace_back();
      continue;
    }
    if (IsNoneMark(line)) continue;
    // A line that does not keep to the columns is one ingredient as written.
    if (!std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(std::min(line.size(), kMeasureColumn)),
                     IsAmountCharacter)) {
      recipe.ingredients.push_back(TrimBlanks(line));
      aboveText = recipe.ingredients.back();
      continue;
    }
    // A word that starts a little left of its column is taken whole.
    size_t textColumn = std::min(kIngredientColumn, line.size());
    while (textColumn < line.size() && textColumn > kMeasureColumn && line[textColumn - 1] != ' ') --textColumn;
    const std::string amount = Cell(line, 0, kMeasureColumn);
    const std::string measure = Cell(line, kMeasureColumn, textColumn);
    const std::string text = TrimBlanks(std::string_view(line).substr(textColumn));
    if (amount.empty() && measure.empty() && !recipe.ingredients.empty() && !StartsWith(text, "-") &&
        LeftOpen(aboveText, text)) {
      recipe.ingredients.back() += " " + text;
      aboveText = text;  // the wrap is judged on the line as printed
      continue;
    }
    std::string entry = amount;
    for (const std::string& part : {measure, text}) {
      if (!part.empty()) entry += (entry.empty() ? "" : " ") + part;
    }
    recipe.ingredients.push_back(entry);
    aboveText = text;
  }
  bool notes = false;
  for (; i < lines.size(); ++i) {
    const std::string trimmed = TrimBlanks(lines[i]);
    if (StartsWith(trimmed, "- - - -")) {
      // The notes follow as the last paragraph.
      if (!notes) recipe.directions.emplace_back();
      notes = true;
      continue;
    }
    recipe.directions.push_back(trimmed);
  }
  for (std::string& line : recipe.directions) {
    if (line.empty()) continue;
    if (const auto text = AfterDirectionsMarker(line)) line = *text;
    break;
  }
}

}  // namespace tovalia
