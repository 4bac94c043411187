#include "interchange/import_lines.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;

// --- Lines and titles ---------------------------------------------------------

TEST(ImportLinesClean, TrimsAndCollapsesRunsOfBlanks) {
  EXPECT_EQ(CleanLine("   2  cups     flour  "), "2 cups flour");
  EXPECT_EQ(CleanLine("     "), "");
  EXPECT_EQ(CleanLine("a\t\tb"), "a\t\tb");  // only blanks are collapsed
}

TEST(ImportLinesClean, TitleCaseCapitalisesAfterPunctuationButNotApostrophes) {
  EXPECT_EQ(TitleCase("o'brien potatoes"), "O'brien Potatoes");
  EXPECT_EQ(TitleCase("PEANUT-BUTTER (CRUNCHY)/JAM & TOAST.X"), "Peanut-Butter (Crunchy)/Jam & Toast.X");
  EXPECT_EQ(TitleCase("3bean salad"), "3bean Salad");  // a digit is no word break
  // The CP1252 table, not the C locale: accented capitals and small letters.
  EXPECT_EQ(TitleCase("\xC9" "CLAIRS \xE0 LA CR\xC8ME"), "\xC9" "clairs \xC0 La Cr\xE8me");
}

TEST(ImportLinesTitle, DropsTheTitleLabelAndKeepsRomanNumerals) {
  EXPECT_EQ(CleanTitle("TITLE: CHOCOLATE CAKE II", nullptr), "Chocolate Cake II");
  EXPECT_EQ(CleanTitle("  title  :  apple    pie  ", nullptr), "Apple Pie");
  EXPECT_EQ(CleanTitle("Rocky Road iii", nullptr), "Rocky Road III");
  EXPECT_EQ(CleanTitle("PORK CHOPS HAWAII", nullptr), "Pork Chops Hawaii");  // no numeral inside a word
  EXPECT_EQ(CleanTitle("ii", nullptr), "II");
  // "Title" goes only as a label before a colon (mastercook/javarecipes_AllFields.mxp).
  EXPECT_EQ(CleanTitle("TitleField", nullptr), "Titlefield");
  EXPECT_EQ(CleanTitle("Title Page", nullptr), "Title Page");

}

TEST(ImportLinesTitle, DropsALeadingPointAndEnclosingStars) {
  EXPECT_EQ(CleanTitle(". hidden gem", nullptr), "Hidden Gem");
  EXPECT_EQ(CleanTitle("* best bread *", nullptr), "Best Bread");
  EXPECT_EQ(CleanTitle("*starred", nullptr), "*Starred");  // a star at one end stays
}

TEST(ImportLinesTitle, AnEmptyTitleAsksUntilAnEntrySurvivesCleaning) {
  const std::vector<std::string> answers = {"", "  TITLE:  ", "*", "  my   pie "};
  size_t asked = 0;
  const TitlePrompt prompt = [&] { return answers.at(asked++); };
  EXPECT_EQ(CleanTitle("  TITLE :  ", prompt), "My Pie");
  EXPECT_EQ(asked, 4u);

  asked = 0;
  EXPECT_EQ(CleanTitle("Soup", prompt), "Soup");
  EXPECT_EQ(asked, 0u);
  EXPECT_EQ(CleanTitle("", nullptr), "Untitled");
}

// --- Ingredient lines -----------------------------------------------------------

struct LineCase {
  std::string line;
  int32_t quantity;
  std::string unit;
  std::string ingredient;
};

void ExpectParses(const std::vector<LineCase>& cases) {
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    const ParsedIngredient parsed = ParseIngredientLine(c.line);
    EXPECT_EQ(parsed.quantity, c.quantity);
    EXPECT_EQ(parsed.unit, c.unit);
    EXPECT_EQ(parsed.ingredient, c.ingredient);
  }
}

