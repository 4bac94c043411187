#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "interchange/base64_lines.h"
#include "interchange/export_dialog.h"
#include "interchange/export_recipe.h"
#include "interchange/mastercook_writer.h"
#include "interchange/mealmaster_writer.h"
#include "interchange/recipe_index_writer.h"
#include "interchange/tovalia_text_writer.h"
#include "interchange/wrapped_text.h"
#include "interchange/xml_writer.h"
#include "support/temp_folder.h"
#include "ui/progress.h"

namespace tovalia {
namespace {

std::string Wrapped(std::string_view text, int mode) {
  std::string out;
  WriteWrapped(out, text, mode);
  return out;
}

// The lines of written output, without their CR LF.
std::vector<std::string> Lines(const std::string& written) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = written.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(written.substr(start, end - start));
  EXPECT_EQ(start, written.size()) << "output does not end with CR LF";
  return lines;
}

ExportRecipe Recipe(std::string title, std::string ingredients, std::string directions, int servings = 4) {
  ExportRecipe r;
  r.title = std::move(title);
  r.chapter = "Pies";
  r.servings = servings;
  r.ingredients = std::move(ingredients);
  r.directions = std::move(directions);
  return r;
}

TEST(WrappedText, ModesSetWidthAndIndentAndEveryCrEndsALine) {
  const std::string words = "Mix the flour and the sugar in a large bowl, then cut in the cold butter until "
                            "the mixture looks like coarse crumbs.";
  EXPECT_EQ(Lines(Wrapped(words, kWrapPlain72)),
            (std::vector<std::string>{"Mix the flour and the sugar in a large bowl, then cut in the cold",
                                      "butter until the mixture looks like coarse crumbs."}));
  EXPECT_EQ(Lines(Wrapped(words, kWrapIndentTwo))[0],
            "  Mix the flour and the sugar in a large bowl, then cut in the cold");
  EXPECT_EQ(Lines(Wrapped(words, kWrapIndentFour))[0],
            "    Mix the flour and the sugar in a large bowl, then cut in the cold");
  EXPECT_EQ(Lines(Wrapped(words, 7))[0],
            "Mix the flour and the sugar in a large bowl, then cut in the cold butter until");
  // An empty line is written with its indent; a last line without CR too.
  EXPECT_EQ(Wrapped("One.\r\rTwo.", kWrapIndentTwo), "  One.\r\n  \r\n  Two.\r\n");
  EXPECT_EQ(Wrapped("One.\r", kWrapPlain72), "One.\r\n");
  EXPECT_EQ(Wrapped("", kWrapPlain72), "");
}

// Lines written with their cut blanks kept come back as the text they came
// from, line ends after long lines included.
TEST(WrappedText, UnwrappingGivesTheWrittenTextBack) {
  const std::string text = "Mix the flour and the sugar in a large bowl, then cut in the cold butter until the "
                           "mixture looks like  coarse crumbs, " + std::string(80, '-') + " and more.\rStir.\r\r"
                           "A line of sixty-five characters that is followed by a line end.\rTransmogrify.\r\r";
  std::string out;
  WriteWrapped(out, text, kWrapPlain72, WrapCuts::kKeepBlank);
  EXPECT_EQ(Lines(out)[0], "Mix the flour and the sugar in a large bowl, then cut in the cold ");
  EXPECT_EQ(UnwrapCutLines(Lines(out)), text);
  EXPECT_EQ(UnwrapCutLines({"One. ", "", "Two."}), "One. \r\rTwo.");
  EXPECT_EQ(UnwrapCutLines({"One.", "Two", ""}), "One.\rTwo\r\r");
  EXPECT_EQ(UnwrapCutLines({}), "");
}

TEST(WrappedText, AWordIsNeverCutAndStrayBytesDoNotBreakLines) {
  // A word longer than the width runs on to its end: a rule of dashes, a web address.
  const std::string rule = std::string(75, '-') + " then the text";
  EXPECT_EQ(Lines(Wrapped(rule, kWrapPlain72)), (std::vector<std::string>{std::string(75, '-'), "then the text"}));
  EXPECT_EQ(Lines(Wrapped("See " + std::string(300, 'x'), kWrapIndentTwo)),
            (std::vector<std::string>{"  See", "  " + std::string(300, 'x')}));
  // NUL is skipped; LF and CR LF end a line once, as CR does.
  EXPECT_EQ(Wrapped(std::string("a\0b\nc\r\nd", 8), kWrapPlain72), "ab\r\nc\r\nd\r\n");
}

TEST(Base64Lines, FiftyEightBytesGiveLinesOfSeventySixAndFour) {
  std::string out;
  WriteBase64Lines(out, std::string(58, '\xFF'));
  const std::vector<std::string> lines = Lines(out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(76, '/'));
  EXPECT_EQ(lines[1], "/wAA");  // the missing bytes count as zero; no "=" padding
  out.clear();
  WriteBase64Lines(out, std::string(57, 'M'));
  EXPECT_EQ(Lines(out).size(), 1u);
  out.clear();
  WriteBase64Lines(out, std::string("Man\x01", 4));
  EXPECT_EQ(out, "TWFuAQAA\r\n");
}

TEST(TovaliaText, ARecipeIsWrittenInTheOrderTheImportReadsIt) {
  ExportRecipe r = Recipe("Dutch Apple Pie", "1/4 teaspoon salt\r3/4 cup all-purpose flour\r",
                          "Preheat oven to 375 degrees.\r\rBrush crust with egg yolk.", 8);
  std::string out;
  WriteTovaliaText(r, true, out);
  EXPECT_EQ(out,
            "Tovalia Chapter: Pies\r\n\r\nDutch Apple Pie\r\n===============\r\n"
            "1/4 teaspoon salt\r\n3/4 cup all-purpose flour\r\n.\r\n"
            "Preheat oven to 375 degrees.\r\n\r\nBrush crust with egg yolk.\r\n"
            "Servings: 8\r\n\r\nExported from Tovalia 5.8 (https://tovalia.example.org)\r\n\r\n\r\n");
}

TEST(TovaliaText, PhotosOnlyWithPhotosAndTextRecordsWithoutServings) {
  ExportRecipe r = Recipe("Note", "Ingredients without end", "");
  r.textRecord = true;
  r.photo = std::string(58, '\0');
  std::string withPhoto, textOnly;
  WriteTovaliaText(r, true, withPhoto);
  WriteTovaliaText(r, false, textOnly);
  const std::vector<std::string> lines = Lines(withPhoto);
  const std::vector<std::string> expected = {"Tovalia Chapter: Pies", "", "Note", "====", "Ingredients without end",
                                             ".", "", "Photo: 58", std::string(76, 'A'), "AAAA", "",
                                             "Servings: ", ""};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 13), expected);
  EXPECT_EQ(textOnly.find("Photo:"), std::string::npos);
  EXPECT_NE(textOnly.find("\r\n.\r\nServings: \r\n"), std::string::npos);
}

