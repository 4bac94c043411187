// What the printed meal list holds: which meals, and the three columns of
// each line (day name, date, text). The page geometry belongs to printing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/meal_calendar.h"

namespace tovalia {

inline constexpr char kMealListHeading[] = "Meal List";
// The first two columns are as wide as these texts in the print font.
inline constexpr char kDayColumnSample[] = "Wed, ";
inline constexpr char kDateColumnSample[] = "May 88:  ";

struct MealPrintLine {
  std::string dayName;  // "Wed,"
  std::string date;     // "Dec 9:  "
  std::string text;
};

// Every meal when none or all are ticked; otherwise the ticked ones.
std::vector<int32_t> MealsToPrint(const MealCalendar& calendar);

std::vector<MealPrintLine> MealPrintLines(const MealCalendar& calendar);

}  // namespace tovalia
