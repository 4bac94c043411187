// Meal-Master recipes cut from the corpus (the file and line are named at
// each), read by the shape of their body.
#include <gtest/gtest.h>

#include "db/record_format.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

using MealMasterImport = testing::ImportTest;

// mealmaster/javarecipes_Mm13000a.mmf, line 82: a two-column body that
// opens with a long heading line, in three sections.
const char kPizzaPie[] =
    "---------- Recipe via Meal-Master (tm) v8.01\n"
    " \n"
    "      Title: Upside Down Pizza\n"
    " Categories: Main dish, Pasta\n"
    "      Yield: 8 servings\n"
    " \n"
    "----------------------------------FILLING----------------------------------\n"
    "  1 1/2 lb Hamburger                           1 ds Salt\n"
    "      1 c  Onion; chopped                    1/2 c  Water\n"
    "      1 c  Green pepper; chopped             1/8 ts Hot pepper sauce\n"
    "      1 ea Garlic clove                        1 pk Spaghetti sauce mix (1.5oz)\n"
    // as in mealmaster/ffts_1k_recipes_extracted.txt: a left text that fills its column
    "      2 ea thin carrots sliced diagonally      1 t  oriental sesame oil\n"
    "    1/2 ts Oregano                       \n"
    "\n"
    "-----------------------------------BATTER-----------------------------------\n"
    "      1 c  Milk                                2 ea Eggs\n"
    "      1 c  Flour                             1/2 ts Salt\n"
    "      1 tb Oil                           \n"
    "\n"
    "------------------------------------MISC------------------------------------\n"
    "      7 oz Jack/Mozz. cheese slices          1/2 c  Parmesan cheese; grated\n"
    " \n"
    "  Pre-heat oven to 400f.\n"
    "  *** FILLING ***\n"
    "  In large skillet, brown hamburger and drain.\n"
    " \n"
    "-----\n";

TEST_F(MealMasterImport, TwoColumnsAreReadSectionBySectionUnderTheirHeadings) {
  const std::vector<StoredRecord> r = Import(kPizzaPie);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].ingredients,
            "FILLING\r1-1/2 pounds Hamburger\r1 cup Onion; chopped\r1 cup Green pepper; chopped\r1 ea Garlic clove\r"
            "2 ea thin carrots sliced diagonally\r1/2 teaspoon Oregano\r1 dash Salt\r1/2 cup Water\r"
            "1/8 teaspoon Hot pepper sauce\r1 package Spaghetti sauce mix (1.5ounce)\r1 teaspoon oriental sesame oil\r\r"
            "BATTER\r1 cup Milk\r1 cup Flour\r1 tablespoon Oil\r2 ea Eggs\r1/2 teaspoon Salt\r\r"
            "MISC\r7 ounces Jack/Mozz. cheese slices\r1/2 cup Parmesan cheese; grated\r");
  EXPECT_EQ(r[0].directions, "Pre-heat oven to 400f. *** FILLING *** In large skillet, brown hamburger and drain.");
}

// mealmaster/javarecipes_Mm13000e.mmf, "Sauerbraten (Pot Roast)": the right
// column holds only continuations of the entries beside them.
TEST_F(MealMasterImport, ARightColumnOfContinuationsGoesOnWithTheEntriesBesideIt) {
  const std::vector<StoredRecord> r = Import(
      "---------- Recipe via Meal-Master (tm) v8.01\n \n      Title: Sauerbraten (Pot Roast)\n"
      " Categories: German, Beef\n      Yield: 1 servings\n \n"
      "      4 lb Beef **                                  -\n"
      "     12    Who                                      -peppercorns, black\n"
      "      4    Who                                      -cloves\n"
      "     12    Gingersnaps                              -\n"
      " \n  Marinate the beef.\n \n-----\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients, "4 pounds Beef **\r12 Who peppercorns, black\r4 Who cloves\r12 Gingersnaps\r");
}

// mealmaster/javarecipes_Mm13000a.mmf, line 17552: every ingredient with
// the unit "x"; mealmaster/javarecipes_1000.mmf, line 7547: every one
// without a unit. Both are recipes with directions, not text records.
TEST_F(MealMasterImport, IngredientsWithoutUnitsStillMakeARecipeWithDirections) {
  const std::vector<StoredRecord> r = Import(
      "---------- Recipe via Meal-Master (tm) v8.01\n \n      Title: Gazpacho 1\n"
      " Categories: Soups/stews, Vegetables, Appetizers\n      Yield: 4 servings\n \n"
      "      1 x  Zucchini                            3 x  Garlic, cloves\n"
      "      1 x  Green pepper, small               1/2 ts Cumin\n"
      "      1 x  Onion, small                      1/4 ts Chili powder\n"
      " \n"
      "  Finely chop vegetables and garlic ( or run through food processor or\n"
      "  blender for 10 seconds ).  Add vegetables and spices to juice and\n  refrigerate.\n \n-----\n"
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: 57 CHEVY\n"
      " Categories: Alcohol, Beverages, Mixed drink\n      Yield: 1 Servings\n \n"
      "      1    Part southern comfort\n      1    Part grand marnier\n      4    Red potatoes\n \n"
      "  Serve in a Highball Glass\n \nMMMMM\n");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].ingredients,
            "Zucchini\rGreen pepper, small\rOnion, small\r3 x Garlic, cloves\r1/2 teaspoon Cumin\r1/4 teaspoon Chili powder\r");
  EXPECT_EQ(r[0].directions,
            "Finely chop vegetables and garlic ( or run through food processor or blender for 10 seconds ). "
            "Add vegetables and spices to juice and refrigerate.");
  EXPECT_EQ(r[1].kind, kKindRecipe);
  EXPECT_EQ(r[1].ingredients, "1 Part southern comfort\r1 Part grand marnier\r4 Red potatoes\r");
  EXPECT_EQ(r[1].directions, "Serve in a Highball Glass");
}

