// The Meals screen's picture: the week grid on the left, the meal list
// beside it, the command buttons beneath, and the screen state the two
// share (the grid's days, its top week, the selected day, a meal being
// dragged).
#pragma once

#include <string>
#include <vector>

#include "calendar/day_table.h"
#include "platform/canvas.h"
#include "state/app_state.h"

namespace tovalia {

struct MealsScreenState {
  CalendarDays days;
  LocalDate today;
  LocalDate selected;
  int topWeek = 0;
  // While a meal is dragged: its index and the text that follows the pointer.
  int dragged = -1;
  std::string dragText;
  int dropDay = -1;  // the grid day under the pointer while dragging
};

struct MealsView {
  explicit MealsView(const Ui& ui);

  Rect grid;          // the cells of the visible weeks
  int cellWidth = 0;
  int cellHeight = 0;
  int visibleWeeks = 0;
  Rect list;          // the meal list's panel
  int rowHeight = 22;
  int visibleRows = 0;
  int dateColumn = 0;  // x of the meal text, after the date column
  std::vector<std::string> captions;  // the command buttons, in the order tested
  std::vector<Rect> buttons;

  // The table index of the grid day under a point, or -1; with clamp, a
  // point outside the grid gives the nearest day.
  int DayAt(const MealsScreenState& state, int x, int y, bool clamp) const;
  // The list row (from the top row) under a point, or -1.
  int RowAt(int x, int y) const;
  Rect TickBox(int visibleRow) const;
};

// Scrolls the grid so that the week of the selected day is visible.
void ScrollSelectedWeekIntoView(MealsScreenState& state, const MealsView& view);

void DrawMealsScreen(App& app, const MealsView& view, const MealsScreenState& state);

}  // namespace tovalia
