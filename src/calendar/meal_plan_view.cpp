#include "calendar/meal_plan_view.h"

namespace tovalia {

void AttachMealCalendar(Database& db, MealCalendar& calendar) {
  db.mealPlanHoldsRecipe = [&calendar](int32_t recipeId) { return IsRecipeOnCalendar(calendar, recipeId); };
  db.reloadMealPlan = [&calendar] { LoadMeals(calendar); };
}

void DetachMealCalendar(Database& db) {
  db.mealPlanHoldsRecipe = nullptr;
  db.reloadMealPlan = nullptr;
}

}  // namespace tovalia
