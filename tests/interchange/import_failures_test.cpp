// An import that stores nothing says why; recipes that cannot be stored,
// and records cut at the size limit, are counted and named.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "interchange/import_command.h"
#include "support/imports.h"

namespace tovalia {
namespace {

class ImportFailures : public ::testing::Test {
 protected:
  void SetUp() override { testing::AddImportChapter(c); }
  ImportOutcome ImportPath(const std::string& path) {
    ImportRequest request;
    request.sourcePath = path;
    return RunImport(c.db(), request, nullptr);
  }
  testing::Collection c;
};

const char kTwoRecipes[] =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Bars\n      Yield: 24 servings\n\n"
    "      2 c  flour\n\n  Bake 20 minutes.\n\nMMMMM\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Plain Rolls\n      Yield: 6 servings\n\n"
    "      3 c  flour\n\n  Knead and shape.\n\nMMMMM\n";

TEST_F(ImportFailures, AnImportThatStoresNothingSaysWhy) {
  ImportOutcome prose = testing::ImportText(c, "A letter about the weather, long enough to be read as a source, and with no recipe in it at all.\n");
  EXPECT_EQ(prose.refusal, "");
  EXPECT_EQ(prose.result.stored, 0);
  EXPECT_EQ(prose.nothingStored, "No recipes were found in this file");

  ImportOutcome page = testing::ImportText(
      c, "<!DOCTYPE html>\n<html><head><title>Weather</title></head><body><p>Sunny all week, no recipe here.</p></body></html>\n");
  EXPECT_EQ(page.result.stored, 0);
  EXPECT_EQ(page.nothingStored, "The web page holds no recipe?");

  EXPECT_EQ(ImportPath(c.folder().Path()).refusal, "A folder cannot be imported?");
  if (::getuid() != 0) {  // the superuser reads any file
    const std::string locked = c.folder().File("locked.mmf");
    std::ofstream(locked) << kTwoRecipes;
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(ImportPath(locked).refusal, "File cannot be read?");
  }
  EXPECT_TRUE(testing::StoredRecords(c).empty());
}

// The recipe file cannot take a record (here: a folder stands in its
// place); every recipe is tried, counted and named.
TEST_F(ImportFailures, RecipesThatCannotBeStoredAreNamedAndTheImportGoesOn) {
  const std::string recipeFile = c.db().paths.recipeFile;
  std::filesystem::remove(recipeFile);
  std::filesystem::create_directory(recipeFile);
  ImportOutcome outcome = testing::ImportText(c, kTwoRecipes);
  EXPECT_EQ(outcome.result.stored, 0);
  EXPECT_EQ(outcome.result.notStored, (std::vector<std::string>{"Lemon Bars", "Plain Rolls"}));
  EXPECT_EQ(ImportSummary(outcome), std::vector<std::string>{"2 recipes could not be stored: Lemon Bars, Plain Rolls"});
  EXPECT_EQ(outcome.nothingStored, "No recipe could be stored?");
}

TEST_F(ImportFailures, TextsCutAtTheSizeLimitAreNamed) {
  // An information record of 100 lines of 700 characters: 70,000 bytes.
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::string(699, 'x') + "\n";
  ImportOutcome record = testing::ImportText(c, text, ImportWay::kInformationRecord);
  EXPECT_FALSE(record.truncated);
  EXPECT_EQ(ImportSummary(record), std::vector<std::string>{"1 record was cut at 64,990 bytes: source.txt"});

  // A Meal-Master recipe whose method runs past the limit.
  std::string recipe = "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Long Story\n      Yield: 1\n\n"
                       "      1 c  flour\n\n";
  for (int i = 0; i < 900; ++i) recipe += "  " + std::string(76, 'y') + "\n";
  recipe += "MMMMM\n";
  ImportOutcome long_ = testing::ImportText(c, recipe);
  EXPECT_EQ(long_.result.stored, 1);
  EXPECT_EQ(long_.result.cutShort, std::vector<std::string>{"Long Story"});
}

}  // namespace
}  // namespace tovalia
