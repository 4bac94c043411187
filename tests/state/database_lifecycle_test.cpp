#include "state/database_lifecycle.h"

#include <gtest/gtest.h>

#include "db/data_file.h"
#include "db/record_format.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::Exists;
using testing::ReadBytes;

TEST(DatabaseLifecycle, AFirstStartInAnEmptyFolderCreatesNoRecipeFile) {
  Collection c;
  Settings settings(c.db().paths.setupFile);
  StartupReport report = BringDatabaseUp(c.db(), settings);
  EXPECT_TRUE(report.indexRebuilt);
  EXPECT_EQ(report.header, HeaderCheckOutcome::kNoRecipeFile);
  EXPECT_EQ(c.db().chapterTable.size(), 4u);
  EXPECT_TRUE(c.db().recipeList.empty());
  EXPECT_FALSE(Exists(c.db().paths.recipeFile));
  ShutDatabaseDown(c.db(), settings);
  EXPECT_FALSE(Exists(c.db().paths.recipeFile));
  EXPECT_EQ(GetNumberSetting(settings, setting::kWastedBytes), 0);
}

TEST(DatabaseLifecycle, StartUpLoadsAGoodIndexAndSelectsTheFirstTitle) {
  Collection c;
  c.AppendRecipe(1, 1, "Beta");
  c.AppendRecipe(2, 1, "Alpha");
  SortIndex(c.db());
  c.Reopen();
  Settings settings(c.db().paths.setupFile);
  StartupReport report = BringDatabaseUp(c.db(), settings);
  EXPECT_TRUE(report.indexLoaded);
  EXPECT_FALSE(report.indexRebuilt);
  EXPECT_EQ(report.header, HeaderCheckOutcome::kCompacted);  // records stored without a header
  EXPECT_EQ(c.db().selectionFlags, (std::vector<uint8_t>{1, 0}));
  EXPECT_FALSE(c.db().indexChanged);
}

// Builds a collection with a file header whose dead space is exactly
// `waste` bytes.
void MakeWaste(Collection& c, int32_t waste) {
  c.AppendRecipe(1, 1, "Keep");
  ASSERT_TRUE(CompactDatabase(c.db()));
  std::string text(static_cast<size_t>(waste - 40 - 4), 'x');
  int32_t at = c.AppendRecipe(2, 1, "Gone", text);
  DataFile file = OpenDataFile("u", c.db().paths.recipeFile);
  MarkRecordDeleted(c.db(), file, at);
  CloseDataFile(file);
  ASSERT_EQ(c.db().wastedBytes, waste);
  SetEntryKind(c.db(), FindEntryByRecipeId(c.db(), 2), kKindDeleted);
  SortIndex(c.db());
}

TEST(DatabaseLifecycle, ShutDownCompactsOnlyAboveFiftyThousandDeadBytes) {
  for (int32_t waste : {50000, 50001}) {
    Collection c;
    Settings settings(c.db().paths.setupFile);
    BringDatabaseUp(c.db(), settings);
    MakeWaste(c, waste);
    int64_t before = ReadBytes(c.db().paths.recipeFile).size();
    ShutdownReport report = ShutDatabaseDown(c.db(), settings);
    EXPECT_EQ(report.compacted, waste > 50000) << waste;
    int64_t after = ReadBytes(c.db().paths.recipeFile).size();
    if (waste > 50000) {
      EXPECT_EQ(after, 40 + 44);
      EXPECT_EQ(GetNumberSetting(settings, setting::kWastedBytes), 0);
    } else {
      EXPECT_EQ(after, before);
      EXPECT_EQ(GetNumberSetting(settings, setting::kWastedBytes), 50000);
    }
    c.Reopen();
    BringDatabaseUp(c.db(), settings);
    EXPECT_EQ(c.db().wastedBytes, waste > 50000 ? 0 : 50000);
  }
}

}  // namespace
}  // namespace tovalia
