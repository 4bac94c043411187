// Recipes from structured exports: schema.org JSON-LD in saved web pages
// and bare documents, MasterCook XML (.mx2) and RecipeML, in the shapes of
// the corpus files named at each.
#include <gtest/gtest.h>

#include "db/record_format.h"
#include "interchange/structured_import.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

using StructuredImport = testing::ImportTest;

// jsonld/ssr_google-recipe-example.html: one Recipe in a page's script
// block, with HTML entities; the rest of the page (scripts, markup) is
// passed over.
TEST_F(StructuredImport, APageRecipeIsReadFromItsJsonLdBlock) {
  const std::vector<StoredRecord> r = Import(
      "<!DOCTYPE html>\n<html>\n<head>\n<title>Party Coffee Cake</title>\n"
      "<script>var svg = \"M10 10 L20 20 Z\";</script>\n"
      "<script type=\"application/ld+json\">\n{\n  \"@context\": \"https://schema.org/\",\n"
      "  \"@type\": \"Recipe\",\n  \"name\": \"Party Coffee Cake\",\n  \"recipeYield\": \"10 servings\",\n"
      "  \"recipeCategory\": \"Dessert\",\n"
      "  \"recipeIngredient\": [\"2 cups of flour\", \"3/4 cup white sugar\", \"1/2 cup butter &amp; more\"],\n"
      "  \"recipeInstructions\": [\n"
      "    {\"@type\": \"HowToStep\", \"text\": \"Preheat the oven to 350 degrees F.\"},\n"
      "    {\"@type\": \"HowToStep\", \"text\": \"Bake for 30 to 35 minutes, or until firm.\"}\n  ]\n}\n"
      "</script>\n</head>\n<body><p>Party Coffee Cake</p></body>\n</html>\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Party Coffee Cake");
  EXPECT_EQ(r[0].kind, kKindRecipe);
  EXPECT_EQ(r[0].servings, 10);
  EXPECT_EQ(r[0].ingredients, "2 cups of flour\r3/4 cup white sugar\r1/2 cup butter & more\r");
  EXPECT_EQ(r[0].directions, "Preheat the oven to 350 degrees F.\r\rBake for 30 to 35 minutes, or until firm.");
}

// jsonld/tandoor_madamedessert.json (a bare document with @graph and \u
// escapes), jsonld/ssr_allrecipes-moscow-mule-2023.html ("@type" an array,
// the block a top-level array), jsonld/tandoor_regex_recipe_trailing_commas.html
// (trailing commas), and instructions in sections.
TEST_F(StructuredImport, RecipesAreFoundWhereverTheDocumentPutsThem) {
  Import("{\"@context\": \"https://schema.org\", \"@graph\": [{\"@type\": \"WebPage\", \"name\": \"Seite\"},\n"
         "{\"@type\": \"Recipe\", \"name\": \"Schokoladenpudding\", \"recipeYield\": 6,\n"
         " \"recipeIngredient\": [\"500 ml Milch\", \"50 g Zucker\"],\n"
         " \"recipeInstructions\": \"R\\u00fchren.\\nKochen.\", \"recipeCategory\": [\"Dessert\", \"Pudding\"]}]}\n");
  Import("<html><head><script type=\"application/ld+json\">[{\"@context\": \"http://schema.org\", "
         "\"@type\": [\"Recipe\", \"NewsArticle\"], \"name\": \"Simple Moscow Mule\", \"recipeYield\": [\"1\", \"1 mug\"],"
         " \"recipeIngredient\": [\"2 fluid ounces vodka\",], \"recipeInstructions\": [{\"@type\": \"HowToSection\","
         " \"name\": \"Serve\", \"itemListElement\": [{\"@type\": \"HowToStep\", \"text\": \"Pour in vodka.\"},]}],}]"
         "</script></head><body></body></html>\n");
  const std::vector<StoredRecord> r = testing::StoredRecords(c);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Schokoladenpudding");
  EXPECT_EQ(r[0].servings, 6);
  EXPECT_EQ(r[0].ingredients, "500 ml Milch\r50 g Zucker\r");
  EXPECT_EQ(r[0].directions, "R\xFChren. Kochen.");
  EXPECT_EQ(r[1].title, "Simple Moscow Mule");
  EXPECT_EQ(r[1].servings, 1);
  EXPECT_EQ(r[1].ingredients, "2 fluid ounces vodka\r");
  EXPECT_EQ(r[1].directions, "Serve\r\rPour in vodka.");
}

TEST_F(StructuredImport, APageWithoutARecipeImportsNothingAndSaysSo) {
  EXPECT_TRUE(Import("<!DOCTYPE html><html><head><script type=\"application/ld+json\">{\"@type\": \"WebSite\", "
                     "\"name\": \"Cooking\"}</script></head><body><svg><path d=\"M0 0 L10 10\"/></svg></body></html>")
                  .empty());
  EXPECT_EQ(outcome.nothingStored, "The web page holds no recipe?");
}

