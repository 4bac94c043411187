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

std::vector<MealPrintLine> MealPrintLines(const MealCalendar& calendar, const std::vector<int32_t>& meals) {
  std::vector<MealPrintLine> lines;
  lines.reserve(meals.size());
  for (int32_t i : meals) {
    if (i < 0 || i >= calendar.count) continue;
    const LocalDate date = MealDate(calendar.meals, i);
    std::string text = MealText(calendar.meals, i);
    for (char& ch : text)
      if (static_cast<unsigned char>(ch) < 32) ch = ' ';
    lines.push_back({DayName(DayOfWeek(date.year, date.month, date.day)) + ",",
                     MonthAbbreviation(date.month) + " " + std::to_string(date.day) + ":  ", std::move(text), date});
  }
  return lines;
}

std::vector<MealPrintLine> MealPrintLines(const MealCalendar& calendar) {
  return MealPrintLines(calendar, MealsToPrint(calendar));
}

std::string MealPrintSpan(const std::vector<MealPrintLine>& lines, size_t first, size_t end) {
  if (first >= end || end > lines.size()) return {};
  const LocalDate& from = lines[first].when;
  const LocalDate& to = lines[end - 1].when;
  const std::string start = FormatDate(from.year, from.month, from.day);
  if (from == to) return start;
  return start + " - " + FormatDate(to.year, to.month, to.day);
}

}  // namespace tovalia
