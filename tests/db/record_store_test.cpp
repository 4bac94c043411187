#include "db/record_store.h"

#include <gtest/gtest.h>

#include "db/clock.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::I32At;
using testing::ReadBytes;
using testing::U16At;

class RecordStore : public ::testing::Test {
 protected:
  void SetUp() override { SetTodayForTesting(LocalDate{2026, 3, 9}); }
  void TearDown() override { SetTodayForTesting(std::nullopt); }
  Collection c;
};

TEST_F(RecordStore, RecordsAreWrittenBackToBackInTheDocumentedLayout) {
  int32_t first = c.AppendRecipe(7, 2, "Pie", "0123456789");
  int32_t second = c.AppendChapter(2, "Cake");
  EXPECT_EQ(first, 0);  // an empty file gets no header from an append
  EXPECT_EQ(second, 53);

  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  ASSERT_EQ(bytes.size(), 53u + 44u);
  EXPECT_EQ(I32At(bytes, 0), 53);
  EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 8), "TQZD");
  EXPECT_EQ(bytes[8], kKindRecipe);
  EXPECT_EQ(bytes[9], 3);
  EXPECT_EQ(I32At(bytes, 10), 10);
  EXPECT_EQ(I32At(bytes, 14), 0);
  EXPECT_EQ(I32At(bytes, 18), 0);
  EXPECT_EQ(I32At(bytes, 26), 7);
  EXPECT_EQ(U16At(bytes, 30), 2);
  EXPECT_EQ(bytes[32], 4);
  EXPECT_EQ(U16At(bytes, 36), 2026);
  EXPECT_EQ(bytes[38], 3);
  EXPECT_EQ(bytes[39], 9);
  EXPECT_EQ(std::string(bytes.begin() + 40, bytes.begin() + 53), "Pie0123456789");
  // The chapter: header and its four name bytes; its tag 57 bytes after the recipe.
  EXPECT_EQ(std::string(bytes.begin() + 57, bytes.begin() + 61), "TQZD");
  EXPECT_EQ(I32At(bytes, 53), 44);
  EXPECT_EQ(I32At(bytes, 53 + 26), 0);
}

TEST_F(RecordStore, AppendAddsAnIndexEntryWithTheWholeTitle) {
  std::string title(255, 'T');
  c.AppendRecipe(1, 1, title, "", "", kKindRecipe, 120);
  EXPECT_EQ(c.db().indexSize, 269);
  EXPECT_EQ(EntryTitle(c.db(), 0), title);
  EXPECT_EQ(EntryHasPhoto(c.db(), 0), 1);
  EXPECT_TRUE(c.db().indexChanged);
}

TEST_F(RecordStore, LoadRecordReadsEveryPartBack) {
  int32_t at = c.AppendRecipe(5, 3, "Bread", "2 cups flour\r1 tsp salt", "Knead.\rBake.",
                              kKindRecipe, 64);
  ClearCurrentRecord(c.db());
  ASSERT_TRUE(LoadRecord(c.db(), at));
  const ByteBuffer& h = c.db().recordHeaderBuffer;
  EXPECT_EQ(GetI32(h, header::kRecipeId), 5);
  EXPECT_EQ(GetBytes(c.db().titleBuffer, 0, GetU8(h, header::kTitleLength)), "Bread");
  EXPECT_EQ(GetBytes(c.db().ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength)),
            "2 cups flour\r1 tsp salt");
  EXPECT_EQ(GetBytes(c.db().directionsBuffer, 0, GetI32(h, header::kDirectionsLength)),
            "Knead.\rBake.");
  EXPECT_EQ(c.db().photoBuffer.Size(), 64);
  EXPECT_EQ(GetBytes(c.db().photoBuffer, 0, 2), "BM");
}

TEST_F(RecordStore, LoadRecordRefusesPositionsThatHoldNoSoundRecord) {
  c.AppendRecipe(5, 3, "Bread", "flour");
  EXPECT_FALSE(LoadRecord(c.db(), 3));       // inside a record
  EXPECT_FALSE(LoadRecord(c.db(), 100000));  // past the end
  EXPECT_FALSE(LoadRecord(c.db(), -40));
  EXPECT_EQ(GetI32(c.db().recordHeaderBuffer, header::kIngredientsLength), 0);
  EXPECT_EQ(GetU8(c.db().recordHeaderBuffer, header::kTitleLength), 0);
}

TEST_F(RecordStore, UpdatingTwiceLeavesTwoDeletedCopiesAndCountsTheirSizes) {
  int32_t position = c.AppendRecipe(9, 1, "Soup", "water");
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(LoadRecord(c.db(), position));
    SetCurrentDirections(c.db(), "Stir " + std::string(round + 1, '!'));
    int32_t newPosition = AppendRecord(c.db());
    DataFile file = OpenDataFile("u", c.db().paths.recipeFile);
    EXPECT_TRUE(MarkRecordDeleted(c.db(), file, position));
    position = newPosition;
  }
  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  // 49, 55 and 56 bytes: the two older copies are deleted.
  EXPECT_EQ(bytes[8], kKindDeleted);
  EXPECT_EQ(bytes[49 + 8], kKindDeleted);
  EXPECT_EQ(bytes[49 + 55 + 8], kKindRecipe);
  EXPECT_EQ(c.db().wastedBytes, 49 + 55);
}

TEST_F(RecordStore, MarkingDeletedTouchesOnlyLiveRecords) {
  c.AppendRecipe(1, 1, "One");
  c.AppendRecipe(2, 1, "Two");
  DataFile file = OpenDataFile("u", c.db().paths.recipeFile);
  EXPECT_TRUE(MarkRecordDeleted(c.db(), file, 0));
  EXPECT_FALSE(MarkRecordDeleted(c.db(), file, 0));  // already deleted: counted once
  EXPECT_FALSE(MarkRecordDeleted(c.db(), file, 5));  // not a record start
  CloseDataFile(file);
  EXPECT_EQ(c.db().wastedBytes, 43);
  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  EXPECT_EQ(bytes[43 + 8], kKindRecipe);
}

TEST_F(RecordStore, AppendRefusesLengthsTheBuffersDoNotHold) {
  c.AppendRecipe(1, 1, "Kept");
  std::vector<uint8_t> before = ReadBytes(c.db().paths.recipeFile);
  int32_t indexSize = c.db().indexSize;
  ClearCurrentRecord(c.db());
  SetI32(c.db().recordHeaderBuffer, header::kIngredientsLength, 70000);
  EXPECT_EQ(AppendRecord(c.db()), -1);
  ClearCurrentRecord(c.db());
  SetI32(c.db().recordHeaderBuffer, header::kPhotoLength, 10);  // but no photo buffer
  EXPECT_EQ(AppendRecord(c.db()), -1);
  EXPECT_EQ(ReadBytes(c.db().paths.recipeFile), before);
  EXPECT_EQ(c.db().indexSize, indexSize);
}

TEST_F(RecordStore, SettersCutTextsToWhatARecordHolds) {
  SetCurrentTitle(c.db(), std::string(300, 'a'));
  EXPECT_EQ(GetU8(c.db().recordHeaderBuffer, header::kTitleLength), 255);
  SetCurrentIngredients(c.db(), std::string(70000, 'b'));
  EXPECT_EQ(GetI32(c.db().recordHeaderBuffer, header::kIngredientsLength), kTextBufferSize);
}

}  // namespace
}  // namespace tovalia
