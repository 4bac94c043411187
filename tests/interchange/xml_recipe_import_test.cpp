// XML recipe files made of <Recipe Name=...> elements: the reader on its
// own (elements over several lines, several on one line, images), the text
// decoding, and every corpus file imported with the count its <Recipe
// elements announce.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/record_format.h"
#include "interchange/xml_recipe_import.h"
#include "interchange/xml_text.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

std::string Decoded(std::string text) {
  DecodeXmlText(text);
  return text;
}

// The recipes the reader hands on for the lines.
std::vector<ImportedRecipe> Read(const std::vector<std::string>& lines) {
  std::vector<ImportedRecipe> recipes;
  XmlRecipeReader reader([&recipes](ImportedRecipe&& recipe) { recipes.push_back(std::move(recipe)); });
  for (const std::string& line : lines) reader.ImportXmlLine(line);
  reader.End();
  return recipes;
}

TEST(XmlText, EntitiesAndUtf8FormsDecodeUntilNothingChanges) {
  EXPECT_EQ(Decoded("&quot;Steakhouse&quot; &AMP; Grill"), "\"Steakhouse\" & Grill");
  // The ampersand an entity gives is read again.
  EXPECT_EQ(Decoded("say &amp;quot;hi&amp;Quot;"), "say \"hi\"");
  EXPECT_EQ(Decoded("&amp;amp;"), "&");
  EXPECT_EQ(Decoded("\xC2\xBD cup, 350\xC2\xBA, Caf\xC3\xA9, JALAPE\xC3\xB1O\xC2\xAE, it\xE2\x80\x99s"),
            "1/2 cup, 350\xB0, Cafe, JALAPEnO, it's");
  EXPECT_EQ(Decoded("a&lt;b&gt;c &apos;d&#233;&#xD;&#xA;"), "a<b>c 'd\xE9\r\n");
  // What is no entity stays as written.
  EXPECT_EQ(Decoded("salt & pepper &nbsp &#; &#xZZ; &unknown; &"), "salt & pepper &nbsp &#; &#xZZ; &unknown; &");
}

TEST(XmlRecipeReader, TakesEveryCompleteElementWhereverTheLinesBreak) {
  // An ingredient over two lines, two ingredients and a recipe's end on
  // one line, a second recipe on the same line; "MeasureQuantity" is not
  // the quantity.
  const std::vector<ImportedRecipe> r = Read({
      "<Recipe Name=\"Apricot &amp; Ham Glaze\" Servings=\"8\" RecipeTypes=\"Main Dish, Side Dish\">",
      "<RecipeIngredients><RecipeIngredient Quantity=\"1\" Unit=\"cup\"",
      "   Ingredient=\"apricot nectar\" MeasureQuantity=\"0.33\" Heading=\"N\"/>",
      "<RecipeIngredient Quantity=\"\" Unit=\"\" Ingredient=\"Glaze\" Heading=\"Y\"/>"
      "<RecipeIngredient Quantity=\"2\" Unit=\"Tbs\" Ingredient=\"honey\" Heading=\"N\"/></RecipeIngredients>"
      "<RecipeProcedures><RecipeProcedure Heading=\"N\"><ProcedureText>Whisk.</ProcedureText></RecipeProcedure>"
      "</RecipeProcedures></Recipe><Recipe Name=\"Second\" ID=\"2\"><RecipeIngredients>",
      "<RecipeIngredient Quantity=\"3\" Unit=\"\" Ingredient=\"eggs\"/></RecipeIngredients></Recipe>",
  });
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Apricot & Ham Glaze");
  EXPECT_EQ(r[0].servings, 8);
  EXPECT_EQ(r[0].categories, "Main Dish, Side Dish");
  EXPECT_EQ(r[0].ingredients, (std::vector<std::string>{"1 cup apricot nectar", "", "GLAZE", "2 Tbs honey"}));
  EXPECT_EQ(r[0].directions, std::vector<std::string>{"Whisk."});
  EXPECT_EQ(r[1].title, "Second");
  EXPECT_EQ(r[1].servings, 0);
  EXPECT_EQ(r[1].ingredients, std::vector<std::string>{"3 eggs"});
}

