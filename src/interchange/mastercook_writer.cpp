#include "interchange/mastercook_writer.h"

#include <algorithm>
#include <optional>

#include "db/cp1252.h"
#include "db/product.h"
#include "interchange/import_lines.h"
#include "interchange/wrapped_text.h"
#include "recipe/quantity.h"

namespace tovalia {

namespace {

constexpr int kTitleWidth = 72;

std::string RightAligned(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string LeftAligned(const std::string& text, size_t width) {
  return text.size() >= width ? text.substr(0, width) : text + std::string(width - text.size(), ' ');
}

constexpr size_t kPartWidth = 4;  // the whole part, and the fraction

// The amount in eight columns: the whole part in four, the fraction in the
// next four; an amount that does not part so (a range "1/2-1", "13/16", a
// mixed number whose fraction would touch its whole part: "1 3/16")
// right-aligned in all eight. Empty when it does not fit them.
std::optional<std::string> AmountColumns(const ParsedIngredient& parsed) {
  if (parsed.quantity == 0) return std::string(2 * kPartWidth, ' ');
  const std::string amount = StoredAmount(parsed);
  std::string whole = amount, fraction;
  const size_t slash = amount.find('/');
  const size_t parting = amount.find_first_of(" -", 1);
  if (parsed.upTo == 0 && slash != std::string::npos) {
    whole = parting != std::string::npos && parting < slash ? amount.substr(0, parting) : std::string();
    fraction = whole.empty() ? amount : amount.substr(parting + 1);
  }
  if (whole == "0") whole.clear();
  const size_t fractionRoom = whole.empty() ? kPartWidth : kPartWidth - 1;
  if (whole.size() <= kPartWidth && fraction.size() <= fractionRoom)
    return RightAligned(whole, kPartWidth) + RightAligned(fraction, kPartWidth);
  const std::string joined = whole.empty() || fraction.empty() ? amount : whole + " " + fraction;
  if (joined.size() <= 2 * kPartWidth) return RightAligned(joined, 2 * kPartWidth);
  return std::nullopt;
}

// The amount, the measure in twelve columns (plural above one), then the
// ingredient as stored. An amount too wide for its columns leaves them and
// the measure empty, and the whole line is the ingredient.
std::string ColumnLine(const std::string& line, const ParsedIngredient& parsed) {
  const std::optional<std::string> amount = AmountColumns(parsed);
  if (!amount) return std::string(2 * kPartWidth + 2 + 12 + 2, ' ') + line;
  // The rebuilt line carries the measure as it is stored: plural above one.
  std::string measure = parsed.unit;
  if (!measure.empty()) {
    ParsedIngredient alone = parsed;
    alone.ingredient.clear();
    alone.amount = "1";
    const std::string rebuilt = BuildIngredientLine(alone);
    measure = TrimBlanks(rebuilt.substr(rebuilt.find(' ') + 1));
  }
  return *amount + "  " + LeftAligned(LowerCase(measure), 12) + "  " + parsed.writtenIngredient;
}

// The servings written over the line from its 17th character, keeping its
// length.
std::string ServingSizeLine(int servings) {
  std::string line = "Serving Size  :      Preparation Time :0:00";
  const std::string number = std::to_string(servings).substr(0, 4);
  line.replace(16, number.size(), number);
  return line;
}

}  // namespace

void WriteMasterCook(const ExportRecipe& recipe, std::string& out) {
  PutLine(out, std::string(20, ' ') + "*  Exported from  MasterCook  *");
  PutLine(out, "");
  const int margin = RoundHalfToEven((kTitleWidth - static_cast<double>(recipe.title.size())) / 2);
  PutLine(out, std::string(static_cast<size_t>(std::max(margin, 0)), ' ') + recipe.title);
  PutLine(out, "");
  PutLine(out, std::string("Recipe By     : ") + kProductName + " " + kProductVersion + "  (" + kWebSite + ")");
  PutLine(out, ServingSizeLine(recipe.servings));
  PutLine(out, "Categories    : " + recipe.chapter);
  PutLine(out, "");
  PutLine(out, "  Amount  Measure       Ingredient -- Preparation Method");
  PutLine(out, "--------  ------------  --------------------------------");
  if (!recipe.textRecord) {
    for (const std::string& line : TextLines(recipe.ingredients)) {
      const std::string trimmed = TrimBlanks(line);
      if (!trimmed.empty()) PutLine(out, ColumnLine(trimmed, ParseIngredientLine(trimmed)));
    }
    PutLine(out, "");
    WriteWrapped(out, recipe.directions, kWrapPlain72);
  } else {
    PutLine(out, "");
    WriteWrapped(out, recipe.ingredients, kWrapPlain72);
  }
  PutLine(out, "");
  PutLine(out, std::string(19, ' ') + "- - - - - - - - - - - - - - - - - -");
  PutLine(out, "");
  PutLine(out, "");
}

}  // namespace tovalia
