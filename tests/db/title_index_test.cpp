#include "db/title_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/recipe_lists.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::ReadBytes;
using testing::WriteBytes;

std::vector<std::string> Titles(const Database& db) {
  std::vector<std::string> titles;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o))
    titles.emplace_back(EntryTitle(db, o));
  return titles;
}

std::vector<std::string> ListTitles(Database& db, int32_t chapter) {
  BuildRecipeList(db, chapter);
  std::vector<std::string> titles;
  for (int32_t o : db.recipeList) titles.emplace_back(EntryTitle(db, o));
  return titles;
}

std::vector<std::pair<int32_t, std::string>> Chapters(const Database& db) {
  std::vector<std::pair<int32_t, std::string>> rows;
  for (const ChapterRow& row : db.chapterTable) rows.emplace_back(row.number, row.name);
  return rows;
}

TEST(TitleIndex, SortsTitlesUpperCasedWithChaptersAmongRecipes) {
  Collection c;
  c.AppendRecipe(1, 2, "apple pie");
  c.AppendChapter(1, "Zucchini");
  c.AppendRecipe(2, 2, "Apple Crumble");
  c.AppendChapter(2, "apples");
  c.AppendRecipe(3, 1, "APPLE");
  SortIndex(c.db());
  EXPECT_EQ(Titles(c.db()),
            (std::vector<std::string>{"APPLE", "Apple Crumble", "apple pie", "apples", "Zucchini"}));
  ASSERT_EQ(c.db().chapterTable.size(), 6u);
  EXPECT_EQ(c.db().chapterTable[4].name, "apples");
  EXPECT_EQ(c.db().chapterTable[5].name, "Zucchini");
  EXPECT_EQ(c.db().nextRecipeId, 4);
  EXPECT_EQ(c.db().nextChapterNumber, 3);
  EXPECT_EQ(c.db().recipeCount, 3);
  // Index34.dat is exactly the sorted entries.
  std::vector<uint8_t> saved = ReadBytes(c.db().paths.indexFile);
  ASSERT_EQ(saved.size(), static_cast<size_t>(c.db().indexSize));
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), c.db().indexBuffer.Data()));
}

TEST(TitleIndex, SortingDropsDeletedEntries) {
  Collection c;
  c.AppendRecipe(1, 1, "B");
  c.AppendRecipe(2, 1, "A");
  SetEntryKind(c.db(), 0, kKindDeleted);
  SortIndex(c.db());
  EXPECT_EQ(Titles(c.db()), (std::vector<std::string>{"A"}));
  EXPECT_EQ(c.db().recipeCount, 1);
}

// Equal titles land where the binary insertion puts them, which is the order
// existing index files have; a library sort would order them differently.
TEST(TitleIndex, EqualTitlesKeepTheInsertionOrderOfExistingFiles) {
  Collection c;
  c.AppendRecipe(1, 1, "x");
  c.AppendRecipe(2, 1, "x");
  c.AppendRecipe(3, 1, "x");
  c.AppendRecipe(4, 1, "y");
  c.AppendRecipe(5, 1, "x");
  SortIndex(c.db());
  std::vector<int32_t> ids;
  for (int32_t o = 0; o < c.db().indexSize; o += EntryLength(c.db(), o))
    ids.push_back(EntryRecipeId(c.db(), o));
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 5, 3, 4}));
}

TEST(TitleIndex, SortsAnyOrderIntoTitleOrder) {
  Collection c;
  std::mt19937 random(42);
  std::vector<std::string> titles;
  for (int i = 0; i < 600; ++i) {
    std::string title;
    int length = 1 + static_cast<int>(random() % 6);
    for (int k = 0; k < length; ++k) title += "aAbBzZ \xE9\xC9"[random() % 9];
    titles.push_back(title);
    c.AppendRecipe(i + 1, 1, title);
  }
  SortIndex(c.db());
  std::vector<std::string> sorted = Titles(c.db());
  ASSERT_EQ(sorted.size(), titles.size());
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
    return CompareUpperCased(a, b) < 0;
  }));
  std::sort(titles.begin(), titles.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, titles);
}