TEST(ImportLinesIngredient, UnitWordsBecomeCanonical) {
  ExpectParses({
      {"1 1/2 c. flour", 150, "cup", "flour"},
      {"2 T butter", 200, "tablespoon", "butter"},
      {"2 t butter", 200, "teaspoon", "butter"},
      {"2 TSP butter", 200, "teaspoon", "butter"},
      {"2 Tablespoons sugar", 200, "tablespoon", "sugar"},
      {"1 tbls. oil", 100, "tablespoon", "oil"},
      {"4 Pkgs yeast", 400, "package", "yeast"},
      {"1 can (14 oz) tomatoes", 100, "can", "(14 ounce) tomatoes"},
      {"1 can (14oz) tomatoes", 100, "can", "(14ounce) tomatoes"},
      {"1 lb beef, 8 oz. drained", 100, "pound", "beef, 8 ounce drained"},
      // A letter glued to a number is a temperature, not a cup or a liter.
      {"1 c water (40-45C)", 100, "cup", "water (40-45C)"},
      {"1 l broth, heated to 80C, 2c more", 100, "liter", "broth, heated to 80C, 2c more"},
      {"pinch salt", 0, "pinch", "salt"},
  });
}

TEST(ImportLinesIngredient, EachEaAndXStayOrVanishBeforeAPoint) {
  ExpectParses({
      {"3 each eggs", 300, "each", "eggs"},
      {"3 Each eggs", 300, "Each", "eggs"},
      {"3 ea. eggs", 300, "", "eggs"},
      {"2 x. lemons", 200, "", "lemons"},
      {"2 x lemons", 200, "x", "lemons"},
  });
}

TEST(ImportLinesIngredient, OneTimesAndZeroLinesKeepOnlyTheNormalisedRest) {
  ExpectParses({
      {"1 x 2 c flour", 0, "", "2 cup flour"},
      {"0.00 lg eggs", 0, "", "large eggs"},
  });
}

TEST(ImportLinesIngredient, AmountForms) {
  ExpectParses({
      {"1.5 cups milk", 150, "cup", "milk"},
      {".25 tsp salt", 25, "teaspoon", "salt"},
      {"1-1/2 lb beef", 150, "pound", "beef"},
      {"1/3 c oil", 33, "cup", "oil"},
      {"2/3 c oil", 67, "cup", "oil"},
      {"1 11/16 oz cheese", 169, "ounce", "cheese"},
      {"10 1/2 oz cheese", 1050, "ounce", "cheese"},
      // Only the number before the blank is taken off when no range follows.
      {"2 4 oz cans", 200, "", "4 ounce cans"},
      {"99999999999 g sugar", INT32_MAX, "g", "sugar"},
  });
}

// Units are normalised where a unit stands, never inside the words of a
// name (lines of mastercook/recipegrace_b3q96.txt, recipegrace_BBQ-ARC1.MXP
// and mealmaster/javarecipes_1000.mmf).
TEST(ImportLinesIngredient, UnitWordsInsideNamesStayAsWritten) {
  ExpectParses({
      {"2 cups Dr. Pepper", 200, "cup", "Dr. Pepper"},
      {"1 can Dr Pepper", 100, "can", "Dr Pepper"},
      {"4 c brewed tea", 400, "cup", "brewed tea"},
      {"5 Stash Lemon Spice tea bags", 500, "", "Stash Lemon Spice tea bags"},
      {"6 tea bags", 600, "", "tea bags"},
      {"1 tea. salt", 100, "teaspoon", "salt"},
      {"500 mg Vitamin C", 50000, "mg", "Vitamin C"},
      {"2 T-bone steaks", 200, "", "T-bone steaks"},
      {"1 lg Onion; sliced 1/4 in thick", 100, "large", "Onion; sliced 1/4 in thick"},
  });
}

