// MasterCook text exports cut from the corpus (the file and line are named
// at each), read by the shape of their body.
#include <gtest/gtest.h>

#include "db/record_format.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

using MasterCookImport = testing::ImportTest;

const char kHeader[] =
    "* Exported from MasterCook *\n\n"
    "                     %s\n\n"
    "Recipe By     : \n"
    "Serving Size  : 1     Preparation Time : 0:00\n"
    "Categories    : \n"
    "  Amount  Measure       Ingredient -- Preparation Method\n"
    "--------  ------------  --------------------------------\n";

std::string Header(const std::string& title) {
  std::string header = kHeader;
  return header.replace(header.find("%s"), 2, title);
}

// mastercook/javarecipes_mcexports_Vegetarian.mxp.txt, line 293: wrapped
// ingredient lines go on with the ingredient above (also a preparation:
// "at room temperature", "drained"); a line of its own ("salt") stays one.
// The numbered steps keep lines of their own.
TEST_F(MasterCookImport, WrappedIngredientLinesAreJoinedAndNumberedStepsKeepTheirLines) {
  const std::vector<StoredRecord> r = Import(
      Header("Millet With Yellow Split Peas") +
      "     1/3           cup  yellow split peas( green is\n"
      "                        okay too)\n"
      "       1           cup  whole hulled millet\n"
      "       1                onion cut in half\n"
      "                        lengthwise -- and sliced into\n"
      "                        fine half rings\n"
      "       1         clove  garlic, minced\n"
      "                        peeled\n"
      "       1           cup  ricotta cheese\n"
      "                        at room temperature\n"
      "       2    15 oz cans  corn -- somewhat\n"
      "                        drained\n"
      "                        salt\n"
      "\n"
      "1.   roast millet.  In the bottom of a dry sauce pan slowly stir millet\n"
      "\n"
      " 2.    Soak peas in 2c water for 5 hours, drain\n"
      " 3.    Smear oil on pan, wipe off excess\n"
      "\n"
      "                    - - - - - - - - - - - - - - - - - - - \n\n"
      "Nutr. Assoc. : 0\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients,
            "1/3 cup yellow split peas( green is okay too)\r1 cup whole hulled millet\r"
            "1 onion cut in half lengthwise, and sliced into fine half rings\r1 clove garlic, minced peeled\r"
            "1 cup ricotta cheese at room temperature\r2 15 ounce cans corn, somewhat drained\rSalt\r");
  EXPECT_EQ(r[0].directions,
            "1. roast millet. In the bottom of a dry sauce pan slowly stir millet\r\r"
            "2. Soak peas in 2c water for 5 hours, drain\r3. Smear oil on pan, wipe off excess\r\r"
            "Nutr. Assoc. : 0");
}

// mastercook/recipegrace_b3q96.txt, line 1: the notes after the dashes
// end the directions; the recipe ends at the next banner.
TEST_F(MasterCookImport, NotesAfterTheDashesAreTheLastParagraph) {
  const std::vector<StoredRecord> r = Import(
      "* Exported from MasterCook *\r\n\r\n                             \"Faux\" Sourdough\r\n\r\n"
      "Recipe By     :\r\nServing Size  : 1     Preparation Time :0:00\r\n"
      "Categories    : Bread Machine                   Bread Mailing List\r\n"
      "                Bread-Bakers Mailing List       Breads\r\n\r\n\r\n"
      "  Amount  Measure       Ingredient -- Preparation Method\r\n"
      "--------  ------------  --------------------------------\r\n"
      "  1 1/2            tsp  Yeast\r\n"
      "     1/2           Cup  Sour Cream -- (non-fat OK)\r\n\r\n"
      "Add the ingredients to the pan in the order listed.\r\nPress \"Start\".\r\n\r\n"
      "                                    - - - - - - - - - - - - - - - - - - -\r\n\r\n"
      "NOTES : I have a very good \"faux\" sourdough recipe that my family loves.  It\r\n"
      "uses sour cream (can be non-fat) and vinegar.\r\n\r\n"
      "* Exported from MasterCook *\r\n\r\n                      100% Wheat Bread From Therese\r\n\r\n"
      "Recipe By     :\r\nServing Size  : 16    Preparation Time :0:00\r\nCategories    : Breads\r\n\r\n"
      "  Amount  Measure       Ingredient -- Preparation Method\r\n"
      "--------  ------------  --------------------------------\r\n"
      "  1 1/4              C  Water -- (1 C)\r\n\r\nMix.\r\n");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "\"Faux\" Sourdough");
  EXPECT_EQ(r[0].ingredients, "1-1/2 teaspoons Yeast\r1/2 cup Sour Cream, (non-fat OK)\r");
  EXPECT_EQ(r[0].directions,
            "Add the ingredients to the pan in the order listed. Press \"Start\".\r\r"
            "NOTES : I have a very good \"faux\" sourdough recipe that my family loves. It uses sour cream "
            "(can be non-fat) and vinegar.");
  EXPECT_EQ(r[1].title, "100% Wheat Bread From Therese");
  EXPECT_EQ(r[1].servings, 16);
}

