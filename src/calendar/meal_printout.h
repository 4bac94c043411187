// What the printed meal list holds: which meals, and the three columns of
// each line (day name, date, text). The page geometry belongs to printing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/meal_calendar.h"
#include "db/clock.h"

namespace tovalia {

inline constexpr char kMealListHeading[] = "Meal List";
// The first two columns are as wide as these texts in the print font.
inline constexpr char kDayColumnSample[] = "Wed, ";
inline constexpr char kDateColumnSample[] = "May 88:  ";

struct MealPrintLine {
  std::string dayName;  // "Wed,"
  std::string date;     // "Dec 9:  "
  std::string text;     // control characters shown as blanks
  LocalDate when;       // the meal's date, year included
};

// Every meal when none or all are ticked; otherwise the ticked ones.
std::vector<int32_t> MealsToPrint(const MealCalendar& calendar);

// The lines of the meals at those indexes, in that order.
std::vector<MealPrintLine> MealPrintLines(const MealCalendar& calendar, const std::vector<int32_t>& meals);
// The lines of MealsToPrint.
std::vector<MealPrintLine> MealPrintLines(const MealCalendar& calendar);

// The dates a run of lines covers, years included, for a page's heading:
// "Dec 28, 2026 - Jan 3, 2027", or the one date when they share it.
std::string MealPrintSpan(const std::vector<MealPrintLine>& lines, size_t first, size_t end);

}  // namespace tovalia
