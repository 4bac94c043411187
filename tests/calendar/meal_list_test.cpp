#include "calendar/meal_list.h"

#include <gtest/gtest.h>

#include "calendar/meal_printout.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::TempFolder;
using Texts = std::vector<std::string>;

// A calendar in a private folder with notes added in the order given.
class MealListTest : public ::testing::Test {
 protected:
  MealListTest() : calendar(folder.File("Event40.dat")) {}
  void Add(const std::string& text, LocalDate date) { ASSERT_TRUE(AddMeal(calendar, 0, text, kMealNote, date)); }
  Texts All() const {
    Texts texts;
    for (int32_t i = 0; i < calendar.count; ++i) texts.push_back(MealText(calendar.meals, i));
    return texts;
  }
  Texts FromFile() const {
    MealCalendar again(calendar.path);
    LoadMeals(again);
    Texts texts;
    for (int32_t i = 0; i < again.count; ++i)
      texts.push_back(MealText(again.meals, i) + (MealIsTicked(again.meals, i) ? "*" : ""));
    return texts;
  }
  TempFolder folder;
  MealCalendar calendar;
};

TEST_F(MealListTest, CtrlUpAndDownOnlySwapMealsOfTheSameDate) {
  Add("a", {2026, 12, 7});
  Add("b", {2026, 12, 8});
  Add("c", {2026, 12, 8});
  calendar.current = 1;  // b, the first meal of its date
  ASSERT_TRUE(MoveMealWithinDate(calendar, -1));
  EXPECT_EQ(All(), (Texts{"a", "b", "c"}));
  EXPECT_EQ(calendar.current, 1);
  ASSERT_TRUE(MoveMealWithinDate(calendar, +1));
  EXPECT_EQ(All(), (Texts{"a", "c", "b"}));
  EXPECT_EQ(calendar.current, 2);  // the moved meal stays current
  EXPECT_EQ(FromFile(), (Texts{"a", "c", "b"}));
  ASSERT_TRUE(MoveMealWithinDate(calendar, +1));  // the last meal: nothing below
  EXPECT_EQ(All(), (Texts{"a", "c", "b"}));
}

TEST_F(MealListTest, CtrlATicksAllUnlessAllAreTicked) {
  for (const char* text : {"a", "b", "c", "d", "e"}) Add(text, {2026, 12, 8});
  for (int i : {0, 2, 4}) ASSERT_TRUE(ToggleMealTick(calendar, i));
  EXPECT_EQ(TickedMeals(calendar).size(), 3u);
  ASSERT_TRUE(TickAllOrNone(calendar));
  EXPECT_EQ(TickedMeals(calendar).size(), 5u);
  EXPECT_EQ(FromFile(), (Texts{"a*", "b*", "c*", "d*", "e*"}));
  ASSERT_TRUE(TickAllOrNone(calendar));
  EXPECT_TRUE(TickedMeals(calendar).empty());
  EXPECT_EQ(FromFile(), (Texts{"a", "b", "c", "d", "e"}));
}

TEST_F(MealListTest, DeletingTheTickedMealsKeepsTheCurrentOneAndTheRest) {
  for (const char* text : {"a", "b", "c", "d"}) Add(text, {2026, 12, 8});
  ASSERT_TRUE(ToggleMealTick(calendar, 0));
  ASSERT_TRUE(ToggleMealTick(calendar, 2));
  calendar.current = 3;
  ASSERT_TRUE(DeleteMeals(calendar, TickedMeals(calendar)));
  EXPECT_EQ(All(), (Texts{"b", "d"}));
  EXPECT_EQ(FromFile(), (Texts{"b", "d"}));
  EXPECT_EQ(calendar.current, 1);  // kept within the list
  ASSERT_TRUE(DeleteMeals(calendar, {1}));
  EXPECT_EQ(calendar.current, 0);
  ASSERT_TRUE(DeleteMeals(calendar, {0}));
  EXPECT_EQ(calendar.current, -1);
}