// Ranges stay ranges ("2 - 3 cups water"; mealmaster/gourmet_mealmaster.mmf
// writes "1-2 tb", "1-1 1/2 c", "1/2-1 c"); a fraction stays as the source
// writes it ("3/16 c"), a decimal no kitchen fraction writes stays a decimal.
TEST(ImportLinesIngredient, RangesAndTheSourcesFractionsAreKept) {
  auto rebuild = [](const std::string& line) { return BuildIngredientLine(ParseIngredientLine(line)); };
  EXPECT_EQ(rebuild("2 - 3 cups water"), "2-3 cups water");
  EXPECT_EQ(rebuild("1-2 eggs"), "1-2 eggs");
  EXPECT_EQ(rebuild("1-2 tb butter"), "1-2 tablespoons butter");
  EXPECT_EQ(rebuild("1/2-1 c milk"), "1/2-1 cup milk");
  EXPECT_EQ(rebuild("1-1 1/2 c sugar"), "1 to 1-1/2 cups sugar");
  EXPECT_EQ(rebuild("2 to 3 c water"), "2-3 cups water");
  EXPECT_EQ(rebuild("1-16 oz can tomatoes"), "1-16 oz can tomatoes");  // one can of 16 ounces, no range
  EXPECT_EQ(rebuild("3/16 c oil"), "3/16 cup oil");
  EXPECT_EQ(rebuild("1 3/16 c oil"), "1-3/16 cups oil");
  EXPECT_EQ(rebuild("1.3 lb beef"), "1.3 pounds beef");
  EXPECT_EQ(rebuild(".5 c rice"), "1/2 cup rice");
  EXPECT_EQ(rebuild("2/4 c rice"), "1/2 cup rice");
  EXPECT_EQ(ParseIngredientLine("2 - 3 cups water").upTo, 300);
}

TEST(ImportLinesIngredient, UnreadableAmountsKeepTheLineAsGiven) {
  ExpectParses({
      {"-2 c  flour", 0, "", "-2 c  flour"},
      {"1/0 c flour", 0, "", "1/0 c flour"},
      {"1..5 c flour", 0, "", "1..5 c flour"},
      {"-1/2 c flour", 0, "", "-1/2 c flour"},
      {"0 eggs", 0, "", "0 eggs"},
      {"salt and pepper to taste", 0, "", "salt and pepper to taste"},
  });
}

TEST(ImportLinesIngredient, LineCleanUpComesFirst) {
  ExpectParses({
      {"  2\tc\t sugar ", 200, "cup", "sugar"},
      {"2 c flour -- sifted", 200, "cup", "flour, sifted"},
      {"2 c - flour", 200, "cup", "flour"},
  });
}

TEST(ImportLinesBuild, PluralUnitsAboveOne) {
  EXPECT_EQ(BuildIngredientLine(200, "cup", "sugar"), "2 cups sugar");
  EXPECT_EQ(BuildIngredientLine(150, "cup", "flour"), "1-1/2 cups flour");
  EXPECT_EQ(BuildIngredientLine(100, "cup", "flour"), "1 cup flour");
  EXPECT_EQ(BuildIngredientLine(50, "cup", "flour"), "1/2 cup flour");
  EXPECT_EQ(BuildIngredientLine(200, "pinch", "salt"), "2 pinches salt");
  EXPECT_EQ(BuildIngredientLine(200, "box", "raisins"), "2 boxes raisins");
  EXPECT_EQ(BuildIngredientLine(50000, "g", "flour"), "500 g flour");
  EXPECT_EQ(BuildIngredientLine(300, "large", "eggs"), "3 large eggs");
  EXPECT_EQ(BuildIngredientLine(300, "each", "eggs"), "3 each eggs");
  // Meal-Master's "ea" and "x" stay as written, like "each".
  EXPECT_EQ(BuildIngredientLine(1200, "ea", "Ancho chiles"), "12 ea Ancho chiles");
  EXPECT_EQ(BuildIngredientLine(600, "x", "Eggs"), "6 x Eggs");
}

TEST(ImportLinesBuild, MissingPartsLeaveNoBlanks) {
  EXPECT_EQ(BuildIngredientLine(0, "pinch", "salt"), "pinch salt");
  EXPECT_EQ(BuildIngredientLine(0, "", "salt and pepper"), "salt and pepper");
  EXPECT_EQ(BuildIngredientLine(300, "", "eggs"), "3 eggs");
  EXPECT_EQ(BuildIngredientLine(300, "", ""), "3");
}

TEST(ImportLinesBuild, ParsedLinesAreStoredNormalised) {
  auto rebuild = [](const std::string& line) {
    const ParsedIngredient p = ParseIngredientLine(line);
    return BuildIngredientLine(p.quantity, p.unit, p.ingredient);
  };
  EXPECT_EQ(rebuild("2 c sugar"), "2 cups sugar");
  EXPECT_EQ(rebuild("2 pinch salt"), "2 pinches salt");
  EXPECT_EQ(rebuild("500 g flour"), "500 g flour");
  EXPECT_EQ(rebuild("1 1/2 c. flour"), "1-1/2 cups flour");
  EXPECT_EQ(rebuild("Salt  to taste"), "Salt  to taste");
}

