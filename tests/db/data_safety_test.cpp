// Writes that must never land on the wrong bytes or cut a file short: the
// append while another handle holds the recipe file, the data-folder lock,
// and the check of an index entry against its record before a write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "state/database_lifecycle.h"
#include "db/data_file.h"
#include "db/data_folder_lock.h"
#include "db/maintenance.h"
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

TEST(DataSafety, AnAppendWhileAnotherHandleHoldsTheFileNeverCutsItShort) {
  Collection c;
  c.AppendChapter(1, "Soups");
  const std::string path = c.db().paths.recipeFile;
  // Another process takes and drops the file's lock as fast as it can.
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < end) {
      DataFile held = OpenDataFile("u", path);
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    _exit(0);
  }
  int stored = 0, refused = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
  for (int32_t id = 1; std::chrono::steady_clock::now() < end; ++id) {
    (c.AppendRecipe(id, 1, "Leek Soup " + std::to_string(id), "2 leeks", "Simmer.") >= 0 ? stored
                                                                                         : refused)++;
  }
  waitpid(holder, nullptr, 0);
  ASSERT_GT(refused, 0) << "the other handle never held the file";
  c.Reopen();
  ScanRecords(c.db());
  EXPECT_EQ(c.db().recipeCount, stored);
  EXPECT_EQ(c.db().chapterTable.size(), kReservedChapterRows + 1u);
}

TEST(DataSafety, TheFolderLockLetsReadersShareAndAWriterWaitItsTurn) {
  testing::TempFolder folder;
  DataFolderLock reader1(folder.Path()), reader2(folder.Path()), writer(folder.Path());
  ASSERT_TRUE(reader1.Acquire(FolderAccess::kRead, 0));
  EXPECT_TRUE(reader2.Acquire(FolderAccess::kRead, 0));
  EXPECT_FALSE(writer.Acquire(FolderAccess::kWrite, 50));
  reader2.Release();
  // The writer gets in once the last reader has gone, within its wait.
  std::thread leave([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    reader1.Release();
  });
  EXPECT_TRUE(writer.Acquire(FolderAccess::kWrite, 2000));
  leave.join();
  EXPECT_FALSE(reader1.Acquire(FolderAccess::kRead, 0));
  writer.Release();
  EXPECT_TRUE(reader1.Acquire(FolderAccess::kRead, 0));
}

// Two views of one data folder: `stale` loaded its index before `other`
// changed the file under it.
class StaleIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Desserts");
    c.AppendChapter(2, "Soups");
    c.AppendRecipe(1, 1, "Apple Crumble", "apples");
    c.AppendRecipe(2, 1, "Brownies", "chocolate");
    c.AppendRecipe(3, 2, "Leek Soup", "leeks");
    SortIndex(c.db());
    c.Reopen();
    LoadIndex(stale());
    FindChapterRow(stale(), kAllRecipes);
    BuildCurrentList(stale());

    // Another process deletes Apple Crumble, the first record, and compacts:
    // every other record moves down into its place.
    Database other(DataPaths::ForDataFolder(c.folder().Path()));
    LoadIndex(other);
    BuildRecipeList(other, kAllRecipes);
    ASSERT_EQ(EntryTitle(other, other.recipeList[0]), "Apple Crumble");
    ASSERT_TRUE(DeleteEntries(other, {other.recipeList[0]}).Done());
    ASSERT_TRUE(CompactDatabase(other));
    before = ReadBytes(stale().paths.recipeFile);
  }
  Database& stale() { return c.db(); }
  void Tick(int32_t item) { stale().selectionFlags[static_cast<size_t>(item)] = 1; }
  // The refusal left the file alone and put a sound index in memory.
  void ExpectRefusedAndReread(const WriteReport& report) {
    EXPECT_EQ(report.outcome, WriteOutcome::kIndexOutOfDate);
    EXPECT_FALSE(WriteReportMessage(report).empty());
    EXPECT_EQ(ReadBytes(stale().paths.recipeFile), before);
    EXPECT_TRUE(IndexAgreesWithFile(stale()));
    EXPECT_EQ(stale().recipeCount, 2);
    EXPECT_EQ(CountDamagedEntries(stale()), 0);
  }

  Collection c;
  std::vector<uint8_t> before;
};

TEST_F(StaleIndex, DeleteRefusesInsteadOfFlaggingAnotherRecord) {
  Tick(1);  // Brownies and Leek Soup: other records lie at their old places now
  Tick(2);
  ExpectRefusedAndReread(DeleteTickedRecipes(stale()));
  // Read again, the index is current and the same command goes through.
  SelectOnly(stale(), 1);
  EXPECT_TRUE(DeleteTickedRecipes(stale()).Done());
  BuildRecipeList(stale(), kAllRecipes);
  ASSERT_EQ(stale().recipeList.size(), 1u);
  EXPECT_EQ(EntryTitle(stale(), stale().recipeList[0]), "Brownies");
}

TEST_F(StaleIndex, MoveRefuses) {
  Tick(2);
  ExpectRefusedAndReread(MoveTickedRecipes(stale(), 1));
}

TEST_F(StaleIndex, CopyRefuses) {
  Tick(2);
  ExpectRefusedAndReread(CopyTickedRecipes(stale(), 1));
}

TEST_F(StaleIndex, AnEditRefusesToFlagAnotherRecordAsItsOldCopy) {
  SetCurrentTitle(stale(), "Leek and Potato Soup");
  ExpectRefusedAndReread(StoreEditedRecord(stale(), 2));
}

TEST(DataSafety, CheckFindsEntriesThatNoLongerNameTheirRecords) {
  Collection c;
  c.AppendChapter(1, "Soups");
  const int32_t leek = c.AppendRecipe(1, 1, "Leek Soup", "leeks");
  c.AppendRecipe(2, 1, "Minestrone", "beans");
  SortIndex(c.db());
  EXPECT_EQ(CountDamagedEntries(c.db()), 0);
  std::vector<uint8_t> bytes = ReadBytes(c.db().paths.recipeFile);
  bytes[static_cast<size_t>(leek + kRecordHeaderSize)] = 'P';  // "Peek Soup"
  testing::WriteBytes(c.db().paths.recipeFile, bytes);
  EXPECT_EQ(CountDamagedEntries(c.db()), 1);
  bytes.resize(static_cast<size_t>(leek) + 20);  // and then cut off inside it
  testing::WriteBytes(c.db().paths.recipeFile, bytes);
  EXPECT_EQ(CountDamagedEntries(c.db()), 2);
}

TEST(DataSafety, ANegativeDeadSpaceCounterReadsAsNothing) {
  Collection c;
  Settings settings(c.db().paths.setupFile);
  PutNumberSetting(settings, setting::kWastedBytes, -70000);
  BringDatabaseUp(c.db(), settings);
  EXPECT_EQ(c.db().wastedBytes, 0);
}

}  // namespace
}  // namespace tovalia
