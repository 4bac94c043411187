#include "calendar/meal_recipes.h"

#include <gtest/gtest.h>

#include "calendar/meal_plan_view.h"
#include "db/recipe_lists.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

TEST(MealRecipes, TheViewOfPlannedRecipesReadsTheCalendarAgain) {
  testing::Collection collection;
  Database& db = collection.db();
  collection.AppendChapter(1, "Dinners");
  collection.AppendRecipe(1, 1, "Beef Stew");
  collection.AppendRecipe(2, 1, "Chicken Curry");
  collection.AppendRecipe(3, 1, "Lentil Soup");
  ASSERT_TRUE(SortIndex(db));
  MealCalendar calendar(db.paths.eventFile);
  AttachMealCalendar(db, calendar);
  BuildRecipeList(db, kRecipesSelectedForMeals);
  EXPECT_TRUE(db.recipeList.empty());

  // Another writer (the command line, another screen) plans two meals.
  MealCalendar other(db.paths.eventFile);
  ASSERT_TRUE(AddMeal(other, 3, "Lentil Soup", kMealRecipe, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(other, 0, "Eat out", kMealNote, {2026, 12, 9}));
  ASSERT_TRUE(AddMeal(other, 1, "Beef Stew", kMealRecipe, {2026, 12, 10}));
  BuildRecipeList(db, kRecipesSelectedForMeals);
  ASSERT_EQ(db.recipeList.size(), 2u);
  EXPECT_EQ(EntryTitle(db, db.recipeList[0]), "Beef Stew");
  EXPECT_EQ(EntryTitle(db, db.recipeList[1]), "Lentil Soup");
  DetachMealCalendar(db);
  BuildRecipeList(db, kRecipesSelectedForMeals);
  EXPECT_TRUE(db.recipeList.empty());
}

TEST(MealRecipes, TheRecipesOfMealsLeaveOutNotesAndDeletedRecipes) {
  testing::Collection collection;
  Database& db = collection.db();
  collection.AppendRecipe(1, 1, "Beef Stew");
  collection.AppendRecipe(2, 1, "Chicken Curry");
  ASSERT_TRUE(SortIndex(db));
  MealCalendar calendar(db.paths.eventFile);
  ASSERT_TRUE(AddMeal(calendar, 2, "Chicken Curry", kMealRecipe, {2026, 12, 7}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Eat out", kMealNote, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(calendar, 9, "Gone Pie", kMealRecipe, {2026, 12, 9}));
  ASSERT_TRUE(AddMeal(calendar, 2, "Chicken Curry", kMealRecipe, {2026, 12, 10}));
  const MealRecipes found = RecipesOfMeals(db, calendar, {0, 1, 2, 3});
  ASSERT_EQ(found.entries.size(), 2u);  // the curry twice: it is cooked twice
  EXPECT_EQ(EntryRecipeId(db, found.entries[0]), 2);
  EXPECT_EQ(found.entries[0], found.entries[1]);
  EXPECT_EQ(found.notes, 1);
  EXPECT_EQ(found.missing, 1);
}

}  // namespace
}  // namespace tovalia
