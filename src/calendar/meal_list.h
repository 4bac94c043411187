// The meal list's commands over the kept entries: moving the current meal,
// scrolling, ticking, reordering within a date, deleting, editing a note and
// moving a meal to another day. Commands that change meals write the file
// at once and return false when it could not be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/meal_calendar.h"
#include "db/clock.h"

namespace tovalia {

// Current meal moves by delta, within the list; with none current the first
// one becomes current.
void StepCurrentMeal(MealCalendar& calendar, int delta);
void PageUpMeals(MealCalendar& calendar, int visibleRows);
void PageDownMeals(MealCalendar& calendar, int visibleRows);
void FirstMeal(MealCalendar& calendar);
void LastMeal(MealCalendar& calendar, int visibleRows);
// Keeps the current meal within the visible rows; the top row never goes
// below 0 nor leaves empty rows at the end that could show meals.
void ScrollMealIntoView(MealCalendar& calendar, int visibleRows);

// The first meal of the date, or -1.
int32_t FirstMealOn(const MealCalendar& calendar, const LocalDate& date);
// True when the meal is the first of its date in the list.
bool FirstOfItsDate(const MealCalendar& calendar, int32_t index);

// Swaps the current meal with its neighbour above (direction -1) or below
// (+1) when that neighbour has the same date; the moved meal stays current.
bool MoveMealWithinDate(MealCalendar& calendar, int direction);

bool ToggleMealTick(MealCalendar& calendar, int32_t index);
// Unticks every meal when all are ticked; otherwise ticks them all.
bool TickAllOrNone(MealCalendar& calendar);
std::vector<int32_t> TickedMeals(const MealCalendar& calendar);

// Removes the meals at the indices; the current meal stays within the list.
bool DeleteMeals(MealCalendar& calendar, const std::vector<int32_t>& indices);

// The note's new text; the meal keeps its id, date and place.
bool SaveNoteText(MealCalendar& calendar, int32_t index, const std::string& text);

// The meal moves to the date, after the meals already there, and stays
// current. Nothing changes when it is already on that date.
bool MoveMealToDate(MealCalendar& calendar, int32_t index, const LocalDate& date);

// Dates from and to, both included, as date keys.
struct MealRange {
  uint32_t fromKey = 0;
  uint32_t toKey = UINT32_MAX;
};
std::vector<int32_t> MealsInRange(const MealCalendar& calendar, const MealRange& range);

// "Dec 8, 2026:  ", as the meal list shows a date.
std::string MealListDate(const LocalDate& date);

}  // namespace tovalia
