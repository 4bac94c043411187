// The meal calendar's program-wide state and Event40.dat: a headerless run
// of 100-byte meal records sorted by date, entries of one date in the order
// they were added. Every change rewrites the whole file at once (through a
// temporary file and a rename) and reads it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/meal_record.h"
#include "db/byte_buffer.h"
#include "db/clock.h"

namespace tovalia {

struct MealCalendar {
  explicit MealCalendar(std::string eventFilePath);

  std::string path;
  ByteBuffer meals;        // the kept entries, kMealRecordSize bytes each (the block may be larger)
  int32_t count = 0;
  int32_t current = -1;    // the current entry of the meal list, -1 for none
  int32_t topRow = 0;      // the meal list's first visible row
  // The date key of the grid's first day: entries before it are dropped
  // when the file is read. 0 until the Meals screen has been entered.
  uint32_t firstDayKey = 0;
  // False after a read of an existing file failed: nothing is written then,
  // so an unreadable file is never replaced by what little memory holds.
  bool readable = true;
  ByteBuffer editEntry;    // the one entry StoreMeal works on
  std::vector<int32_t> plannedRecipes;  // recipe ids of recipe entries, sorted
  std::vector<uint8_t> scratch;         // the next file's bytes while a write is built
};

enum class StoreMode { kDelete = 0, kAddOrReplace = 1, kRewrite = 2 };

// Reads Event40.dat, keeping the records dated on or after firstDayKey in
// file order. A missing file is an empty calendar. False when the file is
// there but cannot be read (the calendar is then empty).
bool LoadMeals(MealCalendar& calendar);

// Writes the file, then reads it back:
//   kRewrite: every kept entry as it stands in memory;
//   kAddOrReplace: the entries with the edit entry placed before the first
//     entry dated after it, leaving out an old entry with the same id;
//   kDelete: the entries except the one with the edit entry's id.
// False when the file could not be written, or could not be read before;
// memory then holds the file as it is.
bool StoreMeal(MealCalendar& calendar, StoreMode mode);

// The smallest entry id of 0 or more that no entry carries.
int32_t NextFreeMealId(const MealCalendar& calendar);

// Adds a meal (a recipe with its id and title, or a note) and makes it the
// current entry. False when the file could not be written.
bool AddMeal(MealCalendar& calendar, int32_t recipeId, const std::string& text, int32_t kind,
             const LocalDate& date);

struct NewMeal {
  int32_t recipeId = 0;
  std::string text;
  int32_t kind = kMealNote;
  LocalDate date;
};
// Adds the meals in one write, each placed as AddMeal would place it after
// the ones before it; the last one becomes current.
bool AddMeals(MealCalendar& calendar, const std::vector<NewMeal>& added);

// True when some kept recipe entry refers to the recipe.
bool IsRecipeOnCalendar(const MealCalendar& calendar, int32_t recipeId);

// The index of the last entry with that id, or -1.
int32_t FindMealById(const MealCalendar& calendar, int32_t id);

// Copies entry `index` into the edit entry.
void CopyToEditEntry(MealCalendar& calendar, int32_t index);

}  // namespace tovalia
