// MasterCook text export: the banner, the centred title, the "Recipe By",
// "Serving Size" and "Categories" lines, the ingredients in the Amount /
// Measure / Ingredient columns, the directions and the closing dashes.
#pragma once

#include <string>

#include "interchange/export_recipe.h"

namespace tovalia {

void WriteMasterCook(const ExportRecipe& recipe, std::string& out);

}  // namespace tovalia