// mastercook/javarecipes_mcexports_Vegetarian.mxp.txt, "Lunch Rice Idea":
// the one ingredient line reads "1 text recipe"; the body is still a recipe
// with directions. mastercook/recipegrace_b3q96.txt, line 22369: a rule of
// stars in the text opens no recipe.
TEST_F(MasterCookImport, ABodyOfTheKnownShapeIsARecipeAndARuleOfStarsIsText) {
  const std::vector<StoredRecord> r = Import(
      Header("Lunch Rice Idea") +
      "       1                text recipe\n\n"
      "A near-empty refrigerator can breed creativity:\n\n"
      " 1.  Mix some ff plain yogurt with dill weed. Put it in a small container.\n\n"
      "We had that with a cucumber salad, it was great.\n>From fatfree\nJenka\n"
      "*********************************\n"
      "         Jenka Guevara\n"
      "   American School Foundation\n\n"
      "                                    - - - - - - - - - - - - - - - - - - -\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].ingredients, "1 text recipe\r");
  EXPECT_EQ(r[0].directions,
            "A near-empty refrigerator can breed creativity:\r\r"
            "1. Mix some ff plain yogurt with dill weed. Put it in a small container.\r\r"
            "We had that with a cucumber salad, it was great. >From fatfree Jenka "
            "********************************* Jenka Guevara American School Foundation");
}

// mastercook/recipegrace_webducks.mxp, line 210: a line of tabs and a
// sub-heading inside the ingredient list.
TEST_F(MasterCookImport, TheColumnsGoOnPastAnEmptyLineAndASubHeading) {
  const std::vector<StoredRecord> r = Import(
      Header("Apple Tart With Its Own Sorbet") +
      "     7/8  Cu            Apricot Jam\n"
      "\t\t\t\t\t\n"
      "          Sorbet        \n"
      "   1 3/4  Lb            Caster Sugar\n"
      "\n"
      "1. dampen 2 oven trays, make tart bases\n"
      "2. cut out bases, lay in trays and return to fridge\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients, "7/8 Cu Apricot Jam\r\rSorbet\r1-3/4 pounds Caster Sugar\r");
  EXPECT_EQ(r[0].directions, "1. dampen 2 oven trays, make tart bases\r2. cut out bases, lay in trays and return to fridge");
}

// mastercook/javarecipes_AllFields.mxp: the title "TitleField" keeps its
// first word; "Title" goes only before a colon.
TEST_F(MasterCookImport, ATitleBeginningWithTitleKeepsIt) {
  const std::vector<StoredRecord> r = Import(
      "                      \n* Exported from MasterCook *\n\n                                TitleField\n\n"
      "Recipe By     :AuthorField\nServing Size  : 111   Preparation Time :1:17\n"
      "Categories    : Category1                       Catgeory2\n\n"
      "  Amount  Measure       Ingredient -- Preparation Method\n"
      "--------  ------------  --------------------------------\n"
      "  1                can  Ingredient -- Preparation\n\nDirection-1\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Titlefield");
  EXPECT_EQ(r[0].servings, 111);
  EXPECT_EQ(r[0].ingredients, "1 can Ingredient, Preparation\r");
}

}  // namespace
}  // namespace tovalia
