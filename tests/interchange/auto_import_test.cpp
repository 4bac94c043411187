#include "interchange/auto_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/import_command.h"
#include "support/collection.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::StoredRecord;

class AutoImport : public ::testing::Test {
 protected:
  void SetUp() override { testing::AddImportChapter(c); }
  ImportOutcome Import(const std::string& text, ImportWay way = ImportWay::kAutomatic, bool byCategory = false) {
    return testing::ImportText(c, text, way, byCategory);
  }
  std::vector<StoredRecord> All() { return testing::StoredRecords(c); }
  Collection c;
};

const char kTwoRecipes[] =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
    "      Title: Lemon Bars\n Categories: Cookies, Desserts\n      Yield: 24 servings\n\n"
    "      2 c  flour\n    1/2 c  powdered sugar\n      1 c  butter\n\n"
    "  Mix flour and sugar.\n  Cut in the butter.\n\n  Bake 20 minutes.\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"  // the next header comes before the terminator
    "      Title: Plain Rolls\n Categories: Breads\n      Yield: 0\n\n"
    "      3 c  flour\n      1 pk yeast\n\n  Knead and shape.";  // no end marker at all

TEST_F(AutoImport, MealMasterRecipesBackToBackAndAtTheEndOfTheText) {
  ImportOutcome outcome = Import(kTwoRecipes);
  EXPECT_EQ(outcome.refusal, "");
  EXPECT_EQ(outcome.result.stored, 2);
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Lemon Bars");
  EXPECT_EQ(r[0].servings, 24);
  EXPECT_EQ(r[0].ingredients, "2 cups flour\r1/2 cup powdered sugar\r1 cup butter\r");
  EXPECT_EQ(r[0].directions, "Mix flour and sugar. Cut in the butter.\r\rBake 20 minutes.");
  EXPECT_EQ(r[1].title, "Plain Rolls");
  EXPECT_EQ(r[1].servings, 4);  // 0 servings are stored as 4
  EXPECT_EQ(r[1].ingredients, "3 cups flour\r1 package yeast\r");
  EXPECT_EQ(r[1].directions, "Knead and shape.");
  // The list shows the chapter of the last stored recipe.
  EXPECT_EQ(c.db().chapterTable[static_cast<size_t>(c.db().currentChapterRow)].number, 1);
}

TEST_F(AutoImport, SortingByCategoryFilesRecipesInChaptersItCreates) {
  ImportOutcome outcome = Import(kTwoRecipes, ImportWay::kAutomatic, true);
  EXPECT_EQ(outcome.result.stored, 2);
  EXPECT_EQ(ChapterName(c.db(), 2), "Cookies");
  EXPECT_EQ(ChapterName(c.db(), 3), "Breads");
  EXPECT_EQ(outcome.result.perChapter, (std::map<int32_t, int32_t>{{2, 1}, {3, 1}}));
}

TEST_F(AutoImport, ADirectionsMarkerSplitsAndIsNotStored) {
  Import("Exported from MasterCook\n\nSoup\n\nIngredients\n2 cups stock\nsalt to taste\n"
         "Directions\nHeat the stock.\nSeason it.\n");
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients, "2 cups stock\rSalt to taste\r");
  EXPECT_EQ(r[0].directions, "Heat the stock. Season it.");
}

// mealmaster/javarecipes_1000.mmf, line 31363, in a text without columns:
// the text after the marker is the first direction, not blanked with it.
TEST_F(AutoImport, TheTextAfterADirectionsMarkerIsKept) {
  Import("Exported from MasterCook\n\nDivinity\n\nIngredients\n2 cups sugar\n1/4 cup water\n\n"
         "DIRECTIONS: Mix first 4 ingredients in heavy saucepan.\nCook, stirring.\n");
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients, "2 cups sugar\r1/4 cup water\r");
  EXPECT_EQ(r[0].directions, "Mix first 4 ingredients in heavy saucepan. Cook, stirring.");
}

TEST_F(AutoImport, ABodyWithoutIngredientsBecomesATextRecordWhole) {
  Import("MMMMM----- Recipe via Meal-Master\n      Title: A Note\n      Yield: 1\n"
         "Keep the oven door shut.\nIt loses heat.\nMMMMM\n");
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].kind, kKindTextRecord);
  EXPECT_EQ(r[0].ingredients, "Keep the oven door shut.\rIt loses heat.\r");
}

// A recipe that has its start marker and its end is stored, even when its
// header is all it has (mealmaster/anymeal_fixtures/header.mmf); one
// without a title line is not.
TEST_F(AutoImport, ARecipeWithATitleIsStoredEvenWithoutABody) {
  ImportOutcome outcome = Import(
      "MMMMM----- Recipe via Meal-Master\n      Yield: 4\n\n    1 c  flour\n\nMix.\nMMMMM\n"
      "MMMMM----------------Meal-Master recipe exported by AnyMeal-----------------\n"
      "      Title: apple pie\n Categories: pastries, cakes\n   Servings: 42 pies\nMMMMM\n");
  EXPECT_EQ(outcome.result.stored, 1);
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Apple Pie");
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].servings, 42);
  EXPECT_EQ(r[0].ingredients + r[0].directions, "");
}

