#include "calendar/meal_recipes.h"

#include "db/recipe_lists.h"

namespace tovalia {

MealRecipes RecipesOfMeals(const Database& db, const MealCalendar& calendar, const std::vector<int32_t>& meals) {
  MealRecipes found;
  for (int32_t i : meals) {
    if (MealKindOf(calendar.meals, i) != kMealRecipe) {
      ++found.notes;
      continue;
    }
    const int32_t entry = FindEntryByRecipeId(db, MealRecipeId(calendar.meals, i));
    if (entry < 0) {
      ++found.missing;
    } else {
      found.entries.push_back(entry);
    }
  }
  return found;
}

}  // namespace tovalia
