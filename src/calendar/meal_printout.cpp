#include "calendar/meal_printout.h"

#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"

namespace tovalia {

std::vector<int32_t> MealsToPrint(const MealCalendar& calendar) {
  std::vector<int32_t> meals = TickedMeals(calendar);
  if (meals.empty() || meals.size() == static_cast<size_t>(calendar.count)) {
    meals.clear();
    for (int32_t i = 0; i < calendar.count; ++i) meals.push_back(i);
  }
  return meals;
}

std::vector<MealPrintLine> MealPrintLines(const MealCalendar& calendar) {
  std::vector<MealPrintLine> lines;
  for (int32_t i : MealsToPrint(calendar)) {
    const LocalDate date = MealDate(calendar.meals, i);
    lines.push_back({DayName(DayOfWeek(date.year, date.month, date.day)) + ",",
                     MonthAbbreviation(date.month) + " " + std::to_string(date.day) + ":  ",
                     MealText(calendar.meals, i)});
  }
  return lines;
}

}  // namespace tovalia
