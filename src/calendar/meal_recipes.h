// The recipes behind chosen meals, as the title index knows them today:
// what raising the shopping list from the ticked meals starts from.
#pragma once

#include <cstdint>
#include <vector>

#include "calendar/meal_calendar.h"
#include "db/database.h"

namespace tovalia {

struct MealRecipes {
  std::vector<int32_t> entries;  // index offsets, one per recipe meal (a recipe twice is there twice)
  int32_t notes = 0;             // meals that are notes
  int32_t missing = 0;           // recipe meals whose recipe has been deleted since
};

MealRecipes RecipesOfMeals(const Database& db, const MealCalendar& calendar, const std::vector<int32_t>& meals);

}  // namespace tovalia