TEST(XmlRecipeReader, ProceduresTipsAndNotesAreParagraphsAndImagesAreSkipped) {
  const std::vector<ImportedRecipe> r = Read({
      "<Recipe Name=\"RecipeName\" Servings=\"11\">",
      "  <RecipeProcedures>",
      "    <RecipeProcedure Heading=\"N\"><ProcedureText>procedure</ProcedureText></RecipeProcedure>",
      "    <RecipeProcedure Heading=\"N\">",
      "      <ProcedureText>Procedure 1",
      "line 2</ProcedureText>",
      "      <ProcedureImage FileType=\"JPG\">/9j/4AAQSkZJRgABAgAAAQABAAD",
      "AAECAwQFBgcICQoL</ProcedureImage>",
      "    </RecipeProcedure>",
      "  </RecipeProcedures>",
      "  <RecipeTips><RecipeTip>Tips 1</RecipeTip></RecipeTips>",
      "  <RecipeReviews><RecipeReview Rating=\"4\">Review text.</RecipeReview></RecipeReviews>",
      "  <RecipeImage xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" dt:dt=\"bin.base64\">/9j/4AAQSkZJRg",
      "ABAgAAAQABAAD/2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDAx",
      "NDQ0Hyc5PTgyPC4zNDL/2wBDAQkJCQwLDBgNDRgyIRwhMjIyMjIyMjIyMjIy</RecipeImage>",
      "  <RecipeAuthorNotes><RecipeAuthorNote>Author note1</RecipeAuthorNote></RecipeAuthorNotes>",
      // The last recipe has no end: the end of the source hands it on.
  });
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].servings, 11);
  EXPECT_TRUE(r[0].ingredients.empty());
  EXPECT_EQ(r[0].directions,
            (std::vector<std::string>{"Procedure 1", "line 2", "", "Tips 1", "", "Author note1"}));
}

TEST(XmlRecipeReader, AnElementThatNeverEndsTakesNothingAfterIt) {
  const std::vector<ImportedRecipe> r = Read({
      "<Recipe Name=\"Cut Short\"><RecipeIngredients><RecipeIngredient Quantity=\"1\" Ingredient=\"egg\"/>",
      "<RecipeProcedure Heading=\"N\"><ProcedureText>Beat the egg",
      "<RecipeTip>never closed</RecipeTip>",
  });
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].ingredients, std::vector<std::string>{"1 egg"});
  EXPECT_TRUE(r[0].directions.empty());
}

using XmlRecipeFiles = testing::ImportTest;

TEST_F(XmlRecipeFiles, TheFileIsReadFromItsFirstRecipeAndStoredLikeAnyImport) {
  const std::vector<StoredRecord> r = Import(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<fdx Source=\"Cookbook\" FileVersion=\"1.2\">\n"
      "  <Recipes>\n"
      "    <Recipe Name=\"WHIPPED POTATOES II\" Servings=\"6\" RecipeTypes=\"Potato\">\n"
      "      <RecipeIngredients>\n"
      "        <RecipeIngredient Quantity=\"2\" Unit=\"lbs\" Ingredient=\"new red potatoes\" Heading=\"N\" />\n"
      "        <RecipeIngredient Quantity=\"1/4\" Unit=\"cup\" Ingredient=\"canola oil\" Heading=\"N\" />\n"
      "      </RecipeIngredients>\n"
      "      <RecipeProcedures>\n"
      "        <RecipeProcedure Heading=\"N\">\n"
      "          <ProcedureText>Boil the potatoes.</ProcedureText>\n"
      "        </RecipeProcedure>\n"
      "        <RecipeProcedure Heading=\"N\">\n"
      "          <ProcedureText>Whip with the oil.</ProcedureText>\n"
      "        </RecipeProcedure>\n"
      "      </RecipeProcedures>\n"
      "    </Recipe>\n  </Recipes>\n</fdx>\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Whipped Potatoes II");
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].servings, 6);
  EXPECT_EQ(r[0].ingredients, "2 lbs new red potatoes\r1/4 cup canola oil\r");
  EXPECT_EQ(r[0].directions, "Boil the potatoes.\r\rWhip with the oil.");
}

