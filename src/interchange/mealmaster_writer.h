// Meal-Master export: the banner, title, categories and yield, each
// ingredient in Meal-Master's columns (amount, two-letter unit code, text,
// with continuation lines), sub-headings, and the indented directions.
#pragma once

#include <string>
#include <string_view>

#include "interchange/export_recipe.h"

namespace tovalia {

// The two-character Meal-Master code of a canonical unit word ("tb" for
// "tablespoon"), or two blanks for a unit Meal-Master has no code for.
std::string MealMasterUnit(std::string_view unit);

void WriteMealMaster(const ExportRecipe& recipe, std::string& out);

}  // namespace tovalia