TEST(ImportLinesServings, FirstRunOfDigits) {
  EXPECT_EQ(ReadServings("Serves 6-8"), 6);
  EXPECT_EQ(ReadServings("Makes 12 servings"), 12);
  EXPECT_EQ(ReadServings("none"), 0);
  EXPECT_EQ(ReadServings(""), 0);
  EXPECT_EQ(ReadServings("99999999999"), INT32_MAX);
}

// --- The record's texts -----------------------------------------------------------

class ImportLinesAppend : public ::testing::Test {
 protected:
  void SetUp() override { ClearCurrentRecord(db()); }
  Database& db() { return c.db(); }
  std::string Ingredients() {
    return GetBytes(db().ingredientsBuffer, 0, GetI32(db().recordHeaderBuffer, header::kIngredientsLength));
  }
  std::string Directions() {
    return GetBytes(db().directionsBuffer, 0, GetI32(db().recordHeaderBuffer, header::kDirectionsLength));
  }
  Collection c;
};

TEST_F(ImportLinesAppend, IngredientsDropALeadingBreakOnlyWhenEmpty) {
  AppendIngredientsText(db(), "\r1 cup flour\r");
  AppendIngredientsText(db(), "\r");
  AppendIngredientsText(db(), "2\teggs\x01\n");
  EXPECT_EQ(Ingredients(), "1 cup flour\r\r2 eggs \n");
}

TEST_F(ImportLinesAppend, DirectionsJoinLinesOfAParagraph) {
  AppendDirectionsText(db(), "Mix well.");
  AppendDirectionsText(db(), "Bake\tan hour.");
  AppendDirectionsText(db(), "\r\r");
  AppendDirectionsText(db(), "Cool. ");
  AppendDirectionsText(db(), "Serve.");
  EXPECT_EQ(Directions(), "Mix well. Bake an hour. \r\rCool. Serve.");
}

TEST_F(ImportLinesAppend, TextsStopAt64990Bytes) {
  AppendIngredientsText(db(), std::string(64980, 'x'));
  AppendIngredientsText(db(), "0123456789ABC");
  AppendIngredientsText(db(), "more");
  EXPECT_EQ(GetI32(db().recordHeaderBuffer, header::kIngredientsLength), 64990);
  EXPECT_EQ(Ingredients().substr(64980), "0123456789");

  // The joining blank counts too.
  AppendDirectionsText(db(), std::string(64985, 'y'));
  AppendDirectionsText(db(), "abcdefgh");
  EXPECT_EQ(Directions().substr(64985), " abcd");
}

// --- Storing -------------------------------------------------------------------------

class ImportLinesStore : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Breads");
    c.AppendChapter(2, "Soups");
    c.AppendRecipe(7, 1, "Rye");
    SortIndex(db());
    FindChapterRow(db(), 2);
  }
  Database& db() { return c.db(); }

  void FillRecipe(const std::string& title) {
    ClearCurrentRecord(db());
    SetU8(db().recordHeaderBuffer, header::kRecordKind, kKindRecipe);
    SetU8(db().recordHeaderBuffer, header::kServings, 6);
    SetCurrentTitle(db(), title);
    SetCurrentIngredients(db(), "1 cup flour\r");
    SetCurrentDirections(db(), "Bake.");
  }

  // The chapter numbered by the index entry of the recipe.
  int32_t ChapterOf(int32_t recipeId) {
    const int32_t o = FindEntryByRecipeId(db(), recipeId);
    return o < 0 ? -1 : EntryChapter(db(), o);
  }

  int32_t ChapterNumberNamed(const std::string& name) {
    for (const ChapterRow& row : db().chapterTable)
      if (row.name == name) return row.number;
    return -1;
  }

  ImportOptions byCategory{true, 0};
  Collection c;
};

