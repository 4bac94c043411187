// Import sources written for tests: Meal-Master recipes as other programs
// export them, numbered so that every stored recipe can be told apart.
#pragma once

#include <string>

namespace tovalia::testing {

// `count` recipes titled "<prefix> 1", "<prefix> 2", ... in the categories
// Soups or Breads, with three ingredients and two paragraphs of directions.
std::string MealMasterRecipes(int count, const std::string& titlePrefix);

}  // namespace tovalia::testing
