// Bodies of the program's own export: its ingredient lines, a "." line, its
// direction lines, each kept as it was written.
#include <algorithm>

#include "db/cp1252.h"
#include "interchange/body_split.h"

namespace tovalia {

void SplitOwnTextBody(const std::vector<std::string>& lines, bool textRecord, ImportedRecipe& recipe) {
  const auto dot =
      std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return TrimBlanks(line) == "."; });
  if (dot == lines.end() && !textRecord) {
    // Not as this program writes it (a hand-edited file): read as any text.
    std::vector<std::string> trimmed;
    for (const std::string& line : lines) trimmed.push_back(TrimBlanks(line));
    SplitBodyByScan(trimmed, recipe);
    recipe.asWritten = true;
    return;
  }
  recipe.ingredients.assign(lines.begin(), dot);
  if (dot != lines.end()) recipe.directions.assign(dot + 1, lines.end());
  const bool noDirections =
      std::all_of(recipe.directions.begin(), recipe.directions.end(), [](const std::string& l) { return TrimBlanks(l).empty(); });
  recipe.textOnly = textRecord && noDirections;
  if (recipe.textOnly) recipe.directions.clear();
  recipe.asWritten = true;
  recipe.ownLayout = true;
}

}  // namespace tovalia
