// The input is a whole Event40.dat. It is read as the command line reads it
// (nothing dropped) and as the Meals screen does (meals before the grid's
// first day dropped), shown on a grid, listed for printing, written as an
// iCalendar file, and changed by each list command; every write must leave
// a file of whole records that reads back as memory held it.
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/day_table.h"
#include "calendar/icalendar_writer.h"
#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"
#include "calendar/meal_printout.h"
#include "fuzz_support.h"

namespace tovalia {
namespace {

// Memory and the file agree, record for record.
void CheckFileMatches(const MealCalendar& calendar) {
  const std::vector<uint8_t> file = fuzz::ReadBytes(calendar.path);
  FUZZ_CHECK(file.size() == static_cast<size_t>(calendar.count) * kMealRecordSize);
  for (size_t i = 0; i < file.size(); ++i) FUZZ_CHECK(file[i] == calendar.meals.Data()[i]);
}

void CheckIdsUnique(const MealCalendar& calendar, int32_t id) {
  int carriers = 0;
  for (int32_t i = 0; i < calendar.count; ++i) carriers += MealId(calendar.meals, i) == id;
  FUZZ_CHECK(carriers == 1);
}

}  // namespace
}  // namespace tovalia

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const std::string path = fuzz::ScratchFolder() + "Event40.dat";
  fuzz::WriteBytes(path, data, size);

  MealCalendar calendar(path);
  FUZZ_CHECK(LoadMeals(calendar));
  FUZZ_CHECK(calendar.count == static_cast<int32_t>(size / kMealRecordSize));
  for (int32_t i = 0; i < calendar.count; ++i) {
    FUZZ_CHECK(MealText(calendar.meals, i).size() <= static_cast<size_t>(kMealTextLimit));
    const LocalDate date = MealDate(calendar.meals, i);
    const int w = DayOfWeek(date.year, date.month, date.day);
    FUZZ_CHECK(w >= 0 && w <= 6);
  }
  const std::vector<int32_t> all = MealsInRange(calendar, {});
  const IcsExport ics = MealsAsICalendar(calendar, all, 0);
  FUZZ_CHECK(ics.events + ics.skipped == calendar.count);
  const std::vector<int32_t> printed = MealsToPrint(calendar);
  FUZZ_CHECK(MealPrintLines(calendar).size() == printed.size());
  FUZZ_CHECK(printed.empty() == (calendar.count == 0));

  // The screen's reading: a grid around a date taken from the first meal.
  const LocalDate today = calendar.count > 0 && IsValidDate(MealDate(calendar.meals, 0))
                              ? MealDate(calendar.meals, 0)
                              : LocalDate{2026, 12, 8};
  CalendarDays days;
  const LocalDate first = GridFirstDay(today);
  BuildCalendarDays(days, first);
  calendar.firstDayKey = DateKey(first);
  FUZZ_CHECK(LoadMeals(calendar));
  for (int32_t i = 0; i < calendar.count; ++i) FUZZ_CHECK(MealDateKey(calendar.meals, i) >= calendar.firstDayKey);
  MarkMealDays(days, calendar);

  const int32_t before = calendar.count;
  const int32_t id = NextFreeMealId(calendar);
  FUZZ_CHECK(AddMeal(calendar, 7, "Fuzzed note", kMealNote, today));
  FUZZ_CHECK(calendar.count == before + 1);
  FUZZ_CHECK(calendar.current >= 0 && MealId(calendar.meals, calendar.current) == id);
  CheckIdsUnique(calendar, id);
  CheckFileMatches(calendar);

  FUZZ_CHECK(MoveMealWithinDate(calendar, -1));
  FUZZ_CHECK(TickAllOrNone(calendar));
  FUZZ_CHECK(TickedMeals(calendar).size() == static_cast<size_t>(calendar.count));
  FUZZ_CHECK(MoveMealToDate(calendar, calendar.current, NextDay(today)));
  FUZZ_CHECK(SaveNoteText(calendar, 0, "Edited"));
  CheckFileMatches(calendar);
  const int32_t count = calendar.count;
  FUZZ_CHECK(DeleteMeals(calendar, {0, count - 1}));
  FUZZ_CHECK(calendar.count == count - (count > 1 ? 2 : 1));
  CheckFileMatches(calendar);
  return 0;
}
