#include "db/chapter_operations.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_operations.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::ReadBytes;

std::vector<std::string> ListTitles(const Database& db) {
  std::vector<std::string> titles;
  for (int32_t o : db.recipeList) titles.emplace_back(EntryTitle(db, o));
  return titles;
}

std::vector<std::string> ChapterNames(const Database& db) {
  std::vector<std::string> names;
  for (size_t row = kReservedChapterRows; row < db.chapterTable.size(); ++row)
    names.push_back(db.chapterTable[row].name);
  return names;
}

class Chapters : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Soups");
    c.AppendChapter(2, "Soup Kitchen");
    c.AppendChapter(3, "Breads");
    c.AppendChapter(4, "Notes");
    c.AppendRecipe(1, 1, "Leek Soup", "leeks");
    c.AppendRecipe(2, 2, "Minestrone", "beans");
    c.AppendRecipe(3, 3, "Rye", "rye");
    c.AppendRecipe(4, 4, "Stock tips", "bones", "", kKindTextRecord);
    SortIndex(c.db());
  }
  Database& db() { return c.db(); }
  Collection c;
};

TEST_F(Chapters, AddingMakesTheNewChapterCurrent) {
  EXPECT_EQ(AddChapter(db(), "Desserts"), 5);
  EXPECT_EQ(db().chapterTable[static_cast<size_t>(db().currentChapterRow)].name, "Desserts");
  EXPECT_EQ(ChapterNames(db()), (std::vector<std::string>{"Breads", "Desserts", "Notes", "Soup Kitchen", "Soups"}));
}

TEST_F(Chapters, RenamingKeepsTheNumberAndWhatIsFiledInIt) {
  FindChapterRow(db(), 3);
  ASSERT_TRUE(RenameChapter(db(), "breads"));  // a change of case is a rename
  EXPECT_EQ(ChapterName(db(), 3), "breads");
  EXPECT_EQ(ListTitles(db()), (std::vector<std::string>{"Rye"}));
  EXPECT_EQ(db().wastedBytes, 46);  // the old chapter record
  c.Reopen();
  ScanRecords(c.db());
  EXPECT_EQ(ChapterName(c.db(), 3), "breads");
  FindChapterRow(c.db(), kAllRecipes);
  EXPECT_FALSE(RenameChapter(c.db(), "All"));  // reserved views cannot be renamed
}

TEST_F(Chapters, DeletingAChapterDeletesEverythingInIt) {
  FindChapterRow(db(), 1);
  const int32_t row = db().currentChapterRow;
  ASSERT_TRUE(DeleteChapter(db()));
  EXPECT_EQ(db().wastedBytes, (40 + 5) + (40 + 9 + 5));  // the chapter and Leek Soup
  EXPECT_EQ(db().currentChapterRow, row - 1);
  BuildRecipeList(db(), kAllRecipes);
  EXPECT_EQ(ListTitles(db()), (std::vector<std::string>{"Minestrone", "Rye", "Stock tips"}));
  EXPECT_EQ(ChapterName(db(), 1), "");
}

TEST_F(Chapters, PurgingKeepsChaptersWithATextRecord) {
  AddChapter(db(), "Empty One");
  AddChapter(db(), "Empty Two");
  EXPECT_EQ(PurgeEmptyChapters(db()), 2);
  EXPECT_EQ(ChapterNames(db()), (std::vector<std::string>{"Breads", "Notes", "Soup Kitchen", "Soups"}));
  EXPECT_EQ(db().currentChapterRow, 0);
}

TEST_F(Chapters, FindingChaptersFillsSearchResultsAndSavesTheFlags) {
  EXPECT_EQ(FindChapters(db(), "SOUP"), 2);
  EXPECT_EQ(db().chapterTable[static_cast<size_t>(db().currentChapterRow)].number, kSearchResults);
  EXPECT_EQ(ListTitles(db()), (std::vector<std::string>{"Leek Soup", "Minestrone"}));
  EXPECT_EQ(db().selectionFlags, (std::vector<uint8_t>{1, 0}));
  c.Reopen();
  LoadIndex(c.db());
  BuildRecipeList(c.db(), kSearchResults);
  EXPECT_EQ(ListTitles(c.db()).size(), 2u);
  EXPECT_EQ(FindChapters(c.db(), "bread"), 1);
  EXPECT_EQ(ListTitles(c.db()), (std::vector<std::string>{"Rye"}));
}