TEST_F(AutoImport, SourcesAreCheckedFirst) {
  std::string database(80, 'x');
  database.replace(4, 4, "TQZD");
  EXPECT_EQ(Import(database).refusal, "Tovalia data files cannot be imported directly");
  EXPECT_EQ(Import(std::string(79, 'x')).refusal, "File is too small to import");
  EXPECT_EQ(Import(std::string(80, 'x')).refusal, "");
  ImportRequest missing;
  missing.sourcePath = c.folder().File("nowhere.txt");
  EXPECT_EQ(RunImport(c.db(), missing, nullptr).refusal, "File Not Found?");
  missing.fromClipboard = true;
  EXPECT_EQ(RunImport(c.db(), missing, nullptr).refusal, "No text on the clipboard");
  FindChapterRow(c.db(), kAllRecipes);
  EXPECT_EQ(Import(kTwoRecipes).refusal, "Cannot import recipes to selected chapter");
  EXPECT_FALSE(testing::Exists(c.folder().File("nowhere.txt")));
}

TEST_F(AutoImport, InformationRecordsKeepAtMost999Lines) {
  std::string text;
  for (int i = 1; i <= 999; ++i) text += "line " + std::to_string(i) + "\r\n";
  ImportOutcome outcome = Import(text, ImportWay::kInformationRecord);
  EXPECT_TRUE(outcome.truncated);
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "source.txt");
  EXPECT_EQ(r[0].kind, kKindTextRecord);
  EXPECT_EQ(std::count(r[0].ingredients.begin(), r[0].ingredients.end(), '\r'), 999);
}

std::string Base64(const std::vector<uint8_t>& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t bits = uint32_t{bytes[i]} << 16;
    if (i + 1 < bytes.size()) bits |= uint32_t{bytes[i + 1]} << 8;
    if (i + 2 < bytes.size()) bits |= bytes[i + 2];
    for (int k = 0; k < 4; ++k)
      text += i * 8 + static_cast<size_t>(k) * 6 < bytes.size() * 8 ? kAlphabet[(bits >> (18 - 6 * k)) & 63] : '=';
  }
  return text;
}

// A 1 x 1 pixel, 24-bit BMP file of 58 bytes.
std::vector<uint8_t> TinyBmp() {
  std::vector<uint8_t> bmp(58, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[2] = 58;
  bmp[10] = 54;
  bmp[14] = 40;
  bmp[18] = 1;  // width
  bmp[22] = 1;  // height
  bmp[26] = 1;  // planes
  bmp[28] = 24;
  bmp[54] = 0x20;
  return bmp;
}

// The program's own text export writes a photo as "Photo: N" and Base64
// lines after the directions; only bytes that form a sound BMP are kept,
// anything else stays text.
TEST_F(AutoImport, APhotoIsReadOnlyWhereTheOwnExportWritesOneAndOnlyWhenItIsASoundImage) {
  const std::string bmp = Base64(TinyBmp());
  Import("Tovalia Chapter: Snacks\r\n\r\nCrackers\r\n========\r\n1 cup flour\r\n.\r\nBake.\r\n\r\n"
         "Photo: 58\r\n" + bmp.substr(0, 40) + "\r\n" + bmp.substr(40) + "\r\n\r\nServings: 2\r\n");
  // Too few bytes for the announced length: no photo, and its lines stay text.
  Import("Tovalia Chapter: Snacks\r\n\r\nWafers\r\n======\r\n1 cup flour\r\n.\r\nBake.\r\n\r\n"
         "Photo: 600\r\nQk0AAAAA\r\n\r\nServings: 2\r\n");
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Crackers");
  EXPECT_EQ(r[0].photoLength, 58);
  EXPECT_EQ(r[0].directions, "Bake.");
  EXPECT_EQ(r[1].title, "Wafers");
  EXPECT_EQ(r[1].photoLength, 0);
  EXPECT_EQ(r[1].directions, "Bake.\r\rPhoto: 600\rQk0AAAAA");
}

// A credit line "Photo: ..." inside a Meal-Master recipe is text: the rest
// of the recipe is read as usual.
TEST_F(AutoImport, APhotoCreditInARecipeIsText) {
  Import("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Easy Fudge\n Categories: Candies\n"
         "      Yield: 24 servings\n\n      3 c  Semi-sweet chocolate chips\n      1 cn Sweetened condensed milk\n\n"
         "  Melt the chips with the milk over low heat.\n\n  Photo: courtesy of Kraft Foods.\n\n"
         "  Spread in a pan and chill until firm.\n\nMMMMM\n");
  std::vector<StoredRecord> r = All();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].photoLength, 0);
  EXPECT_EQ(r[0].directions,
            "Melt the chips with the milk over low heat.\r\rPhoto: courtesy of Kraft Foods.\r\r"
            "Spread in a pan and chill until firm.");
}

