#include "interchange/recipe_index_writer.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

std::string RecipeIndexEntry(const ExportRecipe& recipe) { return "(" + recipe.chapter + ")  " + recipe.title; }

void WriteRecipeIndex(std::vector<std::string> entries, Progress& progress, std::string& out) {
  progress.ShowProgress("Sorting Titles", "", 0, static_cast<int64_t>(entries.size()));
  std::stable_sort(entries.begin(), entries.end(),
                   [](const std::string& a, const std::string& b) { return CompareUpperCased(a, b) < 0; });
  progress.ShowProgress("Sorting Titles", "", static_cast<int64_t>(entries.size()),
                        static_cast<int64_t>(entries.size()));
  for (const std::string& entry : entries) PutLine(out, entry);
}

}  // namespace tovalia