TEST(TitleIndex, ScanFindsRecordsAroundDamagedBytes) {
  Collection c;
  c.AppendRecipe(1, 1, "First", "a");
  c.AppendRecipe(2, 1, "Second", "b");
  std::vector<uint8_t> good = ReadBytes(c.db().paths.recipeFile);

  std::vector<uint8_t> damaged(100, 0xAB);  // garbage before the first record
  damaged.insert(damaged.end(), good.begin(), good.begin() + 46);
  // A stray tag whose size would jump past the next record must not hide it.
  std::vector<uint8_t> stray = {0x00, 0x10, 0x00, 0x00, 'T', 'Q', 'Z', 'D', 0};
  damaged.insert(damaged.end(), stray.begin(), stray.end());
  damaged.insert(damaged.end(), good.begin() + 46, good.end());
  damaged.insert(damaged.end(), {'T', 'Q', 'Z', 'D', 1, 2, 3});  // garbage after
  WriteBytes(c.db().paths.recipeFile, damaged);

  ScanRecords(c.db());
  EXPECT_EQ(Titles(c.db()), (std::vector<std::string>{"First", "Second"}));
  EXPECT_EQ(EntryPosition(c.db(), 0), 100);
  EXPECT_EQ(EntrySearchFlag(c.db(), 0), 0);
}

TEST(TitleIndex, ScanSkipsRecordsThatDoNotAddUpOrRunPastTheEnd) {
  Collection c;
  c.AppendRecipe(1, 1, "Good", "flour");
  int32_t bad = c.AppendRecipe(2, 1, "Bad", "sugar");
  c.AppendRecipe(3, 1, "Last", "salt");
  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  bytes[bad + 10] = 99;  // ingredients length no longer adds up to the size
  bytes.resize(bytes.size() - 2);  // the last record is cut short
  WriteBytes(c.db().paths.recipeFile, bytes);
  ScanRecords(c.db());
  EXPECT_EQ(Titles(c.db()), (std::vector<std::string>{"Good"}));
}

TEST(TitleIndex, AFortyByteRecordAtTheVeryEndIsIndexed) {
  Collection c;
  c.AppendRecipe(1, 1, "Soup");
  c.AppendChapter(1, "");
  ScanRecords(c.db());
  EXPECT_EQ(c.db().chapterTable.size(), 5u);
}

TEST(TitleIndex, ReservedViewsAndChaptersYieldTheirLists) {
  Collection c;
  c.AppendChapter(1, "Soups");
  c.AppendRecipe(1, 1, "Leek Soup");
  c.AppendRecipe(2, 1, "Notes", "text", "", kKindTextRecord);
  c.AppendRecipe(3, 9, "Orphan");  // its chapter does not exist
  c.AppendRecipe(4, 1, "Photo Soup", "", "", kKindRecipe, 50);
  SortIndex(c.db());
  Database& db = c.db();
  EXPECT_EQ(ListTitles(db, kAllRecipes),
            (std::vector<std::string>{"Leek Soup", "Notes", "Orphan", "Photo Soup"}));
  EXPECT_EQ(ListTitles(db, 1), (std::vector<std::string>{"Leek Soup", "Notes", "Photo Soup"}));
  EXPECT_TRUE(ListTitles(db, 9).size() == 1);
  EXPECT_EQ(ListTitles(db, kRecipesWithPhotos), (std::vector<std::string>{"Photo Soup"}));
  EXPECT_TRUE(ListTitles(db, kSearchResults).empty());
  EXPECT_TRUE(ListTitles(db, kRecipesSelectedForMeals).empty());  // no calendar yet
  db.mealPlanHoldsRecipe = [](int32_t id) { return id == 3; };
  EXPECT_EQ(ListTitles(db, kRecipesSelectedForMeals), (std::vector<std::string>{"Orphan"}));
  SetEntrySearchFlag(db, db.recipeList[0], 1);
  EXPECT_EQ(ListTitles(db, kSearchResults), (std::vector<std::string>{"Orphan"}));
  BuildRecipeList(db, 1);
  EXPECT_EQ(db.selectionFlags, (std::vector<uint8_t>{0, 0, 0}));

  EXPECT_EQ(FindChapterRow(db, 1), 4);
  EXPECT_EQ(FindChapterRow(db, kSearchResults), 1);
  EXPECT_EQ(FindChapterRow(db, 77), 0);
  EXPECT_EQ(ChapterName(db, 1), "Soups");
  EXPECT_EQ(ChapterName(db, kRecipesWithPhotos), "Recipes With Photos");
  EXPECT_EQ(ChapterName(db, 77), "");
}

TEST(TitleIndex, RebuildingFromTheFileGivesTheSameTablesAndLists) {
  Collection c;
  c.AppendChapter(1, "Mains");
  c.AppendChapter(2, "Desserts");
  for (int i = 1; i <= 30; ++i) c.AppendRecipe(i, 1 + i % 2, "Recipe " + std::to_string(31 - i));
  SortIndex(c.db());
  auto chapters = Chapters(c.db());
  auto desserts = ListTitles(c.db(), 2);
  std::vector<uint8_t> index = ReadBytes(c.db().paths.indexFile);

  std::remove(c.db().paths.indexFile.c_str());
  c.Reopen();
  ScanRecords(c.db());
  EXPECT_EQ(Chapters(c.db()), chapters);
  EXPECT_EQ(ListTitles(c.db(), 2), desserts);
  EXPECT_EQ(ReadBytes(c.db().paths.indexFile), index);
}

class ValidateIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Mains");
    for (int i = 1; i <= 10; ++i) c.AppendRecipe(i, 1, "Dish " + std::to_string(i));
    SortIndex(c.db());
    c.Reopen();
    LoadIndex(c.db());
  }
  Collection c;
};

TEST_F(ValidateIndexTest, AcceptsAMatchingIndex) {
  EXPECT_TRUE(ValidateIndex(c.db()));
  EXPECT_EQ(c.db().recipeCount, 10);
}

TEST_F(ValidateIndexTest, RebuildsWhenAPositionLiesPastTheEnd) {
  std::vector<uint8_t> index = ReadBytes(c.db().paths.indexFile);
  index[EntryLength(c.db(), 0) + 2] = 0x7F;  // the second entry's position
  WriteBytes(c.db().paths.indexFile, index);
  LoadIndex(c.db());
  EXPECT_FALSE(ValidateIndex(c.db()));
  EXPECT_EQ(c.db().recipeCount, 10);
  EXPECT_TRUE(ValidateIndex(c.db()));
}

TEST_F(ValidateIndexTest, RebuildsWhenASpotCheckedNumberDiffers) {
  std::vector<uint8_t> index = ReadBytes(c.db().paths.indexFile);
  index[4] = 99;  // the first entry's RecipeId
  WriteBytes(c.db().paths.indexFile, index);
  LoadIndex(c.db());
  EXPECT_FALSE(ValidateIndex(c.db()));
  EXPECT_EQ(FindEntryByRecipeId(c.db(), 99), -1);
}

// A run that appended a record and ended before saving its index leaves a
// live record the index does not know; the next start must find it.
TEST_F(ValidateIndexTest, RebuildsWhenTheFileHoldsLiveRecordsBeyondTheIndex) {
  int32_t gone = c.AppendRecipe(12, 1, "Appended and deleted");
  {
    DataFile file = OpenDataFile("u", c.db().paths.recipeFile);
    MarkRecordDeleted(c.db(), file, gone);
  }
  c.AppendRecipe(11, 1, "Unsaved");
  c.Reopen();
  LoadIndex(c.db());
  EXPECT_FALSE(ValidateIndex(c.db()));
  EXPECT_GE(FindEntryByRecipeId(c.db(), 11), 0);
  EXPECT_EQ(FindEntryByRecipeId(c.db(), 12), -1);
}

TEST_F(ValidateIndexTest, DeletedRecordsAfterTheLastIndexedOneAreFine) {
  int32_t at = c.AppendRecipe(11, 1, "Gone");
  DataFile file = OpenDataFile("u", c.db().paths.recipeFile);
  MarkRecordDeleted(c.db(), file, at);
  CloseDataFile(file);
  EXPECT_TRUE(ValidateIndex(c.db()));
}

TEST(LoadIndex, DropsAnEntryCutShortAndReadsAMissingFileAsEmpty) {
  Collection c;
  LoadIndex(c.db());
  EXPECT_EQ(c.db().indexSize, 0);
  EXPECT_EQ(c.db().chapterTable.size(), 4u);
  EXPECT_EQ(c.db().nextRecipeId, 1);
  EXPECT_EQ(c.db().nextChapterNumber, 1);

  c.AppendRecipe(1, 1, "Alpha");
  c.AppendRecipe(2, 1, "Beta");
  SortIndex(c.db());
  std::vector<uint8_t> index = ReadBytes(c.db().paths.indexFile);
  index.resize(index.size() - 2);
  WriteBytes(c.db().paths.indexFile, index);
  LoadIndex(c.db());
  EXPECT_EQ(Titles(c.db()), (std::vector<std::string>{"Alpha"}));
}

}  // namespace
}  // namespace tovalia

namespace tovalia {
namespace {

// Numbers at the top of their fields come only from damaged or foreign
// files; new records must still get numbers nobody uses.
TEST(TitleIndex, NumbersAtTheTopOfTheirFieldsDoNotWrapAround) {
  testing::Collection c;
  c.AppendRecipe(1, 1, "One");
  c.AppendRecipe(INT32_MAX, 1, "Top");
  c.AppendRecipe(2, 1, "Two");
  c.AppendChapter(65535, "Last");
  c.AppendChapter(1, "First");
  SortIndex(c.db());
  EXPECT_EQ(c.db().nextRecipeId, 3);
  EXPECT_EQ(c.db().nextChapterNumber, 2);
}

}  // namespace
}  // namespace tovalia
