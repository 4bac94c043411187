// The export run over a collection: the progress box it keeps, and records
// that cannot be read.
#include "interchange/export_run.h"

#include <gtest/gtest.h>

#include "db/record_format.h"
#include "db/title_index.h"
#include "support/collection.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

class RecordedProgress : public Progress {
 public:
  void ShowProgress(const std::string& caption, const std::string& barText, int64_t current,
                    int64_t total) override {
    shown.push_back(caption + " | " + barText + " | " + std::to_string(current) + "/" + std::to_string(total));
  }
  void CloseProgress() override { shown.push_back("closed"); }
  void PumpMessages(int) override {}
  std::vector<std::string> shown;
};

class ExportRun : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Soups");
    leek = c.AppendRecipe(1, 1, "Leek Soup", "3 leeks", "Simmer.");
    c.AppendRecipe(2, 1, "Minestrone", "1 cup beans", "Simmer longer.");
    c.AppendRecipe(3, 1, "Borscht", "2 beets", "Simmer until red.");
    SortIndex(c.db());
    for (int32_t o = 0; o < c.db().indexSize; o += EntryLength(c.db(), o))
      if (EntryKind(c.db(), o) != kKindChapter) entries.push_back(o);
    c.db().progress = &progress;
  }
  testing::Collection c;
  RecordedProgress progress;
  int32_t leek = 0;
  std::vector<int32_t> entries;  // in title order: Borscht, Leek Soup, Minestrone
};

TEST_F(ExportRun, TheProgressBoxCountsTheRecipesAndTheIndexSortsItsTitles) {
  TextSink sink;
  ExportReport report = ExportRecipes(c.db(), entries, ExportFormat::kMealMaster, sink);
  EXPECT_EQ(report.written, 3);
  EXPECT_EQ(progress.shown, (std::vector<std::string>{"Exporting Recipes | 1 of 3 | 1/3",
                                                      "Exporting Recipes | 2 of 3 | 2/3",
                                                      "Exporting Recipes | 3 of 3 | 3/3", "closed"}));
  progress.shown.clear();
  TextSink index;
  report = ExportRecipes(c.db(), entries, ExportFormat::kRecipeIndex, index);
  ASSERT_EQ(progress.shown.size(), 6u);
  EXPECT_EQ(progress.shown[3], "Sorting Titles |  | 0/3");
  EXPECT_EQ(progress.shown[4], "Sorting Titles |  | 3/3");
  EXPECT_EQ(index.text, "(Soups)  Borscht\r\n(Soups)  Leek Soup\r\n(Soups)  Minestrone\r\n");
}

// A record damaged since the index was read is named and left out; the
// others are written whole.
TEST_F(ExportRun, AnUnreadableRecordIsNamedAndTheOthersAreWritten) {
  std::vector<uint8_t> bytes = testing::ReadBytes(c.db().paths.recipeFile);
  bytes[static_cast<size_t>(leek + header::kRecordTag)] = 'X';
  testing::WriteBytes(c.db().paths.recipeFile, bytes);
  TextSink sink;
  const ExportReport report = ExportRecipes(c.db(), entries, ExportFormat::kTovaliaText, sink);
  EXPECT_EQ(report.written, 2);
  EXPECT_EQ(report.unreadable, std::vector<std::string>{"Leek Soup"});
  EXPECT_FALSE(report.outputFailed);
  EXPECT_NE(sink.text.find("Borscht\r\n=======\r\n2 beets\r\n"), std::string::npos);
  EXPECT_NE(sink.text.find("Minestrone\r\n"), std::string::npos);
  EXPECT_EQ(sink.text.find("leeks"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
