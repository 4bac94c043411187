#include "calendar/day_table.h"

#include <algorithm>

#include "calendar/meal_dates.h"

namespace tovalia {

int CalendarDays::IndexOf(const LocalDate& date) const {
  const uint32_t key = DateKey(date);
  auto found = std::lower_bound(days.begin(), days.end(), key,
                                [](const CalendarDay& day, uint32_t k) { return DateKey(day.date) < k; });
  if (found == days.end() || DateKey(found->date) != key) return -1;
  return static_cast<int>(found - days.begin());
}

LocalDate GridFirstDay(const LocalDate& today) {
  LocalDate first = FirstOfMonthBefore(today, 2);
  int day = 1 - DayOfWeek(first.year, first.month, first.day);
  if (day < 1) {
    first = FirstOfMonthBefore(first, 1);
    day += MonthLength(first.year, first.month);
  }
  first.day = day;
  return first;
}

void BuildCalendarDays(CalendarDays& table, const LocalDate& firstDay) {
  table.days.assign(kGridDays, CalendarDay{});
  LocalDate date = firstDay;
  for (CalendarDay& day : table.days) {
    day.date = date;
    date = NextDay(date);
  }
}

void MarkMealDays(CalendarDays& table, const MealCalendar& calendar) {
  for (CalendarDay& day : table.days) day.hasMeals = false;
  for (int32_t i = 0; i < calendar.count; ++i) {
    const int at = table.IndexOf(MealDate(calendar.meals, i));
    if (at >= 0) table.days[static_cast<size_t>(at)].hasMeals = true;
  }
}

}  // namespace tovalia
