#include "calendar/meal_calendar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "calendar/meal_dates.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::I32At;
using testing::ReadBytes;
using testing::TempFolder;
using testing::U16At;
using testing::WriteBytes;

std::vector<std::string> Texts(const MealCalendar& calendar) {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < calendar.count; ++i) texts.push_back(MealText(calendar.meals, i));
  return texts;
}

using Texts_ = std::vector<std::string>;

TEST(MealFile, RecordsAreWrittenByteForByte) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(LoadMeals(calendar));
  EXPECT_EQ(calendar.count, 0);
  EXPECT_FALSE(Exists(calendar.path));
  ASSERT_TRUE(AddMeal(calendar, 1234, "Apple Pie", kMealRecipe, {2026, 12, 8}));
  const std::vector<uint8_t> bytes = ReadBytes(calendar.path);
  ASSERT_EQ(bytes.size(), 100u);
  EXPECT_EQ(I32At(bytes, 0), 0);        // entry id
  EXPECT_EQ(U16At(bytes, 4), 2026);
  EXPECT_EQ(bytes[6], 12);
  EXPECT_EQ(bytes[7], 8);
  EXPECT_EQ(bytes[8], 1);               // kind: recipe
  EXPECT_EQ(bytes[9], 0);               // flags
  EXPECT_EQ(I32At(bytes, 10), 1234);
  EXPECT_EQ(bytes[14], 9);
  EXPECT_EQ(std::string(bytes.begin() + 15, bytes.begin() + 24), "Apple Pie");
  for (size_t i = 24; i < 100; ++i) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_FALSE(Exists(calendar.path + ".new"));
}