TEST_F(AutoImport, DamagedInputIsSafe) {
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 7919) % 256);
  Import(binary);
  Import(std::string(200000, 'a'));  // one endless line
  std::string many = "MMMMM----- Recipe via Meal-Master\n      Title: Long\n      Yield: 1\n\n";
  for (int i = 0; i < 1500; ++i) many += "Stir the pot and wait a while longer, then stir again " + std::to_string(i) + "\n";
  many += "MMMMM\n";
  ImportOutcome outcome = Import(many);
  EXPECT_EQ(outcome.result.stored, 1);
  EXPECT_LE(All().back().ingredients.size() + All().back().directions.size(), 2u * 65000);
}

// Every file of the corpus stores the recipes its own markers announce;
// the BigOven posting has no marker at all.
TEST(ImportCorpus, EveryFileStoresTheRecipesItsMarkersAnnounce) {
  const std::filesystem::path corpus = TOVALIA_CORPUS_DIR;
  if (!std::filesystem::exists(corpus / "SOURCES.md")) GTEST_SKIP() << "no corpus beside the repository";
  const std::map<std::string, int> known = {{"bigoven/javarecipes_Balsamic_Chicken_bigoven_rfr.txt", 0}};
  std::ifstream sources(corpus / "SOURCES.md");
  std::string line;
  int files = 0;
  while (std::getline(sources, line)) {
    // Rows of the file tables: | `folder/file` | repository | path | commit | recipes | ...
    std::vector<std::string> cells;
    std::stringstream split(line);
    for (std::string cell; std::getline(split, cell, '|');) cells.push_back(TrimBlanks(cell));
    if (cells.size() < 6 || cells[1].size() < 3 || cells[1].front() != '`') continue;
    const std::string name = cells[1].substr(1, cells[1].size() - 2);
    const std::string folder = name.substr(0, name.find('/'));
    if (folder == "xml-recipe") continue;  // "<Recipe " files: read by a reader of their own, not yet built
    ++files;
    Collection c;
    testing::AddImportChapter(c);
    auto exception = known.find(name);
    const int expected = exception != known.end() ? exception->second : std::stoi(cells[5]);
    EXPECT_EQ(testing::ImportFile(c, (corpus / name).string()).result.stored, expected) << name;
  }
  EXPECT_GE(files, 105);
}

TEST(ImportCorpus, ATwoColumnMealMasterRecipeReadsLeftColumnFirst) {
  const std::filesystem::path file = std::filesystem::path(TOVALIA_CORPUS_DIR) / "mealmaster/gourmet_mealmaster_2_col.mmf";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no corpus beside the repository";
  Collection c;
  testing::AddImportChapter(c);
  ASSERT_EQ(testing::ImportFile(c, file.string()).result.stored, 1);
  BuildRecipeList(c.db(), kAllRecipes);
  ASSERT_TRUE(LoadRecord(c.db(), EntryPosition(c.db(), c.db().recipeList[0])));
  const std::string ingredients =
      GetBytes(c.db().ingredientsBuffer, 0, GetI32(c.db().recordHeaderBuffer, header::kIngredientsLength));
  EXPECT_GT(std::count(ingredients.begin(), ingredients.end(), '\r'), 5);
  EXPECT_EQ(ingredients.find("   "), std::string::npos);  // no column gap left inside a line
}

TEST(ImportCorpus, MasterCookIngredientsWithAbbreviationPointsStillSplitFromDirections) {
  const std::filesystem::path file = std::filesystem::path(TOVALIA_CORPUS_DIR) / "mastercook/krecipes_mxptest.mxp";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no corpus beside the repository";
  Collection c;
  testing::AddImportChapter(c);
  ASSERT_EQ(testing::ImportFile(c, file.string()).result.stored, 2);
  BuildRecipeList(c.db(), kAllRecipes);
  ASSERT_TRUE(LoadRecord(c.db(), EntryPosition(c.db(), c.db().recipeList[0])));
  const ByteBuffer& h = c.db().recordHeaderBuffer;
  EXPECT_EQ(GetBytes(c.db().titleBuffer, 0, GetU8(h, header::kTitleLength)), "Cookies Test");
  EXPECT_EQ(GetU8(h, header::kServings), 2);
  const std::string ingredients = GetBytes(c.db().ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength));
  const std::string directions = GetBytes(c.db().directionsBuffer, 0, GetI32(h, header::kDirectionsLength));
  EXPECT_EQ(ingredients.substr(0, 43), "3/4 cup granulated sugar\r1 cup brown sugar\r");
  EXPECT_NE(ingredients.find("1 teaspoon vanilla extract\r"), std::string::npos);
  EXPECT_EQ(directions.rfind("Drop by spoonful on greased cookie sheet. Bake in moderate oven.", 0), 0u);
}

}  // namespace
}  // namespace tovalia