// mastercook/krecipes_mx2test.mx2 and mastercook/javarecipes_cannin02.mx2
// (a double quote left unescaped inside an attribute).
TEST_F(StructuredImport, MasterCookXmlRecipesAreRead) {
  const std::vector<StoredRecord> r = Import(
      "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE mx2 SYSTEM \"mx2.dtd\">\n"
      "<mx2 source=\"my mind\" date=\"Oct 22, 2009\">\n<Summ><Nam>Summary name</Nam></Summ>\n"
      "<RcpE name=\"Cookies Test\" author=\"Colleen Beamer\">\n<Serv qty=\"2\"/><PrpT elapsed=\"0:30\"/>\n"
      "<CatS>\n<CatT>Snacks</CatT>\n<CatT>Cookies &amp; Squares</CatT>\n</CatS>\n"
      "<IngR name=\"granulated sugar\" unit=\"c.\" qty=\"0.75 1\" code=\"I\">\n<INtI></INtI>\n<IPrp></IPrp>\n</IngR>\n"
      "<IngR name=\"tomatoes, 3/4\" dice\" unit=\"cup\" qty=\"2\" code=\"I\">\n<IPrp>peeled</IPrp>\n</IngR>\n"
      "<DirS>\n<DirT>Drop by spoonful on greased cookie sheet.</DirT>\n<DirT>Bake in moder&#233;te oven.</DirT>\n</DirS>\n"
      "<RTxt><![CDATA[* Exported from MasterCook *\n\n Cookies Test\n]]></RTxt>\n"
      "</RcpE>\n</mx2>\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Cookies Test");
  EXPECT_EQ(r[0].servings, 2);
  EXPECT_EQ(r[0].ingredients, "3/4-1 cup granulated sugar\r2 cups tomatoes, 3/4\" dice, peeled\r");
  EXPECT_EQ(r[0].directions, "Drop by spoonful on greased cookie sheet.\r\rBake in moder\xE9te oven.");
}

// recipeml/krecipes_recipemltest.xml: groups with titles, ranges, steps.
TEST_F(StructuredImport, RecipeMlRecipesAreRead) {
  const std::vector<StoredRecord> r = Import(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<!DOCTYPE recipeml PUBLIC \"-//FormatData//DTD RecipeML 0.5//EN\" "
      "\"http://www.formatdata.com/recipeml/recipeml.dtd\"><recipeml version=\"0.5\">\n<recipe>\n <head>\n"
      "  <title>Cookies_Test</title>\n  <categories>\n   <cat>Snacks</cat>\n  </categories>\n"
      "  <yield>\n   <range>\n    <q1>2</q1>\n    <q2>3</q2>\n   </range>\n   <unit>dozen</unit>\n  </yield>\n </head>\n"
      " <ingredients>\n  <ing-div>\n   <title>Dry Ingredients</title>\n   <ing>\n    <amt>\n     <qty>\n      <range>\n"
      "       <q1>0.75</q1>\n       <q2>1</q2>\n      </range>\n     </qty>\n     <unit>c.</unit>\n    </amt>\n"
      "    <item>granulated sugar</item>\n   </ing>\n  </ing-div>\n"
      "  <ing>\n   <amt>\n    <qty>2</qty>\n    <unit></unit>\n   </amt>\n   <item>eggs</item>\n"
      "   <prep>beaten</prep>\n  </ing>\n </ingredients>\n"
      " <directions>\n  <step>Drop by spoonful on greased cookie sheet.</step>\n  <step>Bake in moderate oven.</step>\n"
      " </directions>\n</recipe>\n</recipeml>\n");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Cookies_test");
  EXPECT_EQ(r[0].servings, 2);
  EXPECT_EQ(r[0].ingredients, "DRY INGREDIENTS\r3/4-1 cup granulated sugar\r2 eggs, beaten\r");
  EXPECT_EQ(r[0].directions, "Drop by spoonful on greased cookie sheet.\r\rBake in moderate oven.");
}

// The corpus files: every recipe announced is stored with its text (an
// <RcpE> that holds only its text export is read from that text).
TEST(StructuredCorpus, EveryRecipeOfTheStructuredFilesArrivesWhole) {
  const std::vector<std::pair<std::string, size_t>> files = {
      {"jsonld/gourmet_ica_se.html", 1},
      {"jsonld/tandoor_madamedessert.json", 1},
      {"mastercook/javarecipes_ice_creammx2.mx2", 213},
      {"mastercook/javarecipes_cannin02.mx2", 100},
      {"recipeml/around-recipeml_pl_scan_Golabki_Maklowicza.xml", 1},
  };
  for (const auto& [name, count] : files) {
    const std::string file = testing::CorpusFile(name);
    if (file.empty()) GTEST_SKIP() << "no corpus beside the repository";
    testing::Collection c;
    testing::AddImportChapter(c);
    testing::ImportFile(c, file);
    const std::vector<StoredRecord> r = testing::StoredRecords(c);
    EXPECT_EQ(r.size(), count) << name;
    for (const StoredRecord& record : r) {
      EXPECT_EQ(record.kind, kKindRecipe) << name << ": " << record.title;
      EXPECT_NE(record.ingredients + record.directions, "") << name << ": " << record.title;
      EXPECT_EQ(record.ingredients.find("&amp;"), std::string::npos) << name << ": " << record.title;
    }
  }
}

TEST(StructuredKind, TheFirstMarkupTellsTheKind) {
  EXPECT_EQ(DetectStructuredKind("MMMMM----- Recipe via Meal-Master"), StructuredKind::kNone);
  EXPECT_EQ(DetectStructuredKind("  <!DOCTYPE html><html>"), StructuredKind::kWebPage);
  EXPECT_EQ(DetectStructuredKind("{\"@context\": \"https://schema.org\"}"), StructuredKind::kJsonLd);
  EXPECT_EQ(DetectStructuredKind("{\"name\": \"no schema\"}"), StructuredKind::kNone);
  EXPECT_EQ(DetectStructuredKind("<?xml version=\"1.0\"?>\n<mx2 source=\"x\">"), StructuredKind::kMasterCookXml);
  EXPECT_EQ(DetectStructuredKind("<?xml version=\"1.0\"?><recipeml version=\"0.5\">"), StructuredKind::kRecipeMl);
}

}  // namespace
}  // namespace tovalia
