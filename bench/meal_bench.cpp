#include "meal_bench.h"

#include <chrono>
#include <stdexcept>

#include "calendar/day_table.h"
#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"
#include "calendar/meals_screen.h"
#include "db/data_file.h"
#include "platform/headless_platform.h"
#include "state/app_state.h"

namespace tovalia::bench {

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr int kRuns = 21;
constexpr LocalDate kToday{2026, 12, 8};

// Three meals a day from the grid's first day on: a recipe at lunch, a
// recipe at dinner and every few days a note, 100-byte records in date order.
void WriteCalendar(const std::string& path, int meals) {
  static const char* const kDishes[] = {"Chicken Curry", "Beef Stew", "Lentil Soup", "Roast Vegetables",
                                        "Spaghetti Carbonara", "Fish Pie", "Crème Brûlée", "Caesar Salad"};
  MealCalendar calendar(path);
  CreateBuffer(meals * kMealRecordSize, calendar.meals);
  LocalDate date = GridFirstDay(kToday);
  for (int i = 0; i < meals; ++i) {
    if (i > 0 && i % 3 == 0) date = NextDay(date);
    const bool note = i % 7 == 6;
    WriteMealRecord(calendar.meals, i, i, date, note ? kMealNote : kMealRecipe, note ? 0 : 1 + i % 500,
                    note ? "Eat out with friends" : kDishes[i % 8]);
  }
  if (!ReplaceFileContents(path, calendar.meals.Data(), static_cast<size_t>(calendar.meals.Size())))
    throw std::runtime_error("cannot write " + path);
}

}  // namespace

MealFigures MeasureMealCalendar(const std::string& folder, int meals) {
  MealFigures figures;
  figures.meals = meals;
  Database db(DataPaths::ForDataFolder(folder));
  WriteCalendar(db.paths.eventFile, meals);
  SetTodayForTesting(kToday);
  HeadlessPlatform platform({}, DisplayMode{1024, 768, 32});
  Canvas canvas(1024, 767);
  platform.AttachCanvas(&canvas);
  Ui ui(platform, canvas);
  Settings settings(db.paths.setupFile);
  MealCalendar calendar(db.paths.eventFile);
  App app(ui, db, settings, calendar);
  MealsView view(ui);

  MealsScreenState state;
  for (int run = 0; run < kRuns; ++run) {
    state = MealsScreenState{};
    const Clock::time_point start = Clock::now();
    EnterMealsScreen(app, view, state);
    ScrollMealIntoView(calendar, view.visibleRows);
    DrawMealsScreen(app, view, state);
    figures.enterMs.push_back(MsSince(start));
    if (calendar.count != meals) throw std::runtime_error("the calendar lost meals on entry");
  }
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    state.topWeek = run % 2 == 0 ? state.topWeek + 1 : state.topWeek - 1;
    DrawMealsScreen(app, view, state);
    figures.scrollMs.push_back(MsSince(start));
  }
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    if (!AddMeal(calendar, 0, "Picnic " + std::to_string(run), kMealNote, kToday))
      throw std::runtime_error("adding a meal failed");
    MarkMealDays(state.days, calendar);
    ScrollMealIntoView(calendar, view.visibleRows);
    DrawMealsScreen(app, view, state);
    figures.addMs.push_back(MsSince(start));
  }
  if (calendar.count != meals + kRuns) throw std::runtime_error("a meal went missing");
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    if (!ToggleMealTick(calendar, calendar.current)) throw std::runtime_error("ticking failed");
    DrawMealsScreen(app, view, state);
    figures.tickMs.push_back(MsSince(start));
  }
  SetTodayForTesting(std::nullopt);
  DeleteDataFile(db.paths.eventFile);
  return figures;
}

}  // namespace tovalia::bench