// mealmaster/javarecipes_1000.mmf, line 31363: the first method line
// carries the directions marker and the first step.
TEST_F(MealMasterImport, TheTextAfterADirectionsMarkerIsTheFirstDirection) {
  const std::vector<StoredRecord> r = Import(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Divinity Candy\n Categories: Candies\n"
      "      Yield: 2 Servings\n \n  1 1/2 c  Light corn syrup\n      2 c  Sugar\n    1/4 ts Salt\n"
      "      2    Egg whites\n           Red or green food coloring\n \n"
      "  DIRECTIONS: Mix first 4 ingredients in heavy saucepan. Cook, stirring,\n"
      "  until sugar dissolves.\n \nMMMMM\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients,
            "1-1/2 cups Light corn syrup\r2 cups Sugar\r1/4 teaspoon Salt\r2 Egg whites\rRed or green food coloring\r");
  EXPECT_EQ(r[0].directions, "Mix first 4 ingredients in heavy saucepan. Cook, stirring, until sugar dissolves.");
}

// mealmaster/javarecipes_1000.mmf, line 23699: a credit line that names
// Meal-Master inside the method; mealmaster/javarecipes_Mm13000e.mmf,
// line 24280: a header line quoted in the text. Neither opens a recipe.
TEST_F(MealMasterImport, StartMarkersCountOnlyInTheirOwnShape) {
  const std::vector<StoredRecord> r = Import(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Salmon Chowder\n Categories: Fish\n"
      "      Yield: 6 Servings\n \n    1/2 c  Chopped broccoli\n           Minced parsley\n \n"
      "  Drain and flake salmon, reserving liquid.\n  \n"
      "  Source: Light & Lively Recipes Reprinted by permission of Alaska\n"
      "  Seafood Marketing Institute Meal-Master compatible recipe format\n"
      "  courtesy of Karen Mintzias\n"
      "  +++++---------- Recipe via Meal-Master (tm) v7.04 (*P)\n"
      "  Serve hot.\n \nMMMMM\n \n"
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: Plain Rice\n      Yield: 2 Servings\n \n"
      "      1 c  Rice\n \n  Boil.\n \nMMMMM\n");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Salmon Chowder");
  EXPECT_EQ(r[0].directions,
            "Drain and flake salmon, reserving liquid.\r\rSource: Light & Lively Recipes Reprinted by permission "
            "of Alaska Seafood Marketing Institute Meal-Master compatible recipe format courtesy of Karen Mintzias "
            "+++++---------- Recipe via Meal-Master (tm) v7.04 (*P) Serve hot.");
  EXPECT_EQ(r[1].title, "Plain Rice");
}

// mealmaster/recipefinder_30000KZ.mmf, line 24811: a nutrition table in
// the method names its own servings; the header's yield wins.
TEST_F(MealMasterImport, TheHeadersServingsWinOverANumberOfServingsLineInTheText) {
  const std::vector<StoredRecord> r = Import(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Fruit Dip\n Categories: Dips\n"
      "      Yield: 12 Servings\n\n      8 oz Cream cheese\n\n  Beat until smooth.\n\n"
      "  Calories     per serving:             Number of Servings: 0 Fat grams\n\nMMMMM\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].servings, 12);
  EXPECT_EQ(r[0].directions,
            "Beat until smooth.\r\rCalories per serving: Number of Servings: 0 Fat grams");
}

// Meal-Master's "ea" and "x" stay as they are above one, like "each"
// (mealmaster/ffts_1k_recipes_extracted.txt writes "12 ea Ancho chiles").
TEST_F(MealMasterImport, EachAndPerServingUnitsAreNotMadePlural) {
  const std::vector<StoredRecord> r = Import(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Chile Sauce\n      Yield: 6 Servings\n\n"
      "     12 ea Ancho chiles\n      6 x  Eggs\n\n  Toast the chiles.\n\nMMMMM\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients, "12 ea Ancho chiles\r6 x Eggs\r");
}

}  // namespace
}  // namespace tovalia