TEST(TovaliaText, LongLinesStayWholeAndLongWordsInTheDirectionsAreNotCut) {
  const std::string line = "2 cups flour, sifted twice with the baking powder and the baking soda, then it - not "
                           "chilled";
  const std::string address = "https://example.org/recipes/" + std::string(60, 'x');
  std::string out;
  WriteTovaliaText(Recipe("Cake", line + "\r-- a line of its own", "See " + address + " for more."), false, out);
  const std::vector<std::string> lines = Lines(out);
  EXPECT_EQ(lines[4], line);
  EXPECT_EQ(lines[5], "-- a line of its own");
  EXPECT_EQ(lines[6], ".");
  // A cut line keeps its blank at the end.
  EXPECT_EQ(lines[7], "See ");
  EXPECT_EQ(lines[8], address + " ");
  EXPECT_EQ(lines[9], "for more.");
}

TEST(MealMaster, UnitCodesFollowTheTableInItsOrder) {
  EXPECT_EQ(MealMasterUnit("teaspoon"), "ts");
  EXPECT_EQ(MealMasterUnit(" Tablespoons "), "tb");
  EXPECT_EQ(MealMasterUnit("cups"), "c ");
  EXPECT_EQ(MealMasterUnit("liter"), "l ");
  EXPECT_EQ(MealMasterUnit("l"), "l ");
  EXPECT_EQ(MealMasterUnit("g"), "g ");
  EXPECT_EQ(MealMasterUnit("kg"), "kg");
  EXPECT_EQ(MealMasterUnit("large"), "lg");
  EXPECT_EQ(MealMasterUnit("larger"), "  ");  // small, medium and large only as whole words
  EXPECT_EQ(MealMasterUnit("cans"), "cn");
  EXPECT_EQ(MealMasterUnit("each"), "  ");
  EXPECT_EQ(MealMasterUnit(""), "  ");
}

TEST(MealMaster, TwoTablespoonsButterStandInTheColumns) {
  std::string out;
  WriteMealMaster(Recipe("Toast", "2 tablespoons butter", "Spread."), out);
  const std::vector<std::string> lines = Lines(out);
  EXPECT_EQ(lines[6], "      2 tb butter");
  EXPECT_EQ(lines[6].substr(8, 2), "tb");  // columns 9 and 10
}

