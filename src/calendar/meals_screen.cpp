#include "calendar/meals_screen.h"

#include <algorithm>
#include <cstdlib>

#include "calendar/meal_commands.h"
#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"
#include "calendar/meals_view.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

constexpr int kCtrlA = 1;
constexpr uint32_t kDragAfterMs = 500;
constexpr int kDragSideways = 8;
constexpr int kDragUpDown = 15;

}  // namespace

void EnterMealsScreen(App& app, const MealsView& view, MealsScreenState& state) {
  state.today = Today();
  const LocalDate first = GridFirstDay(state.today);
  BuildCalendarDays(state.days, first);
  app.meals.firstDayKey = DateKey(first);
  if (!LoadMeals(app.meals))
    ShowNotice(app.ui, "The meal calendar|" + app.meals.path + "|cannot be read.");
  MarkMealDays(state.days, app.meals);
  state.selected = state.today;
  state.topWeek = std::max(0, state.days.IndexOf(state.today) / 7);
  ScrollSelectedWeekIntoView(state, view);
}

namespace {

// The selected day follows the current meal; with none, today.
void SelectCurrentMealsDay(App& app, const MealsView& view, MealsScreenState& state) {
  const MealCalendar& calendar = app.meals;
  state.selected = calendar.current >= 0 && calendar.current < calendar.count
                       ? MealDate(calendar.meals, calendar.current)
                       : state.today;
  ScrollSelectedWeekIntoView(state, view);
}

void SelectDay(App& app, MealsScreenState& state, int day) {
  state.selected = state.days.days[static_cast<size_t>(day)].date;
  app.meals.current = FirstMealOn(app.meals, state.selected);
}

void GoToToday(App& app, const MealsView& view, MealsScreenState& state) {
  state.selected = state.today;
  app.meals.current = FirstMealOn(app.meals, state.today);
  ScrollSelectedWeekIntoView(state, view);
}

// A press in the grid: the selection follows the pointer while the button
// is held; letting go on the day that was selected before opens the prompt.
void PressInGrid(App& app, const MealsView& view, MealsScreenState& state) {
  Ui& ui = app.ui;
  const LocalDate before = state.selected;
  int day = view.DayAt(state, ui.input.mouseX, ui.input.mouseY, true);
  while (day >= 0) {
    SelectDay(app, state, day);
    ScrollMealIntoView(app.meals, view.visibleRows);
    DrawMealsScreen(app, view, state);
    ui.Show();
    if (!(ui.input.buttonBits & kLeftButton) || ui.input.quitFlag) break;
    ui.Pump(1);
    day = view.DayAt(state, ui.input.mouseX, ui.input.mouseY, true);
  }
  if (day >= 0 && state.selected == before && !ui.input.quitFlag) AddToSelectedDay(app, state);
}

// A press on a meal row: it becomes current; held long enough or moved far
// enough, it is dragged to a day of the grid; otherwise the release decides.
void PressOnMeal(App& app, const MealsView& view, MealsScreenState& state, int row, int button) {
  Ui& ui = app.ui;
  MealCalendar& calendar = app.meals;
  const int index = calendar.topRow + row;
  if (index >= calendar.count) return;
  if (button == kLeftButton && view.TickBox(row).Contains(ui.input.mouseX, ui.input.mouseY)) {
    calendar.current = index;
    AfterMealWrite(app, state, ToggleMealTick(calendar, index));
    SelectCurrentMealsDay(app, view, state);
    return;
  }
  const bool wasCurrent = calendar.current == index;
  const LocalDate selectedBefore = state.selected;
  calendar.current = index;
  SelectCurrentMealsDay(app, view, state);
  const int pressX = ui.input.mouseX, pressY = ui.input.mouseY;
  const uint32_t pressedAt = ui.platform.TickCount();
  bool dragging = false;
  while ((ui.input.buttonBits & button) && !ui.input.quitFlag) {
    if (!dragging && button == kLeftButton &&
        (std::abs(ui.input.mouseX - pressX) > kDragSideways || std::abs(ui.input.mouseY - pressY) > kDragUpDown ||
         ui.platform.TickCount() - pressedAt >= kDragAfterMs)) {
      dragging = true;
      state.dragged = index;
      state.dragText = MealText(calendar.meals, index);
    }
    state.dropDay = dragging ? view.DayAt(state, ui.input.mouseX, ui.input.mouseY, false) : -1;
    DrawMealsScreen(app, view, state);
    ui.Show();
    ui.Pump(1);
  }
  if (ui.input.quitFlag) return;
  if (!dragging && button == kLeftButton && ui.platform.TickCount() - pressedAt >= kDragAfterMs) dragging = true;
  const int dropDay = dragging ? view.DayAt(state, ui.input.mouseX, ui.input.mouseY, false) : -1;
  state.dragged = state.dropDay = -1;
  if (dragging) {
    if (dropDay < 0) {
      state.selected = selectedBefore;  // let go elsewhere: nothing changes
      return;
    }
    AfterMealWrite(app, state, MoveMealToDate(calendar, index, state.days.days[static_cast<size_t>(dropDay)].date));
    SelectCurrentMealsDay(app, view, state);
  } else if (button == kRightButton) {
    DeleteMealsCommand(app, state);
    SelectCurrentMealsDay(app, view, state);
  } else if (wasCurrent) {
    OpenCurrentMeal(app, state);
    SelectCurrentMealsDay(app, view, state);
  }
}

void RunCommand(App& app, const MealsView& view, MealsScreenState& state, const std::string& caption) {
  if (caption == "Today") {
    GoToToday(app, view, state);
  } else if (caption == "Add Meal") {
    AddToSelectedDay(app, state);
  } else if (caption == "Delete") {
    DeleteMealsCommand(app, state);
    SelectCurrentMealsDay(app, view, state);
  } else if (caption == "Print") {
    PrintMealsCommand(app);
  } else if (caption == "Export") {
    ExportMealsCommand(app);
  } else if (caption == "Shopping List") {
    ShoppingListCommand(app);
  }
}

// Keys act on the meal list; the selected day follows the current meal.
void ListKey(App& app, const MealsView& view, MealsScreenState& state) {
  MealCalendar& calendar = app.meals;
  InputState& in = app.ui.input;
  if (calendar.count == 0) return;
  bool moved = true;
  if (in.typedCharacter == typed::kEnter) {
    OpenCurrentMeal(app, state);
  } else if (in.typedCharacter == ' ') {
    AfterMealWrite(app, state, ToggleMealTick(calendar, calendar.current));
  } else if (in.typedCharacter == kCtrlA) {
    AfterMealWrite(app, state, TickAllOrNone(calendar));
    moved = false;
  } else if (in.ctrl && (in.keyCode == key::kUp || in.keyCode == key::kDown)) {
    AfterMealWrite(app, state, MoveMealWithinDate(calendar, in.keyCode == key::kUp ? -1 : 1));
  } else {
    switch (in.keyCode) {
      case key::kUp: StepCurrentMeal(calendar, -1); break;
      case key::kDown: StepCurrentMeal(calendar, 1); break;
      case key::kPageUp: PageUpMeals(calendar, view.visibleRows); break;
      case key::kPageDown: PageDownMeals(calendar, view.visibleRows); break;
      case key::kHome: FirstMeal(calendar); break;
      case key::kEnd: LastMeal(calendar, view.visibleRows); break;
      default: moved = false; break;
    }
  }
  if (moved) SelectCurrentMealsDay(app, view, state);
}

}  // namespace

