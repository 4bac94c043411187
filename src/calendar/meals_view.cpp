#include "calendar/meals_view.h"

#include <algorithm>

#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/frame.h"
#include "ui/list_panel.h"
#include "ui/text_fit.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 20;
constexpr int kDayNamesTop = 96;
constexpr int kGridTop = 116;
constexpr int kButtonHeight = 28;
constexpr int kTitleLine = 12;  // a meal title inside a grid cell

constexpr Color kOtherMonth = 0xF6F1E7;
constexpr Color kHasMeals = 0xE8F0DD;
constexpr Color kDropTarget = 0xCFE0BA;
constexpr Color kGroupShade = 0xF7F3EA;

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

Font DateFont() { return {FontFamily::kSans, 13, true}; }

// The meals of each visible grid day, in list order.
std::vector<std::vector<int32_t>> MealsPerVisibleDay(const MealCalendar& calendar,
                                                     const MealsScreenState& state, int firstDay, int days) {
  std::vector<std::vector<int32_t>> perDay(static_cast<size_t>(days));
  for (int32_t i = 0; i < calendar.count; ++i) {
    const int at = state.days.IndexOf(MealDate(calendar.meals, i)) - firstDay;
    if (at >= 0 && at < days) perDay[static_cast<size_t>(at)].push_back(i);
  }
  return perDay;
}

void DrawGrid(App& app, const MealsView& view, const MealsScreenState& state) {
  Canvas& canvas = app.ui.canvas;
  const MealCalendar& calendar = app.meals;
  canvas.SetFont({FontFamily::kSerif, 20, true});
  const int month = std::clamp(state.selected.month, 1, 12);
  canvas.DrawText(view.grid.x + 2, 62, std::string(kMonthNames[month - 1]) + " " +
                                          std::to_string(state.selected.year), theme::kInk);

  canvas.SetFont({FontFamily::kSans, 12, true});
  for (int c = 0; c < 7; ++c)
    canvas.DrawTextCentred({view.grid.x + c * view.cellWidth, kDayNamesTop, view.cellWidth, 18}, DayName(c),
                           c == 0 || c == 6 ? theme::kAccent : theme::kMutedInk);

  const int firstDay = state.topWeek * 7;
  const int days = view.visibleWeeks * 7;
  const auto perDay = MealsPerVisibleDay(calendar, state, firstDay, days);
  canvas.FillRoundedRect(view.grid, 4, theme::kPanelEdge);
  for (int d = 0; d < days && firstDay + d < kGridDays; ++d) {
    const CalendarDay& day = state.days.days[static_cast<size_t>(firstDay + d)];
    const Rect cell{view.grid.x + (d % 7) * view.cellWidth + 1, view.grid.y + (d / 7) * view.cellHeight + 1,
                    view.cellWidth - 1, view.cellHeight - 1};
    Color fill = day.date.month % 2 == 0 ? kOtherMonth : 0xFFFFFF;
    if (day.hasMeals) fill = kHasMeals;
    if (day.date == state.selected) fill = theme::kSelection;
    if (firstDay + d == state.dropDay) fill = kDropTarget;
    canvas.FillRect(cell, fill);
    if (day.date == state.today) canvas.StrokeRect({cell.x + 1, cell.y + 1, cell.width - 2, cell.height - 2}, theme::kAccent, 2);

    canvas.PushClip(cell);
    const bool today = day.date == state.today;
    canvas.SetFont({FontFamily::kSans, 12, today});
    int x = cell.x + 4 + canvas.DrawText(cell.x + 4, cell.y + 2, std::to_string(day.date.day),
                                         today ? theme::kAccent : theme::kInk);
    if (day.date.day == 1) {
      canvas.SetFont({FontFamily::kSans, 11, true});
      canvas.DrawText(x + 4, cell.y + 3, MonthAbbreviation(day.date.month), theme::kHeaderBottom);
    }
    const std::vector<int32_t>& meals = perDay[static_cast<size_t>(d)];
    const int lines = std::max(1, (cell.height - 18) / kTitleLine);
    canvas.SetFont({FontFamily::kSans, 10, false});
    for (int k = 0; k < lines && k < static_cast<int>(meals.size()); ++k) {
      const int remaining = static_cast<int>(meals.size()) - k;
      const int y = cell.y + 17 + k * kTitleLine;
      if (k == lines - 1 && remaining > 1) {
        canvas.DrawText(cell.x + 4, y, "+" + std::to_string(remaining) + " more", theme::kMutedInk);
      } else {
        canvas.FillRoundedRect({cell.x + 3, y + 4, 3, 4}, 1, theme::kHeaderTop);
        canvas.DrawText(cell.x + 8, y, MealText(calendar.meals, meals[static_cast<size_t>(k)]), theme::kInk);
      }
    }
    canvas.PopClip();
  }
  canvas.RecordButton(view.grid, "");

  canvas.SetFont({FontFamily::kSans, 11, false, true});
  canvas.DrawText(view.grid.x, view.grid.y + view.grid.height + 5,
                  "Click the selected day to add a meal; drag a meal onto a day to move it.",
                  theme::kMutedInk);
}

