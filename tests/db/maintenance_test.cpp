#include "db/maintenance.h"

#include <gtest/gtest.h>

#include "db/clock.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::Exists;
using testing::I32At;
using testing::ReadBytes;
using testing::U16At;
using testing::WriteBytes;

std::vector<int32_t> Positions(const Database& db) {
  std::vector<int32_t> positions;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) positions.push_back(EntryPosition(db, o));
  return positions;
}

class Maintenance : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTodayForTesting(LocalDate{2026, 12, 8});
    c.AppendChapter(1, "Breads");
    c.AppendRecipe(1, 1, "Rye", "rye flour", "bake");
    c.AppendRecipe(2, 1, "Focaccia", "olive oil", "", kKindRecipe, 30);
    c.AppendRecipe(3, 1, "Brioche", "butter");
    SortIndex(c.db());
  }
  void TearDown() override { SetTodayForTesting(std::nullopt); }
  void Delete(const std::string& title) {
    for (int32_t o = 0; o < c.db().indexSize; o += EntryLength(c.db(), o)) {
      if (EntryTitle(c.db(), o) != title) continue;
      DataFile file = OpenDataFile("u", c.db().paths.recipeFile);
      MarkRecordDeleted(c.db(), file, EntryPosition(c.db(), o));
      SetEntryKind(c.db(), o, kKindDeleted);
    }
    SortIndex(c.db());
  }
  Collection c;
};

TEST_F(Maintenance, CompactionKeepsOnlyLiveRecordsInTitleOrderBehindAHeader) {
  Delete("Rye");
  SetEntrySearchFlag(c.db(), 0, 1);
  ASSERT_GT(c.db().wastedBytes, 0);
  ASSERT_TRUE(CompactDatabase(c.db()));

  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  // Header, then Breads (46), Brioche (53), Focaccia (87): 40 + 186 bytes.
  ASSERT_EQ(bytes.size(), 40u + 46 + 53 + 87);
  EXPECT_EQ(I32At(bytes, 0), 40);
  EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 8), "TQZD");
  EXPECT_EQ(bytes[8], 255);
  EXPECT_EQ(I32At(bytes, 10), 5800);
  EXPECT_EQ(U16At(bytes, 36), 2026);
  EXPECT_EQ(bytes[38], 12);
  EXPECT_EQ(bytes[39], 8);
  EXPECT_EQ(Positions(c.db()), (std::vector<int32_t>{40, 86, 139}));
  EXPECT_EQ(c.db().chapterTable[4].position, 40);
  EXPECT_EQ(c.db().wastedBytes, 0);
  EXPECT_EQ(EntrySearchFlag(c.db(), 0), 0);
  EXPECT_FALSE(Exists(c.db().paths.backupFile));

  // The saved index is the one a fresh scan of the new file gives.
  std::vector<uint8_t> index = ReadBytes(c.db().paths.indexFile);
  c.Reopen();
  ScanRecords(c.db());
  EXPECT_EQ(ReadBytes(c.db().paths.indexFile), index);
  ASSERT_TRUE(LoadRecord(c.db(), 139));
  EXPECT_EQ(c.db().photoBuffer.Size(), 30);
}

TEST_F(Maintenance, CompactionRepairsDamagedStretches) {
  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  bytes.insert(bytes.begin() + 46, 500, 0x55);
  WriteBytes(c.db().paths.recipeFile, bytes);
  ASSERT_TRUE(CompactDatabase(c.db()));
  EXPECT_EQ(ReadBytes(c.db().paths.recipeFile).size(), 40u + 46 + 56 + 53 + 87);
  EXPECT_EQ(c.db().recipeCount, 3);
}

TEST_F(Maintenance, AnEmptyCollectionLeavesTheFileAsItIs) {
  Delete("Rye");
  Delete("Focaccia");
  Delete("Brioche");
  Delete("Breads");
  std::vector<uint8_t> before = ReadBytes(c.db().paths.recipeFile);
  ASSERT_TRUE(CompactDatabase(c.db()));
  EXPECT_EQ(ReadBytes(c.db().paths.recipeFile), before);
  EXPECT_EQ(c.db().wastedBytes, 0);
}

TEST_F(Maintenance, ALeftoverBackupFromAnInterruptedRunDoesNotMatter) {
  WriteBytes(c.db().paths.backupFile, {1, 2, 3});
  ASSERT_TRUE(CompactDatabase(c.db()));
  EXPECT_FALSE(Exists(c.db().paths.backupFile));
  EXPECT_EQ(c.db().recipeCount, 3);
}

TEST_F(Maintenance, HeaderCheckCompactsAFileWithoutHeader) {
  // Records stored into an empty file start at 0 with no header.
  EXPECT_EQ(CheckFileHeader(c.db()), HeaderCheckOutcome::kCompacted);
  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  EXPECT_EQ(bytes[8], 255);
  EXPECT_EQ(Positions(c.db()).front(), 40);
}

TEST_F(Maintenance, HeaderCheckOnlyRestampsACurrentFile) {
  ASSERT_TRUE(CompactDatabase(c.db()));
  std::vector<int32_t> positions = Positions(c.db());
  std::vector<uint8_t> before = ReadBytes(c.db().paths.recipeFile);
  before[10] = 0x44;  // an older version number
  before[36] = 0xD0;
  WriteBytes(c.db().paths.recipeFile, before);
  EXPECT_EQ(CheckFileHeader(c.db()), HeaderCheckOutcome::kHeaderRewritten);
  std::vector<uint8_t> after = ReadBytes(c.db().paths.recipeFile);
  EXPECT_EQ(I32At(after, 10), 5800);
  EXPECT_EQ(U16At(after, 36), 2026);
  EXPECT_TRUE(std::equal(after.begin() + 40, after.end(), before.begin() + 40));
  EXPECT_EQ(Positions(c.db()), positions);
}

TEST(MaintenanceWithoutFile, HeaderCheckDoesNothing) {
  Collection c;
  EXPECT_EQ(CheckFileHeader(c.db()), HeaderCheckOutcome::kNoRecipeFile);
  EXPECT_FALSE(Exists(c.db().paths.recipeFile));
}

}  // namespace
}  // namespace tovalia
