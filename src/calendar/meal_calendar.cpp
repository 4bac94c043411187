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

namespace {

// Makes the block hold at least `bytes`, with room to grow: a block of this
// size costs its page faults only once, not at every read and write.
void Reserve(MealCalendar& calendar, int64_t bytes) {
  if (calendar.meals.Size() >= bytes) return;
  const int64_t room = bytes + std::max<int64_t>(bytes / 8, 64 * kMealRecordSize);
  FreeBuffer(calendar.meals);
  CreateBuffer(static_cast<int32_t>(std::min<int64_t>(room, INT32_MAX)), calendar.meals);
}

// Keeps the first `records` records of the block that are dated on or after
// the grid's first day, closing the gaps; sets the count.
void KeepFromFirstDay(MealCalendar& calendar, int32_t records) {
  int32_t kept = 0;
  for (int32_t i = 0; i < records; ++i) {
    if (MealDateKey(calendar.meals, i) < calendar.firstDayKey) continue;
    if (kept != i)
      MoveBytes(calendar.meals, i * kMealRecordSize, calendar.meals, kept * kMealRecordSize, kMealRecordSize);
    ++kept;
  }
  calendar.count = kept;
  if (calendar.current >= calendar.count) calendar.current = calendar.count - 1;
  IndexPlannedRecipes(calendar);
}

}  // namespace

bool LoadMeals(MealCalendar& calendar) {
  calendar.count = 0;
  bool read = true;
  int32_t records = 0;
  if (FileExists(calendar.path)) {
    DataFile file = OpenDataFile("i", calendar.path);
    const int64_t length = file.IsOpen() ? FileLength(file) : -1;
    read = length >= 0 && length <= INT32_MAX;
    if (read) {
      records = static_cast<int32_t>(length / kMealRecordSize);
      Reserve(calendar, int64_t{records} * kMealRecordSize);
      const int32_t bytes = records * kMealRecordSize;
      read = bytes == 0 || ReadBlock(file, calendar.meals, 0, bytes) == bytes;
    }
    if (!read) records = 0;
  }
  KeepFromFirstDay(calendar, records);
  calendar.readable = read;
  return read;
}

namespace {

// The emptied scratch vector with room for that many records, grown with
// headroom so that adding meal after meal does not allocate every time.
std::vector<uint8_t>& ScratchFor(MealCalendar& calendar, size_t records) {
  std::vector<uint8_t>& bytes = calendar.scratch;
  bytes.clear();
  const size_t needed = records * kMealRecordSize;
  if (bytes.capacity() < needed) bytes.reserve(needed + std::max<size_t>(needed / 8, 64 * kMealRecordSize));
  return bytes;
}

// Writes the records, then holds them as a read of the file would.
bool WriteMeals(MealCalendar& calendar, const std::vector<uint8_t>& bytes) {
  if (!calendar.readable || !ReplaceFileContents(calendar.path, bytes.data(), bytes.size())) {
    LoadMeals(calendar);
    return false;
  }
  const int32_t records = static_cast<int32_t>(bytes.size() / kMealRecordSize);
  Reserve(calendar, int64_t{records} * kMealRecordSize);
  if (!bytes.empty()) std::memcpy(calendar.meals.Data(), bytes.data(), bytes.size());
  KeepFromFirstDay(calendar, records);
  return true;
}

}  // namespace

bool StoreMeal(MealCalendar& calendar, StoreMode mode) {
  const int32_t editId = MealId(calendar.editEntry, 0);
  const uint32_t editKey = MealDateKey(calendar.editEntry, 0);
  std::vector<uint8_t>& bytes = ScratchFor(calendar, static_cast<size_t>(calendar.count) + 1);
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
  std::vector<uint8_t>& bytes = ScratchFor(calendar, static_cast<size_t>(calendar.count) + added.size());
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
