// Bodies of formats without columns: the split between ingredients and
// directions is a directions marker, or else the first empty line below the
// last line that looks like an ingredient.
#include <algorithm>

#include "db/cp1252.h"
#include "interchange/body_split.h"
#include "interchange/import_lines.h"

namespace tovalia {

void SplitBodyByScan(const std::vector<std::string>& body, ImportedRecipe& recipe) {
  std::vector<std::string> lines;
  lines.reserve(body.size());
  for (const std::string& line : body) lines.push_back(TrimBlanks(line));
  const int n = static_cast<int>(lines.size());
  int split = -1;
  int blank = -1;
  bool marker = false;
  std::string markerText;
  bool twoColumn = false;
  for (int i = n - 1; i >= 0; --i) {
    std::string& line = lines[static_cast<size_t>(i)];
    const size_t triple = line.rfind("   ");
    if (triple != std::string::npos && triple >= 22) {
      twoColumn = true;
    } else if (line.size() > 60 && twoColumn) {
      twoColumn = false;
    }
    if (const auto heading = HeadingText(line)) line = *heading;
    if (const auto text = AfterDirectionsMarker(line)) {
      // The topmost marker wins; the text after it opens the directions.
      split = i;
      markerText = *text;
      line.clear();
      marker = true;
      continue;
    }
    if (marker) continue;
    if (line.empty()) {
      if (split < 0) blank = i;
      continue;
    }
    if (!twoColumn && line.size() > 65) {
      if (split >= 0 && !(line[0] >= '0' && line[0] <= '9')) split = -1;
      continue;
    }
    const ParsedIngredient parsed = ParseIngredientLine(line);
    const bool ingredientLike = (parsed.quantity % 100 != 0 || (parsed.quantity > 0 && !parsed.unit.empty())) &&
                                parsed.ingredient.size() > 2;
    if (!ingredientLike) continue;
    // A sentence that happens to open with an amount is passed over while no
    // split is found; the point of a unit abbreviation ("1 tsp. salt") does
    // not make one.
    if (split < 0 && parsed.ingredient.find('.') != std::string::npos) continue;
    split = i;
    if (blank < 0) blank = i;
  }
  if (split < 0) {
    // Nothing looks like an ingredient: the body is text, kept whole.
    recipe.textOnly = std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return !line.empty(); });
    recipe.ingredients = lines;
    return;
  }
  if (!marker && split < blank) split = blank;
  // A split on an ingredient-like line (no blank line below it) keeps it as
  // an ingredient rather than dropping it.
  int ingredientsEnd = split;
  if (split < n && !lines[static_cast<size_t>(split)].empty()) ingredientsEnd = split + 1;

  // In two columns, the left column of every line first.
  for (int pass = 0; pass < (twoColumn ? 2 : 1); ++pass) {
    for (int i = 0; i < ingredientsEnd; ++i) {
      const std::string& line = lines[static_cast<size_t>(i)];
      if (!twoColumn) {
        recipe.ingredients.push_back(line);
        continue;
      }
      const size_t run = line.find("   ", 21);
      if (pass == 0) {
        recipe.ingredients.push_back(TrimBlanks(run == std::string::npos ? std::string_view(line)
                                                                         : std::string_view(line).substr(0, run)));
      } else {
        recipe.ingredients.push_back(run == std::string::npos ? std::string()
                                                              : TrimBlanks(std::string_view(line).substr(run)));
      }
    }
  }
  if (marker && !markerText.empty()) recipe.directions.push_back(markerText);
  for (int i = split + 1; i < n; ++i) recipe.directions.push_back(lines[static_cast<size_t>(i)]);
}

}  // namespace tovalia