class Recipes : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Mains");
    c.AppendChapter(2, "Sides");
    for (int i = 1; i <= 7; ++i) c.AppendRecipe(i, 1, "Dish " + std::to_string(i), "x");
    SortIndex(c.db());
    FindChapterRow(c.db(), 1);
    BuildCurrentList(c.db());
  }
  void Tick(std::initializer_list<int> items) {
    std::fill(c.db().selectionFlags.begin(), c.db().selectionFlags.end(), 0);
    for (int item : items) c.db().selectionFlags[static_cast<size_t>(item)] = 1;
  }
  Database& db() { return c.db(); }
  Collection c;
};

TEST_F(Recipes, DeletingItemsThreeAndFiveLeavesPositionTwo) {
  Tick({3, 5});
  ASSERT_TRUE(DeleteTickedRecipes(db()).Done());
  EXPECT_EQ(db().listPosition, 2);
  EXPECT_EQ(ListTitles(db()), (std::vector<std::string>{"Dish 1", "Dish 2", "Dish 3", "Dish 5", "Dish 7"}));
  EXPECT_EQ(db().selectionFlags, (std::vector<uint8_t>{0, 0, 1, 0, 0}));
  Tick({0});
  ASSERT_TRUE(DeleteTickedRecipes(db()).Done());
  EXPECT_EQ(db().listPosition, 0);
}

TEST_F(Recipes, MovingRewritesOnlyTheChapterNumberInPlace) {
  std::vector<uint8_t> before = ReadBytes(db().paths.recipeFile);
  const int32_t position = EntryPosition(db(), db().recipeList[1]);
  Tick({1, 2});
  ASSERT_TRUE(MoveTickedRecipes(db(), 2).Done());
  std::vector<uint8_t> after = ReadBytes(db().paths.recipeFile);
  ASSERT_EQ(after.size(), before.size());
  size_t changed = 0;
  for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i];
  EXPECT_EQ(changed, 2u);  // one byte of each of the two chapter numbers
  EXPECT_EQ(after[static_cast<size_t>(position) + 30], 2);
  EXPECT_EQ(db().wastedBytes, 0);
  EXPECT_EQ(db().listPosition, 0);
  BuildRecipeList(db(), 2);
  EXPECT_EQ(ListTitles(db()), (std::vector<std::string>{"Dish 2", "Dish 3"}));
}

TEST_F(Recipes, CopyingIntoTheSameChapterGivesANewNumber) {
  Tick({0});
  ASSERT_TRUE(CopyTickedRecipes(db(), 1).Done());
  EXPECT_EQ(ListTitles(db()).size(), 8u);
  EXPECT_EQ(ListTitles(db())[0], "Dish 1");
  EXPECT_EQ(ListTitles(db())[1], "Dish 1");
  std::vector<int32_t> ids = {EntryRecipeId(db(), db().recipeList[0]),
                              EntryRecipeId(db(), db().recipeList[1])};
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 8}));
  EXPECT_EQ(db().nextRecipeId, 9);
}

TEST_F(Recipes, AnEditKeepsNumberChapterAndSearchFlag) {
  SetEntrySearchFlag(db(), db().recipeList[2], 1);
  ASSERT_TRUE(LoadRecord(db(), EntryPosition(db(), db().recipeList[2])));
  SetCurrentTitle(db(), "A Better Dish");
  ASSERT_TRUE(StoreEditedRecord(db(), 2).Done());
  EXPECT_EQ(ListTitles(db())[0], "A Better Dish");
  EXPECT_EQ(db().listPosition, 0);
  const int32_t o = db().recipeList[0];
  EXPECT_EQ(EntryRecipeId(db(), o), 3);
  EXPECT_EQ(EntryChapter(db(), o), 1);
  EXPECT_EQ(EntrySearchFlag(db(), o), 1);
  EXPECT_EQ(db().wastedBytes, 40 + 6 + 1);
  c.Reopen();
  ScanRecords(c.db());
  EXPECT_EQ(c.db().recipeCount, 7);
}

TEST_F(Recipes, NothingTickedChangesNothing) {
  Tick({});
  std::vector<uint8_t> before = ReadBytes(db().paths.recipeFile);
  EXPECT_EQ(DeleteTickedRecipes(db()).outcome, WriteOutcome::kNothingTicked);
  EXPECT_EQ(MoveTickedRecipes(db(), 2).outcome, WriteOutcome::kNothingTicked);
  EXPECT_EQ(CopyTickedRecipes(db(), 2).outcome, WriteOutcome::kNothingTicked);
  EXPECT_EQ(ReadBytes(db().paths.recipeFile), before);
}

}  // namespace
}  // namespace tovalia
