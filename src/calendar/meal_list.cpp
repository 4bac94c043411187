#include "calendar/meal_list.h"

#include <algorithm>

#include "calendar/meal_dates.h"

namespace tovalia {

void StepCurrentMeal(MealCalendar& calendar, int delta) {
  if (calendar.count == 0) return;
  if (calendar.current < 0) {
    calendar.current = 0;
    return;
  }
  calendar.current = std::clamp(calendar.current + delta, 0, calendar.count - 1);
}

void PageUpMeals(MealCalendar& calendar, int visibleRows) {
  if (calendar.count == 0) return;
  calendar.topRow = std::max(0, calendar.topRow - visibleRows);
  calendar.current = calendar.topRow;
}

void PageDownMeals(MealCalendar& calendar, int visibleRows) {
  if (calendar.count == 0) return;
  calendar.topRow = std::max(0, std::min(calendar.count - visibleRows, calendar.topRow + visibleRows));
  calendar.current = std::min(calendar.count - 1, calendar.topRow + visibleRows - 1);
}

void FirstMeal(MealCalendar& calendar) {
  if (calendar.count == 0) return;
  calendar.current = calendar.topRow = 0;
}

void LastMeal(MealCalendar& calendar, int visibleRows) {
  if (calendar.count == 0) return;
  calendar.current = calendar.count - 1;
  calendar.topRow = std::max(0, calendar.current - visibleRows + 1);
}

void ScrollMealIntoView(MealCalendar& calendar, int visibleRows) {
  if (calendar.current >= calendar.count) calendar.current = calendar.count - 1;
  const int target = calendar.current;
  if (target >= 0) {
    if (target < calendar.topRow) calendar.topRow = target;
    if (target >= calendar.topRow + visibleRows) calendar.topRow = target - visibleRows + 1;
  }
  calendar.topRow = std::max(0, std::min(calendar.topRow, calendar.count - visibleRows));
}

int32_t FirstMealOn(const MealCalendar& calendar, const LocalDate& date) {
  const uint32_t key = DateKey(date);
  for (int32_t i = 0; i < calendar.count; ++i)
    if (MealDateKey(calendar.meals, i) == key) return i;
  return -1;
}

bool FirstOfItsDate(const MealCalendar& calendar, int32_t index) {
  return index == 0 || MealDateKey(calendar.meals, index - 1) != MealDateKey(calendar.meals, index);
}

bool MoveMealWithinDate(MealCalendar& calendar, int direction) {
  const int32_t from = calendar.current;
  const int32_t to = from + (direction < 0 ? -1 : 1);
  if (from < 0 || to < 0 || to >= calendar.count) return true;
  if (MealDateKey(calendar.meals, from) != MealDateKey(calendar.meals, to)) return true;
  ByteBuffer held;
  CreateBuffer(kMealRecordSize, held);
  MoveBytes(calendar.meals, from * kMealRecordSize, held, 0, kMealRecordSize);
  MoveBytes(calendar.meals, to * kMealRecordSize, calendar.meals, from * kMealRecordSize, kMealRecordSize);
  MoveBytes(held, 0, calendar.meals, to * kMealRecordSize, kMealRecordSize);
  const int32_t id = MealId(calendar.meals, to);
  const bool written = StoreMeal(calendar, StoreMode::kRewrite);
  calendar.current = written ? to : FindMealById(calendar, id);
  return written;
}

bool ToggleMealTick(MealCalendar& calendar, int32_t index) {
  if (index < 0 || index >= calendar.count) return true;
  SetMealTicked(calendar.meals, index, !MealIsTicked(calendar.meals, index));
  return StoreMeal(calendar, StoreMode::kRewrite);
}

bool TickAllOrNone(MealCalendar& calendar) {
  if (calendar.count == 0) return true;
  const bool allTicked = TickedMeals(calendar).size() == static_cast<size_t>(calendar.count);
  for (int32_t i = 0; i < calendar.count; ++i) SetMealTicked(calendar.meals, i, !allTicked);
  return StoreMeal(calendar, StoreMode::kRewrite);
}

std::vector<int32_t> TickedMeals(const MealCalendar& calendar) {
  std::vector<int32_t> ticked;
  for (int32_t i = 0; i < calendar.count; ++i)
    if (MealIsTicked(calendar.meals, i)) ticked.push_back(i);
  return ticked;
}

bool DeleteMeals(MealCalendar& calendar, const std::vector<int32_t>& indices) {
  std::vector<bool> gone(static_cast<size_t>(calendar.count), false);
  for (int32_t i : indices)
    if (i >= 0 && i < calendar.count) gone[static_cast<size_t>(i)] = true;
  int32_t kept = 0;
  for (int32_t i = 0; i < calendar.count; ++i) {
    if (gone[static_cast<size_t>(i)]) continue;
    if (kept != i) MoveBytes(calendar.meals, i * kMealRecordSize, calendar.meals, kept * kMealRecordSize, kMealRecordSize);
    ++kept;
  }
  calendar.count = kept;
  const bool written = StoreMeal(calendar, StoreMode::kRewrite);
  calendar.current = std::min(calendar.current, calendar.count - 1);
  return written;
}

bool SaveNoteText(MealCalendar& calendar, int32_t index, const std::string& text) {
  if (index < 0 || index >= calendar.count) return true;
  const int32_t id = MealId(calendar.meals, index);
  SetMealText(calendar.meals, index, text);
  const bool written = StoreMeal(calendar, StoreMode::kRewrite);
  calendar.current = FindMealById(calendar, id);
  return written;
}

bool MoveMealToDate(MealCalendar& calendar, int32_t index, const LocalDate& date) {
  if (index < 0 || index >= calendar.count) return true;
  if (MealDateKey(calendar.meals, index) == DateKey(date)) return true;
  const int32_t id = MealId(calendar.meals, index);
  CopyToEditEntry(calendar, index);
  SetMealDate(calendar.editEntry, 0, date);
  const bool written = StoreMeal(calendar, StoreMode::kAddOrReplace);
  calendar.current = FindMealById(calendar, id);
  return written;
}

std::vector<int32_t> MealsInRange(const MealCalendar& calendar, const MealRange& range) {
  std::vector<int32_t> meals;
  for (int32_t i = 0; i < calendar.count; ++i) {
    const uint32_t key = MealDateKey(calendar.meals, i);
    if (key >= range.fromKey && key <= range.toKey) meals.push_back(i);
  }
  return meals;
}

std::string MealListDate(const LocalDate& date) {
  return FormatDate(date.year, date.month, date.day) + ":  ";
}

}  // namespace tovalia