// The corpus files: each stores as many recipes as it has <Recipe
// elements (one with none stores nothing and is offered to manual import).
TEST(XmlRecipeCorpus, EveryFileStoresTheRecipesItAnnounces) {
  const std::string folder = testing::CorpusFile("xml-recipe");
  if (folder.empty()) GTEST_SKIP() << "no corpus beside the repository";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    int announced = 0;
    for (size_t at = text.find("<Recipe "); at != std::string::npos; at = text.find("<Recipe ", at + 1)) ++announced;
    testing::Collection c;
    testing::AddImportChapter(c);
    const ImportOutcome outcome = testing::ImportFile(c, entry.path().string());
    EXPECT_EQ(outcome.result.stored, announced) << entry.path();
    EXPECT_EQ(outcome.turnToManual, announced == 0) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, 8);
}

TEST(XmlRecipeCorpus, WhatIsStoredIsWhatTheFileSays) {
  const std::string allFields = testing::CorpusFile("xml-recipe/javarecipes_allfields.fdx");
  const std::string diabetic = testing::CorpusFile("xml-recipe/recipegrace_diabetic.fdx");
  const std::string grinder = testing::CorpusFile("xml-recipe/javarecipes_Steakhouse_Grinder.fdx");
  if (allFields.empty() || diabetic.empty() || grinder.empty()) GTEST_SKIP() << "no corpus beside the repository";
  testing::Collection c;
  testing::AddImportChapter(c);
  for (const std::string& file : {allFields, grinder, diabetic}) testing::ImportFile(c, file);
  const std::vector<StoredRecord> r = testing::StoredRecords(c);
  ASSERT_EQ(r.size(), 99u);

  EXPECT_EQ(r[0].title, "Recipename");
  EXPECT_EQ(r[0].servings, 11);
  EXPECT_EQ(r[0].ingredients, "1 unit ingredient\r");
  EXPECT_EQ(r[0].directions, "Procedure 1 line 2\r\rProcedure 2\r\rTips 1\r\rTips 2\r\rAuthor note1\r\rAuthor note2");

  EXPECT_EQ(r[1].title, "\"Steakhouse\" Grinder");
  EXPECT_EQ(r[1].servings, 1);
  EXPECT_EQ(r[1].ingredients.substr(0, 61), "1 tablespoon A.1. Original Steak Sauce\r1/3 cup thin onion sli");
  EXPECT_EQ(r[1].directions.find("/9j/"), std::string::npos);

  // The first of the cookbook's 97 recipes, all on one line of the file.
  EXPECT_EQ(r[2].title, "Acorn Squash With Pineapple");
  EXPECT_EQ(r[2].servings, 4);
  EXPECT_EQ(r[2].ingredients.substr(0, 42), "1 large acorn squash\r2 teaspoons cinnamon\r");
  EXPECT_EQ(r[2].directions.substr(0, 34), "Preheat the oven to 350 degrees.\r\r");
  // Ingredient headings stand on their own, upper-cased, each opening a group.
  const auto cake = std::find_if(r.begin(), r.end(), [](const StoredRecord& x) { return x.title == "Sweet Potato Crumb Cake"; });
  ASSERT_NE(cake, r.end());
  EXPECT_EQ(cake->servings, 16);
  EXPECT_EQ(cake->ingredients.substr(0, 39), "CRUMB TOPPING\r1/2 cup Fiber One cereal\r");
  EXPECT_NE(cake->ingredients.find("orange peel\r\rCAKE\r1 cup Fiber One cereal\r"), std::string::npos);
  EXPECT_NE(cake->ingredients.find("\r\rGLAZE\r1 cup powdered sugar\r"), std::string::npos);
  EXPECT_NE(cake->directions.find("Cool completely.\r\rTo make glaze"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
