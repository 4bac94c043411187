// Now You're Cooking exports cut from nyc/javarecipes_nycexport_cake.txt.
#include <gtest/gtest.h>

#include "db/record_format.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

// Line 24483: a recipe whose only ingredient line has no unit ("1  text
// only") is stored whole; the body starts after the categories line.
TEST(NowYoureCookingImport, ARecipeWithoutUnitWordsIsStoredWhole) {
  testing::Collection c;
  testing::AddImportChapter(c);
  testing::ImportText(c,
                      "@@@@@ Now You're Cooking! Export Format\n\nGold Drops\n\ncakes\n\n1  text only\n\n"
                      "Prepare gold cake batter.  Bake in well-oiled small muffin tins. When\n"
                      "cold, ice with butter icing and roll in yellow coconut. The Household\nSearchlight\n\n"
                      "Yield: 6 servings\n\n  NYC Nutrilink: N0^00000\n\n"
                      "** Exported from Now You're Cooking! v5.71 **\n\n\n"
                      "@@@@@ Now You're Cooking! Export Format\n\n14-CARAT CAKE\n\ncakes, deserts\ngerman\n\n"
                      "2 cup flour\n4  eggs\n      ----VANILLA CREAM CHEESE FROSTIN---\n1/2 cup butter or margarine\n\n"
                      "Sift together flour.\n\nYield: 12 servings\n");
  const std::vector<StoredRecord> r = testing::StoredRecords(c);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Gold Drops");
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].servings, 6);
  EXPECT_EQ(r[0].ingredients, "1 text only\r");
  EXPECT_EQ(r[0].directions,
            "Prepare gold cake batter. Bake in well-oiled small muffin tins. When cold, ice with butter icing "
            "and roll in yellow coconut. The Household Searchlight");
  EXPECT_EQ(r[1].title, "14-Carat Cake");  // its categories run over two lines (line 9049: "Butterfinger Cake")
  EXPECT_EQ(r[1].ingredients, "2 cups flour\r4 eggs\rVANILLA CREAM CHEESE FROSTIN\r1/2 cup butter or margarine\r");
}

// Lines 30250 and 80: a servings line in the body, a "Serving:" line of
// nutrition and a Compu-Chef credit are text; the closing yield gives the
// servings and ends the recipe.
TEST(NowYoureCookingImport, OnlyTheClosingYieldEndsARecipe) {
  testing::Collection c;
  testing::AddImportChapter(c);
  testing::ImportText(c,
                      "@@@@@ Now You're Cooking! Export Format\n\nHot Fudge Cake With Sauce\n\ncakes, deserts\n\n"
                      "1 cup flour\n1/3 cup cocoa\n\nServings:  4\n\nPreheat to 350F\n\n"
                      "Serving: 402 cal, 5 g pro, 54 g car\n\n*** Recipe Via Compu-Chef (tm) ***\n\n"
                      "Courtesy of Shareware RECIPE CLIPPER 1.1\n\nYield: 16 servings\n\n"
                      "** Exported from Now You're Cooking! v5.71 **\n");
  const std::vector<StoredRecord> r = testing::StoredRecords(c);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].servings, 16);
  EXPECT_EQ(r[0].ingredients, "1 cup flour\r1/3 cup cocoa\r");
  EXPECT_EQ(r[0].directions,
            "Servings: 4\r\rPreheat to 350F\r\rServing: 402 cal, 5 g pro, 54 g car\r\r*** Recipe Via Compu-Chef (tm) ***\r\r"
            "Courtesy of Shareware RECIPE CLIPPER 1.1");
}

TEST(NowYoureCookingImport, EveryRecipeOfTheCakeFileIsStored) {
  const std::string file = testing::CorpusFile("nyc/javarecipes_nycexport_cake.txt");
  if (file.empty()) GTEST_SKIP() << "no corpus beside the repository";
  testing::Collection c;
  testing::AddImportChapter(c);
  EXPECT_EQ(testing::ImportFile(c, file).result.stored, 897);
}

}  // namespace
}  // namespace tovalia