TEST_F(MealListTest, ADraggedMealLandsAfterTheMealsOfItsNewDay) {
  Add("x", {2026, 12, 7});
  Add("y1", {2026, 12, 9});
  Add("y2", {2026, 12, 9});
  Add("z", {2026, 12, 10});
  ASSERT_TRUE(MoveMealToDate(calendar, 0, {2026, 12, 9}));
  EXPECT_EQ(All(), (Texts{"y1", "y2", "x", "z"}));
  EXPECT_EQ(calendar.current, 2);
  EXPECT_EQ(MealDate(calendar.meals, 2), (LocalDate{2026, 12, 9}));
  // Dropped on its own day it keeps its place.
  ASSERT_TRUE(MoveMealToDate(calendar, 0, {2026, 12, 9}));
  EXPECT_EQ(All(), (Texts{"y1", "y2", "x", "z"}));
}

TEST_F(MealListTest, EditingANoteKeepsItsIdDateAndPlace) {
  Add("a", {2026, 12, 8});
  Add("b", {2026, 12, 8});
  const int32_t id = MealId(calendar.meals, 0);
  ASSERT_TRUE(SaveNoteText(calendar, 0, "leftovers"));
  EXPECT_EQ(All(), (Texts{"leftovers", "b"}));
  EXPECT_EQ(MealId(calendar.meals, 0), id);
  EXPECT_EQ(calendar.current, 0);
}

TEST_F(MealListTest, KeysMoveAndScrollWithinTheList) {
  for (int i = 0; i < 20; ++i) Add("m" + std::to_string(i), {2026, 12, 8 + i % 3});
  calendar.current = -1;
  StepCurrentMeal(calendar, 1);
  EXPECT_EQ(calendar.current, 0);  // with none current the first becomes current
  StepCurrentMeal(calendar, -1);
  EXPECT_EQ(calendar.current, 0);
  PageDownMeals(calendar, 6);
  EXPECT_EQ(calendar.topRow, 6);
  EXPECT_EQ(calendar.current, 11);
  PageDownMeals(calendar, 6);
  PageDownMeals(calendar, 6);
  EXPECT_EQ(calendar.topRow, 14);  // count - visible
  EXPECT_EQ(calendar.current, 19);
  PageUpMeals(calendar, 6);
  EXPECT_EQ(calendar.topRow, 8);
  EXPECT_EQ(calendar.current, 8);
  LastMeal(calendar, 6);
  EXPECT_EQ(calendar.current, 19);
  EXPECT_EQ(calendar.topRow, 14);
  FirstMeal(calendar);
  EXPECT_EQ(calendar.current, 0);
  EXPECT_EQ(calendar.topRow, 0);
  calendar.current = 15;
  ScrollMealIntoView(calendar, 6);
  EXPECT_EQ(calendar.topRow, 10);
  calendar.current = 3;
  ScrollMealIntoView(calendar, 6);
  EXPECT_EQ(calendar.topRow, 3);
}

TEST_F(MealListTest, TheFirstMealOfADateIsFound) {
  Add("a", {2026, 12, 7});
  Add("b", {2026, 12, 8});
  Add("c", {2026, 12, 8});
  EXPECT_EQ(FirstMealOn(calendar, {2026, 12, 8}), 1);
  EXPECT_EQ(FirstMealOn(calendar, {2026, 12, 9}), -1);
  EXPECT_TRUE(FirstOfItsDate(calendar, 1));
  EXPECT_FALSE(FirstOfItsDate(calendar, 2));
  EXPECT_EQ(MealListDate({2026, 12, 8}), "Dec 8, 2026:  ");
}

TEST_F(MealListTest, PrintingTakesEveryMealUnlessSomeAreTicked) {
  Add("Soup", {2026, 12, 9});
  Add("Roast", {2026, 12, 10});
  EXPECT_EQ(MealsToPrint(calendar), (std::vector<int32_t>{0, 1}));
  ASSERT_TRUE(ToggleMealTick(calendar, 1));
  EXPECT_EQ(MealsToPrint(calendar), (std::vector<int32_t>{1}));
  ASSERT_TRUE(ToggleMealTick(calendar, 0));
  EXPECT_EQ(MealsToPrint(calendar), (std::vector<int32_t>{0, 1}));
  const std::vector<MealPrintLine> lines = MealPrintLines(calendar);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].dayName, "Wed,");
  EXPECT_EQ(lines[0].date, "Dec 9:  ");
  EXPECT_EQ(lines[0].text, "Soup");
  EXPECT_EQ(lines[1].dayName, "Thu,");
}

}  // namespace
}  // namespace tovalia