TEST(MealFile, EntriesOfOneDateKeepTheOrderTheyWereAddedIn) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(AddMeal(calendar, 0, "First note", kMealNote, {2026, 12, 9}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Second note", kMealNote, {2026, 12, 9}));
  ASSERT_TRUE(AddMeal(calendar, 7, "Earlier meal", kMealRecipe, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Later", kMealNote, {2027, 1, 1}));
  EXPECT_EQ(Texts(calendar), (Texts_{"Earlier meal", "First note", "Second note", "Later"}));
  EXPECT_EQ(calendar.current, 3);
  ASSERT_TRUE(AddMeal(calendar, 0, "Third note", kMealNote, {2026, 12, 9}));
  EXPECT_EQ(Texts(calendar), (Texts_{"Earlier meal", "First note", "Second note", "Third note", "Later"}));
  EXPECT_EQ(calendar.current, 3);  // the new entry becomes current
  MealCalendar again(calendar.path);
  ASSERT_TRUE(LoadMeals(again));
  EXPECT_EQ(Texts(again), Texts(calendar));
}

TEST(MealFile, NewEntriesTakeTheSmallestFreeId) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(AddMeal(calendar, 0, "n" + std::to_string(i), kMealNote, {2026, 12, 8}));
  EXPECT_EQ(MealId(calendar.meals, 2), 2);
  CopyToEditEntry(calendar, 1);
  ASSERT_TRUE(StoreMeal(calendar, StoreMode::kDelete));
  EXPECT_EQ(Texts(calendar), (Texts_{"n0", "n2"}));
  EXPECT_EQ(NextFreeMealId(calendar), 1);
  ASSERT_TRUE(AddMeal(calendar, 0, "again", kMealNote, {2026, 12, 1}));
  EXPECT_EQ(MealId(calendar.meals, 0), 1);
  EXPECT_EQ(NextFreeMealId(calendar), 3);
}

TEST(MealFile, IdsInAnyOrderAndNegativeOrHugeIdsStillGiveTheSmallestFree) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  std::vector<uint8_t> bytes(500, 0);
  const int32_t ids[] = {3, -5, 0, 2, 2147483647};
  for (int i = 0; i < 5; ++i) {
    bytes[i * 100] = static_cast<uint8_t>(ids[i]);
    for (int b = 1; b < 4; ++b) bytes[i * 100 + b] = static_cast<uint8_t>(ids[i] >> (8 * b));
    bytes[i * 100 + 4] = 0xEA, bytes[i * 100 + 5] = 0x07, bytes[i * 100 + 6] = 1, bytes[i * 100 + 7] = 1;
  }
  WriteBytes(calendar.path, bytes);
  ASSERT_TRUE(LoadMeals(calendar));
  EXPECT_EQ(NextFreeMealId(calendar), 1);
}

TEST(MealFile, AFileWhoseSizeIsNoMultipleOf100KeepsItsWholeRecords) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(AddMeal(calendar, 0, "Soup", kMealNote, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Bread", kMealNote, {2026, 12, 9}));
  std::vector<uint8_t> bytes = ReadBytes(calendar.path);
  bytes.resize(257, 0x41);
  WriteBytes(calendar.path, bytes);
  ASSERT_TRUE(LoadMeals(calendar));
  EXPECT_EQ(Texts(calendar), (Texts_{"Soup", "Bread"}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Cake", kMealNote, {2026, 12, 10}));
  EXPECT_EQ(ReadBytes(calendar.path).size(), 300u);  // the broken tail is gone
}

TEST(MealFile, ADamagedLengthByteNeverReadsPastTheText) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  std::vector<uint8_t> bytes(100, 'x');
  bytes[14] = 255;
  WriteBytes(calendar.path, bytes);
  ASSERT_TRUE(LoadMeals(calendar));
  ASSERT_EQ(calendar.count, 1);
  EXPECT_EQ(MealText(calendar.meals, 0).size(), 81u);
}

TEST(MealFile, LongTitlesAreCutTo81Characters) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(AddMeal(calendar, 5, std::string(200, 'T'), kMealRecipe, {2026, 12, 8}));
  EXPECT_EQ(MealText(calendar.meals, 0), std::string(81, 'T'));
  EXPECT_EQ(ReadBytes(calendar.path)[14], 81);
}

TEST(MealFile, MealsBeforeTheGridsFirstDayAreDroppedOnlyOnceItIsSet) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(AddMeal(calendar, 0, "Sep 26", kMealNote, {2026, 9, 26}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Sep 30", kMealNote, {2026, 9, 30}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Dec 7", kMealNote, {2026, 12, 7}));
  EXPECT_EQ(calendar.count, 3);
  calendar.firstDayKey = DateKey(2026, 9, 27);
  ASSERT_TRUE(LoadMeals(calendar));
  EXPECT_EQ(Texts(calendar), (Texts_{"Sep 30", "Dec 7"}));
  EXPECT_EQ(ReadBytes(calendar.path).size(), 300u);  // still in the file until the next write
  ASSERT_TRUE(AddMeal(calendar, 0, "Dec 8", kMealNote, {2026, 12, 8}));
  EXPECT_EQ(ReadBytes(calendar.path).size(), 300u);
}

TEST(MealFile, RecipesOnTheCalendarAreFoundByTheirIds) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(AddMeal(calendar, 42, "Stew", kMealRecipe, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Eat out", kMealNote, {2026, 12, 8}));
  EXPECT_TRUE(IsRecipeOnCalendar(calendar, 42));
  EXPECT_FALSE(IsRecipeOnCalendar(calendar, 0));  // a note's recipe id does not count
  EXPECT_FALSE(IsRecipeOnCalendar(calendar, 43));
}

TEST(MealFile, AFileThatCannotBeReadIsNeverOverwritten) {
  TempFolder folder;
  MealCalendar calendar(folder.File("Event40.dat"));
  ASSERT_TRUE(AddMeal(calendar, 0, "Keep me", kMealNote, {2026, 12, 8}));
  // Larger than any buffer can hold (sparse, so it costs no disk): the read fails.
  const uintmax_t size = (uintmax_t{1} << 31) + 100;
  std::filesystem::resize_file(calendar.path, size);
  EXPECT_FALSE(LoadMeals(calendar));
  EXPECT_EQ(calendar.count, 0);
  EXPECT_FALSE(AddMeal(calendar, 0, "Lost?", kMealNote, {2026, 12, 9}));
  EXPECT_EQ(std::filesystem::file_size(calendar.path), size);
  std::vector<uint8_t> head(100);
  std::ifstream(calendar.path, std::ios::binary).read(reinterpret_cast<char*>(head.data()), 100);
  EXPECT_EQ(std::string(head.begin() + 15, head.begin() + 22), "Keep me");
}

TEST(MealFile, AFailedWriteLeavesMemoryAsTheFileIs) {
  TempFolder folder;
  MealCalendar calendar(folder.File("no-such-folder/Event40.dat"));
  EXPECT_FALSE(AddMeal(calendar, 0, "Nowhere", kMealNote, {2026, 12, 8}));
  EXPECT_EQ(calendar.count, 0);
  EXPECT_EQ(calendar.current, -1);
}

}  // namespace
}  // namespace tovalia