void DrawMealList(App& app, const MealsView& view) {
  Canvas& canvas = app.ui.canvas;
  const MealCalendar& calendar = app.meals;
  DrawListCaption(canvas, {view.list.x, 62 + 24, view.list.width, 0}, "Meal List",
                  std::to_string(calendar.count) + (calendar.count == 1 ? " Meal" : " Meals"));
  canvas.SetFont({FontFamily::kSans, 12, true});
  canvas.DrawText(view.list.x + 30, kDayNamesTop + 2, "Date", theme::kMutedInk);
  canvas.DrawText(view.dateColumn, kDayNamesTop + 2, "Meal", theme::kMutedInk);

  DrawListPanel(canvas, view.list, true);
  canvas.PushClip(view.list, 6);
  // Date groups are shaded alternately, counted from the first meal.
  bool shaded = false;
  for (int32_t i = 1; i <= calendar.topRow && i < calendar.count; ++i)
    if (FirstOfItsDate(calendar, i)) shaded = !shaded;
  for (int row = 0; row < view.visibleRows; ++row) {
    const int32_t i = calendar.topRow + row;
    if (i >= calendar.count) break;
    if (row > 0 && FirstOfItsDate(calendar, i)) shaded = !shaded;
    const Rect r{view.list.x + 4, view.list.y + 4 + row * view.rowHeight, view.list.width - 16, view.rowHeight};
    if (i == calendar.current) {
      canvas.FillRoundedRect(r, 4, theme::kSelection);
    } else if (shaded) {
      canvas.FillRect(r, kGroupShade);
    }
    DrawCheckBox(canvas, view.TickBox(row), MealIsTicked(calendar.meals, i));
    if (FirstOfItsDate(calendar, i) || row == 0) {
      canvas.SetFont(DateFont());
      canvas.DrawText(r.x + 26, r.y + (view.rowHeight - canvas.LineHeight()) / 2,
                      MealListDate(MealDate(calendar.meals, i)), theme::kHeaderBottom);
    }
    const bool note = MealKindOf(calendar.meals, i) == kMealNote;
    canvas.SetFont({FontFamily::kSans, 14, false, note});
    canvas.DrawText(view.dateColumn, r.y + (view.rowHeight - canvas.LineHeight()) / 2,
                    FitWithEllipsis(canvas, MealText(calendar.meals, i), r.x + r.width - 4 - view.dateColumn),
                    note ? theme::kMutedInk : theme::kInk);
  }
  if (calendar.count == 0) {
    canvas.SetFont({FontFamily::kSans, 14, false, true});
    canvas.DrawText(view.list.x + 30, view.list.y + 12, "No meals planned yet.", theme::kMutedInk);
  }
  canvas.PopClip();
  DrawScrollThumb(canvas, view.list, calendar.topRow, view.visibleRows, calendar.count);
  canvas.RecordButton(view.list, "");
}

}  // namespace

