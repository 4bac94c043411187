// The calendar grid's days: 700 consecutive dates (100 weeks) from a
// Sunday, each with a marker set when at least one meal falls on it.
#pragma once

#include <cstdint>
#include <vector>

#include "calendar/meal_calendar.h"
#include "db/clock.h"

namespace tovalia {

inline constexpr int kGridWeeks = 100;
inline constexpr int kGridDays = 7 * kGridWeeks;

struct CalendarDay {
  LocalDate date;
  bool hasMeals = false;
};

struct CalendarDays {
  std::vector<CalendarDay> days;  // kGridDays of them once built
  // The day's place in the table, or -1 when the date lies outside it.
  int IndexOf(const LocalDate& date) const;
};

// The first day of the grid for today: the Sunday on or before the first day
// of the month two months back.
LocalDate GridFirstDay(const LocalDate& today);

// Fills the table with kGridDays dates from the first day.
void BuildCalendarDays(CalendarDays& table, const LocalDate& firstDay);

// Sets each day's marker from the kept meals.
void MarkMealDays(CalendarDays& table, const MealCalendar& calendar);

}  // namespace tovalia
