#include "interchange/mealmaster_writer.h"

#include <algorithm>

#include "db/cp1252.h"
#include "db/product.h"
#include "interchange/import_lines.h"
#include "interchange/wrapped_text.h"

namespace tovalia {

namespace {

struct UnitCode {
  const char* unit;
  const char* code;
  bool wholeWord;  // otherwise the unit only has to begin with the word
};

constexpr UnitCode kUnitCodes[] = {
    {"teaspoon", "ts", false}, {"tablespoon", "tb", false}, {"cup", "c ", false},
    {"pint", "pt", false},     {"quart", "qt", false},      {"gallon", "ga", false},
    {"liter", "l ", false},    {"ounce", "oz", false},      {"pound", "lb", false},
    {"small", "sm", true},     {"medium", "md", true},      {"large", "lg", true},
    {"square", "sq", false},   {"can", "cn", false},        {"package", "pk", false},
    {"pinch", "pn", false},    {"drop", "dr", false},       {"dash", "ds", false},
    {"carton", "ct", false},   {"bunch", "bn", false},      {"slice", "sl", false},
    {"clove", "cl", false},    {"box", "bx", false},        {"l", "l ", true},
    {"cc", "cc", true},        {"dl", "dl", true},          {"ml", "ml", true},
    {"mg", "mg", true},        {"dg", "dg", true},          {"cg", "cg", true},
    {"kg", "kg", true},        {"g", "g ", true},
};

// Ingredient text starts in column 12; a written line is cut after 38
// characters and goes on in continuation lines that end by column 39, as
// Meal-Master's own do: a longer one reaches into the right column of a
// two-column layout, where readers take an amount for a second ingredient.
constexpr size_t kTextColumn = 11;
constexpr size_t kLineWidth = 38;
constexpr size_t kContinuationWidth = 27;
const std::string kContinuationIndent(11, ' ');

// Where a long line may be cut: the last blank at or before `limit` that
// the line does not go on from with "-" (a continuation that opened with
// "-" would read as a line of its own). npos when there is none after the
// first character.
size_t BreakBlank(std::string_view line, size_t limit) {
  for (size_t at = std::min(limit, line.size() - 1); line.size() > 1 && at > 0; --at) {
    if (line[at] == ' ' && (at + 1 >= line.size() || line[at + 1] != '-')) return at;
  }
  return std::string_view::npos;
}

std::string Heading(const std::string& text) {
  return std::string(11, ' ') + "=== " + TrimBlanks(text) + " ===";
}

constexpr size_t kAmountWidth = 7;

// The amount right-aligned in columns 1 to 7 (as stored: "3/16", a range
// "1-2"; a mixed number with a blank for its hyphen), the unit code in
// columns 9 and 10, then the text as stored. A unit without a code is kept
// at the head of the text instead. An amount too wide for its columns
// leaves them empty and the whole line is the text.
std::string ColumnLine(const std::string& line, const ParsedIngredient& parsed) {
  std::string amount = parsed.quantity == 0 ? std::string() : StoredAmount(parsed);
  if (parsed.upTo == 0) std::replace(amount.begin(), amount.end(), '-', ' ');
  if (amount.size() > kAmountWidth) return std::string(kTextColumn, ' ') + line;
  amount.insert(0, kAmountWidth - amount.size(), ' ');
  std::string code = MealMasterUnit(parsed.unit);
  std::string text = parsed.writtenIngredient;
  if (code == "  " && !parsed.unit.empty()) text = TrimBlanks(parsed.unit + " " + text);
  return amount + " " + code + " " + text;
}

void PutIngredient(std::string& out, const std::string& line) {
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty()) return;
  if (trimmed.back() == ':') return PutLine(out, Heading(trimmed.substr(0, trimmed.size() - 1)));
  if (trimmed.rfind("==", 0) == 0) {
    std::string text = trimmed;
    std::replace(text.begin(), text.end(), '=', ' ');
    // A rule of "=" alone names no heading: it stays a line of text.
    if (!TrimBlanks(text).empty()) return PutLine(out, Heading(text));
  }
  std::string written = ColumnLine(trimmed, ParseIngredientLine(trimmed));
  if (written.size() <= kLineWidth) return PutLine(out, written);
  // Cut at the last blank inside the text's columns; a text without one
  // stays whole rather than leave its amount on a line of its own.
  const size_t cut = BreakBlank(written, kLineWidth - 1);
  if (cut == std::string::npos || cut < kTextColumn) return PutLine(out, written);
  PutLine(out, written.substr(0, cut));
  std::string rest = TrimBlanks(written.substr(cut + 1));
  while (!rest.empty()) {
    size_t take = rest.size();
    size_t resume = take;
    if (rest.size() > kContinuationWidth) {
      // A word longer than the line runs on whole.
      size_t blank = BreakBlank(rest, kContinuationWidth);
      if (blank == std::string::npos) blank = rest.find(' ', kContinuationWidth);
      if (blank != std::string::npos) {
        take = blank;
        resume = blank + 1;
      }
    }
    PutLine(out, kContinuationIndent + "-" + rest.substr(0, take));
    rest = TrimBlanks(rest.substr(resume));
  }
}

}  // namespace

std::string MealMasterUnit(std::string_view unit) {
  const std::string word = LowerCase(TrimBlanks(unit));
  if (word.empty()) return "  ";
  for (const UnitCode& u : kUnitCodes) {
    if (u.wholeWord ? word == u.unit : word.rfind(u.unit, 0) == 0) return u.code;
  }
  return "  ";
}

void WriteMealMaster(const ExportRecipe& recipe, std::string& out) {
  PutLine(out, "MMMMM----- Meal-Master Recipe");
  PutLine(out, "");
  PutLine(out, "      Title: " + TrimBlanks(recipe.title));
  PutLine(out, " Categories: " + recipe.chapter);
  PutLine(out, "      Yield: " + std::to_string(recipe.servings));
  PutLine(out, "");
  if (recipe.textRecord) {
    WriteWrapped(out, recipe.ingredients, kWrapPlain72);
  } else {
    for (const std::string& line : TextLines(recipe.ingredients)) PutIngredient(out, line);
    PutLine(out, "");
    WriteWrapped(out, recipe.directions, kWrapIndentTwo);
  }
  PutLine(out, "");
  PutLine(out, "  " + ExportedFrom() + " (" + kWebSite + ")");
  PutLine(out, "");
  PutLine(out, "MMMMM");
  PutLine(out, "");
}

}  // namespace tovalia