MealsView::MealsView(const Ui& ui) {
  const int width = ui.canvas.Width();
  const int height = ui.canvas.Height();
  const bool large = width >= 1024;
  cellWidth = large ? 62 : 48;
  cellHeight = large ? 52 : 44;
  const int buttonsTop = height - kButtonHeight - 16;
  const int bottom = buttonsTop - 26;
  visibleWeeks = std::clamp((bottom - kGridTop) / cellHeight, 1, kGridWeeks);
  grid = {kMargin, kGridTop, 7 * cellWidth + 1, visibleWeeks * cellHeight + 1};
  const int listLeft = grid.x + grid.width + kGap;
  list = {listLeft, kGridTop, width - listLeft - kMargin, grid.height};
  visibleRows = (list.height - 8) / rowHeight;
  dateColumn = list.x + 30 + (large ? 112 : 104);

  captions = {"Today", "Add Meal", "Delete", "Print", "Export", "Shopping List"};
  const int slot = (width - 2 * kMargin) / static_cast<int>(captions.size());
  for (size_t i = 0; i < captions.size(); ++i)
    buttons.push_back({kMargin + static_cast<int>(i) * slot + 3, buttonsTop, slot - 6, kButtonHeight});
}

int MealsView::DayAt(const MealsScreenState& state, int x, int y, bool clamp) const {
  if (!clamp && !grid.Contains(x, y)) return -1;
  const int column = std::clamp((x - grid.x) / cellWidth, 0, 6);
  const int week = std::clamp((y - grid.y) / cellHeight, 0, visibleWeeks - 1);
  const int day = (state.topWeek + week) * 7 + column;
  return day < static_cast<int>(state.days.days.size()) ? day : -1;
}

int MealsView::RowAt(int x, int y) const {
  if (!list.Contains(x, y) || y < list.y + 4) return -1;
  const int row = (y - list.y - 4) / rowHeight;
  return row < visibleRows ? row : -1;
}

Rect MealsView::TickBox(int visibleRow) const {
  return {list.x + 10, list.y + 4 + visibleRow * rowHeight + (rowHeight - 14) / 2, 14, 14};
}

void ScrollSelectedWeekIntoView(MealsScreenState& state, const MealsView& view) {
  const int day = state.days.IndexOf(state.selected);
  if (day >= 0) {
    const int week = day / 7;
    if (week < state.topWeek) state.topWeek = week;
    if (week >= state.topWeek + view.visibleWeeks) state.topWeek = week - view.visibleWeeks + 1;
  }
  state.topWeek = std::clamp(state.topWeek, 0, kGridWeeks - view.visibleWeeks);
}

void DrawMealsScreen(App& app, const MealsView& view, const MealsScreenState& state) {
  Ui& ui = app.ui;
  DrawFrame(ui, kMealsScreen);
  DrawGrid(app, view, state);
  DrawMealList(app, view);
  for (size_t b = 0; b < view.buttons.size(); ++b) DrawButton(ui, view.buttons[b], view.captions[b]);
  if (state.dragged >= 0) {
    Canvas& canvas = ui.canvas;
    canvas.SetFont({FontFamily::kSans, 13, true});
    const std::string text = "    " + state.dragText;
    const Rect tag{ui.input.mouseX + 6, ui.input.mouseY - 10, canvas.TextWidth(text) + 12, 20};
    canvas.FillRoundedRect(tag, 4, theme::kPaper);
    canvas.StrokeRect(tag, theme::kHeaderTop, 1, 4);
    canvas.DrawText(tag.x + 6, tag.y + 2, text, theme::kInk);
  }
}

}  // namespace tovalia
