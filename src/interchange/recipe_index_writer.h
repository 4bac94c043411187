// The recipe index export: one line per recipe, "(chapter)  title", in
// title order without regard to case.
#pragma once

#include <string>
#include <vector>

#include "interchange/export_recipe.h"
#include "ui/progress.h"

namespace tovalia {

std::string RecipeIndexEntry(const ExportRecipe& recipe);

// Sorts the collected entries by their upper-cased text (entries that
// compare equal keep their order) and appends them, one a line.
void WriteRecipeIndex(std::vector<std::string> entries, Progress& progress, std::string& out);

}  // namespace tovalia