TEST_F(ImportLinesStore, AnExistingChapterIsFoundWithoutRegardToCase) {
  FillRecipe("Leek Soup");
  EXPECT_EQ(StoreImportedRecipe(db(), "  sOUPS , Starters", byCategory), 2);
  EXPECT_EQ(ChapterOf(8), 2);
  EXPECT_EQ(db().nextRecipeId, 9);
  EXPECT_EQ(db().chapterTable.size(), kReservedChapterRows + 2u);  // nothing created
}

TEST_F(ImportLinesStore, AMissingChapterIsCreatedAndTheRecordSurvivesIt) {
  FillRecipe("Apple Pie");
  CreateBuffer(16, db().photoBuffer);
  SetI32(db().recordHeaderBuffer, header::kPhotoLength, 16);
  const int32_t chapter = StoreImportedRecipe(db(), "Pies, Desserts", byCategory);
  EXPECT_EQ(chapter, 3);
  EXPECT_EQ(ChapterNumberNamed("Pies"), 3);

  // "Pies" sorts in above "Soups"; the view stays on Soups all the same.
  EXPECT_EQ(db().chapterTable[static_cast<size_t>(db().currentChapterRow)].number, 2);

  const int32_t o = FindEntryByRecipeId(db(), 8);
  ASSERT_GE(o, 0);
  EXPECT_EQ(EntryChapter(db(), o), 3);
  EXPECT_EQ(EntryTitle(db(), o), "Apple Pie");
  EXPECT_EQ(EntryHasPhoto(db(), o), 1);
  ASSERT_TRUE(LoadRecord(db(), EntryPosition(db(), o)));
  EXPECT_EQ(GetU8(db().recordHeaderBuffer, header::kRecordKind), kKindRecipe);
  EXPECT_EQ(GetU8(db().recordHeaderBuffer, header::kServings), 6);
  EXPECT_EQ(GetI32(db().recordHeaderBuffer, header::kPhotoLength), 16);
  EXPECT_EQ(GetBytes(db().ingredientsBuffer, 0, GetI32(db().recordHeaderBuffer, header::kIngredientsLength)),
            "1 cup flour\r");
  EXPECT_EQ(GetBytes(db().directionsBuffer, 0, GetI32(db().recordHeaderBuffer, header::kDirectionsLength)),
            "Bake.");
}

TEST_F(ImportLinesStore, NoCategoryGoesToOneUndefinedChapter) {
  FillRecipe("First");
  const int32_t undefined = StoreImportedRecipe(db(), "   ", byCategory);
  EXPECT_EQ(undefined, ChapterNumberNamed("* Undefined Chapter"));
  FillRecipe("Second");
  EXPECT_EQ(StoreImportedRecipe(db(), "none", byCategory), undefined);
  FillRecipe("Third");
  EXPECT_EQ(StoreImportedRecipe(db(), ", Soups", byCategory), undefined);
  EXPECT_EQ(ChapterOf(8), undefined);
  EXPECT_EQ(ChapterOf(10), undefined);
  EXPECT_EQ(db().chapterTable.size(), kReservedChapterRows + 3u);
}

TEST_F(ImportLinesStore, LongCategoryNamesAreCutToSixtyCharacters) {
  const std::string name(70, 'k');
  FillRecipe("Kale");
  const int32_t chapter = StoreImportedRecipe(db(), name, byCategory);
  EXPECT_EQ(ChapterNumberNamed(name.substr(0, 60)), chapter);
  FillRecipe("More Kale");
  EXPECT_EQ(StoreImportedRecipe(db(), name + "z", byCategory), chapter);
}

TEST_F(ImportLinesStore, WithoutSortingTheGivenChapterReceivesTheRecipe) {
  FillRecipe("Mystery");
  EXPECT_EQ(StoreImportedRecipe(db(), "Pies", ImportOptions{false, 1}), 1);
  EXPECT_EQ(ChapterOf(8), 1);
  EXPECT_EQ(ChapterNumberNamed("Pies"), -1);
  FillRecipe("Nowhere");
  EXPECT_EQ(StoreImportedRecipe(db(), "", ImportOptions{false, kAllRecipes}), -1);
  EXPECT_EQ(FindEntryByRecipeId(db(), 9), -1);
}

}  // namespace
}  // namespace tovalia