// Amounts and texts go out as stored: sixteenths and ranges (which the
// kitchen fractions would round or drop), unit words after numbers; an
// amount wider than its seven columns leaves them and the line is text.
TEST(MealMaster, AmountsAndTextsAsStored) {
  std::string out;
  WriteMealMaster(Recipe("Odd", "1/16 teaspoon cream of tartar\r13/16 cup milk\r1-2 tablespoons margarine\r"
                                "1-1/2 cups flour\r1 can tomatoes (28 oz)\r100-2/3 teaspoons salt\r1000-2/3 cups water",
                         "Mix."),
                  out);
  const std::vector<std::string> lines = Lines(out);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.begin() + 13),
            (std::vector<std::string>{"   1/16 ts cream of tartar", "  13/16 c  milk", "    1-2 tb margarine",
                                      "  1 1/2 c  flour", "      1 cn tomatoes (28 oz)", "100 2/3 ts salt",
                                      "           1000-2/3 cups water"}));
}

// A recipe in the shape of the corpus's Meal-Master files (javarecipes_1000.mmf,
// "BLUE" FETTUCCINE), written by hand.
TEST(MealMaster, ARecipeComesOutInTheShapeOfMealMasterFiles) {
  ExportRecipe r = Recipe("\"Blue\" Fettuccine",
                          "4 ounces Danish blue cheese or Danish blue Castello cheese, chilled\r"
                          "1/4 cup marinated, dried tomatoes\r1 1/2 teaspoons finely chopped fresh basil\r"
                          "1 garlic clove, minced\r3 each eggs\r\rSauce:\r2 tablespoons dry white wine\r",
                          "On waxed paper, divide cheese into 10 - 12 pieces; set aside.\r\r"
                          "Serve immediately on heated plates.",
                          4);
  r.chapter = "Pasta";
  std::string out;
  WriteMealMaster(r, out);
  EXPECT_EQ(Lines(out), (std::vector<std::string>{
                            "MMMMM----- Meal-Master Recipe",
                            "",
                            "      Title: \"Blue\" Fettuccine",
                            " Categories: Pasta",
                            "      Yield: 4",
                            "",
                            "      4 oz Danish blue cheese or",
                            "           -Danish blue Castello",
                            "           -cheese, chilled",
                            "    1/4 c  marinated, dried tomatoes",
                            "  1 1/2 ts finely chopped fresh basil",
                            "      1    garlic clove, minced",
                            "      3    each eggs",
                            "           === Sauce ===",
                            "      2 tb dry white wine",
                            "",
                            "  On waxed paper, divide cheese into 10 - 12 pieces; set aside.",
                            "  ",
                            "  Serve immediately on heated plates.",
                            "",
                            "  Exported from Tovalia 5.8 (https://tovalia.example.org)",
                            "",
                            "MMMMM",
                            "",
                        }));
}

TEST(MealMaster, ContinuationLinesCarryTheWholeRestAndTextRecordsAreWrapped) {
  std::string out;
  WriteMealMaster(Recipe("Long", "1 cup walnuts, toasted in a dry pan over medium heat until fragrant and "
                                 "golden, then cooled and chopped by hand into coarse pieces",
                         "Use."),
                  out);
  const std::vector<std::string> lines = Lines(out);
  // Cut within 38 characters, then in lines that end by column 39.
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.begin() + 11),
            (std::vector<std::string>{"      1 c  walnuts, toasted in a dry", "           -pan over medium heat until",
                                      "           -fragrant and golden, then", "           -cooled and chopped by hand",
                                      "           -into coarse pieces"}));
  out.clear();
  WriteMealMaster(Recipe("Url", "1 c see https://example.org/a/very/long/address/of/the/recipe here", "Use."), out);
  EXPECT_EQ(Lines(out)[7], "           -https://example.org/a/very/long/address/of/the/recipe");
  // "==" headings lose their rules; a text without a blank in its columns stays whole.
  out.clear();
  WriteMealMaster(Recipe("H", "== Topping ==\rSupercalifragilisticexpialidociousandmore\r==========", "Go."), out);
  EXPECT_EQ(Lines(out)[6], "           === Topping ===");
  EXPECT_EQ(Lines(out)[7], "           Supercalifragilisticexpialidociousandmore");
  EXPECT_EQ(Lines(out)[8], "           ==========");
  ExportRecipe text = Recipe("Note", "Keep this.\r2 cups of it.", "");
  text.textRecord = true;
  out.clear();
  WriteMealMaster(text, out);
  const std::vector<std::string> textLines = Lines(out);
  EXPECT_EQ(std::vector<std::string>(textLines.begin() + 6, textLines.begin() + 9),
            (std::vector<std::string>{"Keep this.", "2 cups of it.", ""}));
}

