#include "interchange/mastercook_writer.h"

#include <algorithm>

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

// Whole part in four columns, fraction in the next four, the measure in
// twelve (plural above one), then the ingredient.
std::string ColumnLine(const ParsedIngredient& parsed) {
  std::string whole, fraction;
  if (parsed.quantity != 0) {
    const std::string amount = QuantityText(parsed.quantity);
    const size_t slash = amount.find('/');
    const size_t hyphen = amount.find('-', 1);
    if (slash == std::string::npos) {
      whole = amount;
    } else if (hyphen != std::string::npos && hyphen < slash) {
      whole = amount.substr(0, hyphen);
      fraction = amount.substr(hyphen + 1);
    } else {
      fraction = amount;
    }
    if (whole == "0") whole.clear();
  }
  // The rebuilt line carries the measure as it is stored: plural above one.
  std::string measure = parsed.unit;
  if (!measure.empty() && parsed.quantity > 100) {
    const std::string line = BuildIngredientLine(parsed.quantity, parsed.unit, "");
    measure = TrimBlanks(line.substr(line.find(' ') + 1));
  }
  return RightAligned(whole, 4) + RightAligned(fraction, 4) + "  " + LeftAligned(LowerCase(measure), 12) +
         "  " + parsed.ingredient;
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
      if (!trimmed.empty()) PutLine(out, ColumnLine(ParseIngredientLine(trimmed)));
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
