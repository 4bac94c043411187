// Connects the title index's view "Recipes Selected For Meals" to a meal
// calendar: the view reads the calendar again and lists the recipes it holds.
#pragma once

#include "calendar/meal_calendar.h"
#include "db/database.h"

namespace tovalia {

// The calendar must outlive the database's use of it, or be detached first.
void AttachMealCalendar(Database& db, MealCalendar& calendar);
void DetachMealCalendar(Database& db);

}  // namespace tovalia
