#include "calendar/meal_calendar.h"

#include <algorithm>
#include <cstring>

#include "calendar/meal_dates.h"
#include "db/data_file.h"

namespace tovalia {

MealCalendar::MealCalendar(std::string eventFilePath) : path(std::move(eventFilePath)) {
  CreateBuffer(kMealRecordSize, editEntry);
}

namespace {

void IndexPlannedRecipes(MealCalendar& calendar) {
  calendar.plannedRecipes.clear();
  for (int32_t i = 0; i < calendar.count; ++i)
    if (MealKindOf(calendar.meals, i) == kMealRecipe)
      calendar.plannedRecipes.push_back(MealRecipeId(calendar.meals, i));
  std::sort(calendar.plannedRecipes.begin(), calendar.plannedRecipes.end());
}

const uint8_t* Record(const MealCalendar& calendar, int32_t index) {
  return calendar.meals.Data() + static_cast<size_t>(index) * kMealRecordSize;
}

}  // namespace

bool LoadMeals(MealCalendar& calendar) {
  FreeBuffer(calendar.meals);
  calendar.count = 0;
  bool read = true;
  if (FileExists(calendar.path)) {
    ByteBuffer file;
    read = ReadWholeFile(calendar.path, file);
    const int32_t records = read ? file.Size() / kMealRecordSize : 0;
    if (records > 0) {
      CreateBuffer(records * kMealRecordSize, calendar.meals);
      for (int32_t i = 0; i < records; ++i) {
        if (MealDateKey(file, i) < calendar.firstDayKey) continue;
        MoveBytes(file, i * kMealRecordSize, calendar.meals, calendar.count * kMealRecordSize,
                  kMealRecordSize);
        ++calendar.count;
      }
    }
  }
  if (calendar.current >= calendar.count) calendar.current = calendar.count - 1;
  IndexPlannedRecipes(calendar);
  calendar.readable = read;
  return read;
}

namespace {

// Writes the records and reads the file back.
bool WriteMeals(MealCalendar& calendar, const std::vector<uint8_t>& bytes) {
  if (!calendar.readable) {
    LoadMeals(calendar);
    return false;
  }
  const bool written = ReplaceFileContents(calendar.path, bytes.data(), bytes.size());
  LoadMeals(calendar);
  return written;
}

}  // namespace

bool StoreMeal(MealCalendar& calendar, StoreMode mode) {
  const int32_t editId = MealId(calendar.editEntry, 0);
  const uint32_t editKey = MealDateKey(calendar.editEntry, 0);
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(calendar.count + 1) * kMealRecordSize);
  auto append = [&bytes](const uint8_t* record) { bytes.insert(bytes.end(), record, record + kMealRecordSize); };
  bool placed = mode != StoreMode::kAddOrReplace;
  for (int32_t i = 0; i < calendar.count; ++i) {
    if (!placed && MealDateKey(calendar.meals, i) > editKey) {
      append(calendar.editEntry.Data());
      placed = true;
    }
    if (mode != StoreMode::kRewrite && MealId(calendar.meals, i) == editId) continue;
    append(Record(calendar, i));
  }
  if (!placed) append(calendar.editEntry.Data());
  return WriteMeals(calendar, bytes);
}

int32_t NextFreeMealId(const MealCalendar& calendar) {
  // Ids 0 .. count cannot all be taken, so the answer lies among them.
  std::vector<bool> taken(static_cast<size_t>(calendar.count) + 1, false);
  for (int32_t i = 0; i < calendar.count; ++i) {
    const int32_t id = MealId(calendar.meals, i);
    if (id >= 0 && id <= calendar.count) taken[static_cast<size_t>(id)] = true;
  }
  return static_cast<int32_t>(std::find(taken.begin(), taken.end(), false) - taken.begin());
}

bool AddMeal(MealCalendar& calendar, int32_t recipeId, const std::string& text, int32_t kind,
             const LocalDate& date) {
  return AddMeals(calendar, {NewMeal{recipeId, text, kind, date}});
}

bool AddMeals(MealCalendar& calendar, const std::vector<NewMeal>& added) {
  if (added.empty()) return true;
  // The new records with the smallest free ids, in the order given.
  std::vector<bool> taken(static_cast<size_t>(calendar.count) + added.size(), false);
  for (int32_t i = 0; i < calendar.count; ++i) {
    const int32_t id = MealId(calendar.meals, i);
    if (id >= 0 && static_cast<size_t>(id) < taken.size()) taken[static_cast<size_t>(id)] = true;
  }
  ByteBuffer fresh;
  CreateBuffer(static_cast<int32_t>(added.size()) * kMealRecordSize, fresh);
  size_t candidate = 0;
  for (size_t n = 0; n < added.size(); ++n) {
    while (taken[candidate]) ++candidate;
    taken[candidate] = true;
    const NewMeal& meal = added[n];
    WriteMealRecord(fresh, static_cast<int32_t>(n), static_cast<int32_t>(candidate), meal.date, meal.kind,
                    meal.recipeId, meal.text);
  }
  // Each new record goes before the first entry dated after it: a merge of
  // the entries with the new records in date order (equal dates keep the
  // order given).
  std::vector<int32_t> order(added.size());
  for (size_t n = 0; n < order.size(); ++n) order[n] = static_cast<int32_t>(n);
  std::stable_sort(order.begin(), order.end(),
                   [&fresh](int32_t a, int32_t b) { return MealDateKey(fresh, a) < MealDateKey(fresh, b); });
  std::vector<uint8_t> bytes;
  bytes.reserve((static_cast<size_t>(calendar.count) + added.size()) * kMealRecordSize);
  auto append = [&bytes](const uint8_t* record) { bytes.insert(bytes.end(), record, record + kMealRecordSize); };
  size_t next = 0;
  auto appendNew = [&](int32_t n) { append(fresh.Data() + static_cast<size_t>(n) * kMealRecordSize); };
  for (int32_t i = 0; i < calendar.count; ++i) {
    const uint32_t key = MealDateKey(calendar.meals, i);
    while (next < order.size() && MealDateKey(fresh, order[next]) < key) appendNew(order[next++]);
    append(Record(calendar, i));
  }
  while (next < order.size()) appendNew(order[next++]);
  const int32_t lastId = MealId(fresh, static_cast<int32_t>(added.size()) - 1);
  const bool written = WriteMeals(calendar, bytes);
  if (written) calendar.current = FindMealById(calendar, lastId);
  return written;
}

bool IsRecipeOnCalendar(const MealCalendar& calendar, int32_t recipeId) {
  return std::binary_search(calendar.plannedRecipes.begin(), calendar.plannedRecipes.end(), recipeId);
}

int32_t FindMealById(const MealCalendar& calendar, int32_t id) {
  for (int32_t i = calendar.count - 1; i >= 0; --i)
    if (MealId(calendar.meals, i) == id) return i;
  return -1;
}

void CopyToEditEntry(MealCalendar& calendar, int32_t index) {
  MoveBytes(calendar.meals, index * kMealRecordSize, calendar.editEntry, 0, kMealRecordSize);
}

}  // namespace tovalia