// In the shape of the corpus's MasterCook exports
// (javarecipes_mcexports_Baked_Stuffed_Tomatoes_Collection.mxp.txt), by hand.
TEST(MasterCook, ARecipeComesOutInTheShapeOfMasterCookFiles) {
  ExportRecipe r = Recipe("Baked Cheddar Tomatoes",
                          "5 medium tomatoes\rextra-virgin olive oil\r3/4 teaspoon salt\r1 cup soft breadcrumbs\r"
                          "4 tablespoons butter or margarine, melted\r1 1/2 cups shredded cheese\r",
                          "Pre-heat oven to 350 degrees.", 10);
  r.chapter = "Tomatoes";
  std::string out;
  WriteMasterCook(r, out);
  EXPECT_EQ(Lines(out), (std::vector<std::string>{
                            "                    *  Exported from  MasterCook  *",
                            "",
                            std::string(25, ' ') + "Baked Cheddar Tomatoes",  // (72 - 22) / 2
                            "",
                            "Recipe By     : Tovalia 5.8  (https://tovalia.example.org)",
                            "Serving Size  : 10   Preparation Time :0:00",
                            "Categories    : Tomatoes",
                            "",
                            "  Amount  Measure       Ingredient -- Preparation Method",
                            "--------  ------------  --------------------------------",
                            "   5      medium        tomatoes",
                            "                        extra-virgin olive oil",
                            "     3/4  teaspoon      salt",
                            "   1      cup           soft breadcrumbs",
                            "   4      tablespoons   butter or margarine, melted",
                            "   1 1/2  cups          shredded cheese",
                            "",
                            "Pre-heat oven to 350 degrees.",
                            "",
                            "                   - - - - - - - - - - - - - - - - - -",
                            "",
                            "",
                        }));
}

TEST(MasterCook, AmountsAndTextsAsStored) {
  std::string out;
  WriteMasterCook(Recipe("Odd", "1/16 teaspoon cream of tartar\r13/16 cup milk\r2-3 cloves garlic\r"
                                "1 can tomatoes (28 oz)\r1/2-1 1/2 cups water\r1-3/16 cups cheese",
                         "Mix."),
                  out);
  const std::vector<std::string> lines = Lines(out);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.begin() + 16),
            (std::vector<std::string>{"    1/16  teaspoon      cream of tartar", "   13/16  cup           milk",
                                      " 2-3      cloves        garlic", "   1      can           tomatoes (28 oz)",
                                      "                        1/2-1 1/2 cups water", "  1 3/16  cups          cheese"}));
}

TEST(MasterCook, TitlesAreCentredInSeventyTwoColumnsWithHalvesToEven) {
  auto titleLine = [](const std::string& title) {
    std::string out;
    WriteMasterCook(Recipe(title, "1 egg", "Boil."), out);
    return Lines(out)[2];
  };
  EXPECT_EQ(titleLine(std::string(72, 'T')), std::string(72, 'T'));
  EXPECT_EQ(titleLine(std::string(80, 'T')), std::string(80, 'T'));
  EXPECT_EQ(titleLine("Soup"), std::string(34, ' ') + "Soup");
  EXPECT_EQ(titleLine("Quiche"), std::string(33, ' ') + "Quiche");
  EXPECT_EQ(titleLine("Egg"), std::string(34, ' ') + "Egg");     // 34.5 goes to 34
  EXPECT_EQ(titleLine("Pasta"), std::string(34, ' ') + "Pasta");  // 33.5 goes to 34
}

TEST(MasterCook, ATextRecordKeepsItsTextUnderTheColumnHeadings) {
  ExportRecipe r = Recipe("Kitchen Notes", "Line one\rLine two", "", 255);
  r.textRecord = true;
  std::string out;
  WriteMasterCook(r, out);
  const std::vector<std::string> lines = Lines(out);
  EXPECT_EQ(lines[5], "Serving Size  : 255  Preparation Time :0:00");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.begin() + 14),
            (std::vector<std::string>{"", "Line one", "Line two", ""}));
}

TEST(Xml, TheSanitiserReplacesWhatBreaksXmlAndKeepsLetters) {
  EXPECT_EQ(XmlSafeText("Macaroni & Cheese"), "Macaroni and Cheese");
  EXPECT_EQ(XmlSafeText("&Co&"), "and Co and");
  EXPECT_EQ(XmlSafeText("Note: 1;2 <hot> \x01"), "Note, 1,2 ?hot? ?");
  EXPECT_EQ(XmlSafeText("Cr\xE8me br\xFBl\xE9" "e \x80"), "Cr\xE8me br\xFBl\xE9" "e \x80");
  EXPECT_EQ(XmlSafeText("\x81\x8D\x8F\x90\x9D\x7F"), "??????");
}