void RunMealsScreen(App& app) {
  Ui& ui = app.ui;
  MealsView view(ui);
  MealsScreenState state;
  EnterMealsScreen(app, view, state);

  for (;;) {
    ScrollMealIntoView(app.meals, view.visibleRows);
    DrawMealsScreen(app, view, state);
    const int tab = ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) return;
    if (tab >= 0 && tab != kMealsScreen) {
      app.requestedScreen = tab;
      return;
    }
    bool commandRan = false;
    static const int kHotKeys[] = {1, 1, 1, 1, 1, 1};
    for (size_t b = 0; b < view.buttons.size() && !commandRan; ++b) {
      const bool deleteKey = view.captions[b] == "Delete" && in.keyCode == key::kDelete;
      if (deleteKey || ButtonActivated(ui, view.captions[b], view.buttons[b], kHotKeys[b])) {
        RunCommand(app, view, state, view.captions[b]);
        commandRan = true;
      }
    }
    if (commandRan) {
      if (app.requestedScreen != kMealsScreen) return;
      continue;
    }

    const int row = view.RowAt(in.mouseX, in.mouseY);
    if ((in.buttonBits & kLeftButton) && view.grid.Contains(in.mouseX, in.mouseY)) {
      PressInGrid(app, view, state);
    } else if ((in.buttonBits & (kLeftButton | kRightButton)) && row >= 0) {
      PressOnMeal(app, view, state, row, (in.buttonBits & kLeftButton) ? kLeftButton : kRightButton);
    } else if (in.wheelStep != 0) {
      if (view.grid.Contains(in.mouseX, in.mouseY)) {
        // One notch, one week.
        state.topWeek = std::clamp(state.topWeek + (in.wheelStep > 0 ? -1 : 1), 0, kGridWeeks - view.visibleWeeks);
      } else if (view.list.Contains(in.mouseX, in.mouseY) && app.meals.count > 0) {
        StepCurrentMeal(app.meals, -in.wheelStep);
        SelectCurrentMealsDay(app, view, state);
      }
      in.wheelStep = 0;
    } else {
      ListKey(app, view, state);
    }
    if (app.requestedScreen != kMealsScreen) return;
  }
}

}  // namespace tovalia
