// The meal calendar's commands that ask the user something: adding to a
// day, editing a note, opening a meal, deleting, printing, exporting, and
// adding the Index screen's ticked recipes for today.
#pragma once

#include "calendar/meals_view.h"
#include "state/app_state.h"

namespace tovalia {

// After a write: the day markers again, and a message when it failed.
void AfterMealWrite(App& app, MealsScreenState& state, bool written);

// The add-to-day prompt for the selected day: a note, or the Index
// screen's current recipe.
void AddToSelectedDay(App& app, MealsScreenState& state);

// Enter on the current meal: a recipe meal opens its recipe (the Recipe
// screen is requested), a note opens "Edit Note".
void OpenCurrentMeal(App& app, MealsScreenState& state);

void DeleteMealsCommand(App& app, MealsScreenState& state);
void PrintMealsCommand(App& app);
// The ticked meals (all when none or all are ticked) as an iCalendar file.
void ExportMealsCommand(App& app);
void ShoppingListCommand(App& app);

// The Index screen's "New Meal": the ticked recipes of the current list,
// each as a meal for today.
void AddTickedRecipesToCalendar(App& app);

}  // namespace tovalia
