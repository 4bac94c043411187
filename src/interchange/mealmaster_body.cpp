// Meal-Master bodies have a known shape: the ingredient block in its
// columns (amount in 7 columns, a blank, the unit code in 2, a blank, the
// text; a second column of the same shape from column 41), in sections
// under heading lines, then the method. The block is read by that shape,
// section by section, left column before right; the rest is the method.
#include <algorithm>
#include <array>

#include "db/cp1252.h"
#include "interchange/body_split.h"

namespace tovalia {

namespace {

constexpr size_t kAmountWidth = 7;
constexpr size_t kTextColumn = 11;
constexpr size_t kRightColumn = 41;

// Meal-Master's unit codes, and the few other words exporters put there.
bool IsUnitCode(std::string_view code) {
  static constexpr std::array<std::string_view, 36> kCodes = {
      "x",  "sm", "md", "lg", "cn", "pk", "pn", "dr", "ds", "ct", "bn", "sl", "ea", "t",  "ts", "tb", "fl", "c",
      "pt", "qt", "ga", "oz", "lb", "ml", "cb", "cl", "dl", "l",  "dg", "cg", "mg", "g",  "kg", "pd", "sq", "bx"};
  const std::string lower = LowerCase(code);
  return std::find(kCodes.begin(), kCodes.end(), lower) != kCodes.end();
}

bool IsAmountCharacter(char c) { return c == ' ' || (c >= '0' && c <= '9') || c == '.' || c == '/' || c == '-'; }

struct Entry {
  std::string text;       // "1 1/2 c flour", or the text of a text-only entry
  bool quantified = false;  // it has an amount or a unit
};

// One ingredient in Meal-Master's columns starting at `at`, a text-only
// entry right at the text column, or nothing when the columns hold none.
std::optional<Entry> EntryAt(std::string_view line, size_t at) {
  if (line.size() <= at) return std::nullopt;
  std::string_view cells = line.substr(at);
  const std::string_view amount = cells.substr(0, kAmountWidth);
  if (!std::all_of(amount.begin(), amount.end(), IsAmountCharacter)) return std::nullopt;
  const bool hasAmount = std::any_of(amount.begin(), amount.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (amount.find_first_not_of(' ') != std::string_view::npos && !hasAmount) return std::nullopt;
  if (cells.size() > kAmountWidth && cells[kAmountWidth] != ' ') return std::nullopt;
  const std::string unit = cells.size() > kAmountWidth + 1 ? TrimBlanks(cells.substr(kAmountWidth + 1, 2)) : std::string();
  // The unit is a code of its own, and a blank stands between it and the text.
  if (!unit.empty() && !IsUnitCode(unit)) return std::nullopt;
  if (cells.size() > kTextColumn - 1 && cells[kTextColumn - 1] != ' ') return std::nullopt;
  const std::string text = cells.size() > kTextColumn ? TrimBlanks(cells.substr(kTextColumn)) : std::string();
  if (!hasAmount && unit.empty()) {
    // A text-only entry (or a "-" continuation) starts right at the text column.
    if (text.empty() || cells.size() <= kTextColumn || cells[kTextColumn] == ' ') return std::nullopt;
    return Entry{text, false};
  }
  Entry entry{TrimBlanks(amount), true};
  if (!unit.empty()) entry.text += " " + unit;
  if (!text.empty()) entry.text += " " + text;
  return entry;
}

struct Row {
  std::optional<std::string> heading;
  std::optional<Entry> left;   // the whole entry when the line has one column
  std::optional<Entry> right;  // the entry from column 41
  bool empty = false;
};

Row ReadRow(const std::string& raw) {
  std::string line = ExpandTabs(raw);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  Row row;
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty()) {
    row.empty = true;
    return row;
  }
  if ((row.heading = HeadingText(trimmed))) return row;
  // Two columns when column 41 opens an entry: one with an amount or unit
  // after a blank (the left text may fill its column to the end), a
  // text-only one ("-ll", "Oriental sesame oil") after a gap of two.
  if (line.size() > kRightColumn) {
    const auto right = EntryAt(line, kRightColumn);
    const auto left = EntryAt(std::string_view(line).substr(0, kRightColumn), 0);
    const bool gap = line[kRightColumn - 1] == ' ' && line[kRightColumn - 2] == ' ';
    const bool apart = line[kRightColumn - 1] == ' ' || line[kRightColumn] == ' ';
    if (right && left && (right->quantified ? apart : gap)) {
      row.left = left;
      row.right = right;
      return row;
    }
  }
  row.left = EntryAt(line, 0);
  return row;
}

bool IsIngredient(const Row& row) { return row.left.has_value(); }
// Only an entry with an amount or a unit opens a block: method text may be
// indented to the text column.
bool OpensBlock(const Row& row) { return row.left && row.left->quantified; }

// One section between headings: the left column of every row, then the
// right column, so that each ingredient stays under its own heading. Empty
// lines at its end come after both columns.
void AddSection(std::vector<Row> rows, std::vector<std::string>& ingredients) {
  bool gapAfter = false;
  while (!rows.empty() && rows.back().empty) {
    rows.pop_back();
    gapAfter = true;
  }
  // A "-" continuation in the right column before any entry there goes on
  // with the entry beside it on the left ("12    Who   -peppercorns").
  bool rightStarted = false;
  for (Row& row : rows) {
    if (!row.right) continue;
    const std::string& text = row.right->text;
    const bool continuation = !row.right->quantified && text[0] == '-' && text.compare(0, 2, "--") != 0;
    if (!continuation || rightStarted) {
      rightStarted = true;
      continue;
    }
    const std::string rest = TrimBlanks(std::string_view(text).substr(1));
    if (row.left && !rest.empty()) row.left->text += " " + rest;
    row.right.reset();
  }
  for (const Row& row : rows) {
    if (row.empty) {
      ingredients.emplace_back();
    } else if (row.left) {
      ingredients.push_back(row.left->text);
    }
  }
  for (const Row& row : rows) {
    if (row.right) ingredients.push_back(row.right->text);
  }
  if (gapAfter) ingredients.emplace_back();
}

}  // namespace

void SplitMealMasterBody(const std::vector<std::string>& lines, ImportedRecipe& recipe) {
  std::vector<Row> rows;
  rows.reserve(lines.size());
  for (const std::string& line : lines) rows.push_back(ReadRow(line));
  const size_t n = rows.size();
  auto nextFilled = [&](size_t i) {
    while (i < n && rows[i].empty) ++i;
    return i;
  };
  // A heading opens an ingredient section when ingredients follow it.
  auto opensSection = [&](size_t i) {
    if (!rows[i].heading) return false;
    const size_t next = nextFilled(i + 1);
    return next < n && IsIngredient(rows[next]);
  };
  bool found = false;
  const size_t first = nextFilled(0);
  size_t i = 0;
  while (i < n) {
    // The body opens with its ingredients: there a text-only entry opens them too.
    const bool opens = OpensBlock(rows[i]) || (i == first && IsIngredient(rows[i]));
    if (!opens && !opensSection(i)) {
      // Method text (and a heading over it) goes to the directions.
      recipe.directions.push_back(rows[i].heading ? *rows[i].heading : rows[i].empty ? std::string() : lines[i]);
      ++i;
      continue;
    }
    // An ingredient block: sections of rows under headings, up to the first
    // line of text; empty lines before that belong to the method.
    found = true;
    std::vector<Row> section;
    while (i < n) {
      if (rows[i].heading) {
        if (!opensSection(i)) break;
        AddSection(section, recipe.ingredients);
        section.clear();
        recipe.ingredients.push_back(*rows[i].heading);
        ++i;
      } else if (rows[i].empty) {
        const size_t next = nextFilled(i);
        if (next >= n || !(IsIngredient(rows[next]) || opensSection(next))) break;
        section.insert(section.end(), rows.begin() + static_cast<std::ptrdiff_t>(i),
                       rows.begin() + static_cast<std::ptrdiff_t>(next));
        i = next;
      } else if (IsIngredient(rows[i])) {
        section.push_back(rows[i++]);
      } else {
        break;
      }
    }
    AddSection(section, recipe.ingredients);
  }
  if (!found) {
    // No ingredient in Meal-Master's columns: read it as any other body.
    recipe.directions.clear();
    SplitBodyByScan(lines, recipe);
    return;
  }
  // The method's first line may carry a directions marker.
  for (std::string& line : recipe.directions) {
    if (TrimBlanks(line).empty()) continue;
    if (const auto text = AfterDirectionsMarker(TrimBlanks(line))) line = *text;
    break;
  }
}

}  // namespace tovalia