TEST(Xml, ADocumentDeclaresItsCharacterSet) {
  std::string out;
  WriteXmlHead(out);
  ExportRecipe r = Recipe("Fish & Chips", "1 cod\r2 potatoes", "Fry.");
  WriteXmlRecipe(r, out);
  r.textRecord = true;
  WriteXmlRecipe(r, out);
  WriteXmlTail(out);
  EXPECT_EQ(Lines(out), (std::vector<std::string>{
                            "<?xml version=\"1.0\" encoding=\"windows-1252\" ?>",
                            "<!-- Exported from Tovalia 5.8 - https://tovalia.example.org -->",
                            "<records>",
                            "<recipe>", "<title>Fish and Chips</title>", "<chapter>Pies</chapter>",
                            "<servings>4</servings>", "<ingredients>", "1 cod", "2 potatoes", "</ingredients>",
                            "<directions>", "Fry.", "</directions>", "</recipe>",
                            "<recipe>", "<title>Fish and Chips</title>", "<chapter>Pies</chapter>",
                            "<servings>4</servings>", "<ingredients>", "</ingredients>", "<directions>",
                            "1 cod", "2 potatoes", "</directions>", "</recipe>",
                            "</records>",
                        }));
}

// A whole document, every byte a title or a line may hold, read by
// Python's XML parser: it parses, and the letters come back as written.
TEST(Xml, AnXmlParserReadsTheDocumentAndItsLetters) {
  std::string title = "Cr\xE8me Br\xFBl\xE9" "e & <Caf\xE9> \x80";
  for (int b = 1; b < 256; ++b) title += static_cast<char>(b);
  std::string out;
  WriteXmlHead(out);
  WriteXmlRecipe(Recipe(title, "1 cup cr\xE8me fra\xEE" "che\r\r2 eggs", "Whisk: then bake."), out);
  WriteXmlTail(out);
  testing::TempFolder folder;
  std::ofstream(folder.File("export.xml"), std::ios::binary) << out;
  std::ofstream(folder.File("read.py")) << "import sys, xml.etree.ElementTree as tree\n"
                                           "for recipe in tree.parse(sys.argv[1]).getroot():\n"
                                           "    for field in recipe:\n"
                                           "        sys.stdout.buffer.write((field.tag + '=' + field.text.strip()"
                                           " + '\\n').encode('utf-8'))\n";
  const std::string python = testing::Exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  FILE* pipe = ::popen((python + " " + folder.File("read.py") + " " + folder.File("export.xml") + " 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string read;
  char chunk[4096];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) read.append(chunk, n);
  ASSERT_EQ(::pclose(pipe), 0) << read;
  EXPECT_EQ(read.rfind("title=Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9" "e and ?Caf\xC3\xA9? \xE2\x82\xAC???", 0), 0u) << read;
  EXPECT_NE(read.find("\nchapter=Pies\nservings=4\ningredients=1 cup cr\xC3\xA8me fra\xC3\xAE" "che\n\n2 eggs\n"
                      "directions=Whisk, then bake.\n"),
            std::string::npos)
      << read;
}

TEST(RecipeIndex, EntriesAreSortedWithoutRegardToCase) {
  SilentProgress progress;
  ExportRecipe a = Recipe("apple Pie", "", "");
  ExportRecipe b = Recipe("Zucchini Bread", "", "");
  b.chapter = "Breads";
  std::string out;
  WriteRecipeIndex({RecipeIndexEntry(a), RecipeIndexEntry(b), "(breads)  Rye", "(Breads)  Rye"}, progress, out);
  EXPECT_EQ(out, "(breads)  Rye\r\n(Breads)  Rye\r\n(Breads)  Zucchini Bread\r\n(Pies)  apple Pie\r\n");
}

TEST(ExportFile, ANameWithoutAnyPointGetsTxtAndIsOtherwiseKeptAsTyped) {
  EXPECT_EQ(ExportFileName("Recipes"), "Recipes.txt");
  EXPECT_EQ(ExportFileName("Recipes.MMF"), "Recipes.MMF");
  EXPECT_EQ(ExportFileName("my.recipes"), "my.recipes");
  EXPECT_EQ(ExportFileName("Crème Brûlée"), "Crème Brûlée.txt");
}

}  // namespace
}  // namespace tovalia
