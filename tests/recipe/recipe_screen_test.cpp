// The Recipe screen driven through the real program, headless, 1024 x 767.
// The text area starts at (20, 122) with rows of 24 pixels; ingredients
// are drawn from x = 28.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli/command_line.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "platform/bmp_codec.h"
#include "recipe/hover_word.h"
#include "support/drawn_texts.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ReadBytes;

TEST(HoverWord, OffersTheSingularOfTheWordUnderThePointer) {
  EXPECT_EQ(WordAt("2 Tomatoes, diced", 4).word, "Tomato");
  EXPECT_EQ(WordAt("3 Eggs", 3).word, "Egg");
  EXPECT_EQ(WordAt("3 EGGS", 3).word, "EGGS");  // the plural test minds the case
  EXPECT_EQ(WordAt("flour", 0).word, "flour");
  EXPECT_FALSE(WordAt("a cup", 0).Found());     // one letter is no word
  EXPECT_FALSE(WordAt("2 cups", 1).Found());    // not on a letter
  EXPECT_FALSE(WordAt("2 cups", 40).Found());
  HoverWord w = WordAt("1 cup brown sugar", 8);
  EXPECT_EQ(w.first, 6);
  EXPECT_EQ(w.last, 10);
  EXPECT_EQ(w.word, "brown");
}

class RecipeScreen : public ::testing::Test {
 protected:
  testing::ProgramRun program;  // first: the members below refer to it
  using Outcome = testing::ProgramRun::Outcome;
  Outcome Run(const std::string& script) { return program.Run(script); }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  std::string File(const std::string& name, const std::string& text) { return program.File(name, text); }
  const testing::TempFolder& data = program.Data();

  // Chapter 1 "Cakes": Apple Cake (servings 8), Crème Brûlée (servings 0), a
  // text record, Tomato Tart (servings 4).
  void MakeCollection() {
    Cli({"add-chapter", "Cakes"});
    std::string directions;
    for (int i = 1; i <= 40; ++i) directions += "Step " + std::to_string(i) + ": keep stirring.\n";
    directions += "Cool in the pan.\n";
    Cli({"add-recipe", "--chapter", "1", "--title", "Apple Cake", "--servings", "8", "--ingredients",
         File("a.txt", "2 cups flour\n3/4 cup sugar\n3 Eggs\n"), "--directions", File("b.txt", directions)});
    Cli({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée", "--servings", "0", "--ingredients",
         File("c.txt", "1/2 cup cream\n")});
    Cli({"add-recipe", "--chapter", "1", "--title", "Oven notes", "--text", "--ingredients",
         File("d.txt", "Most ovens run hot.\n")});
    Cli({"add-recipe", "--chapter", "1", "--title", "Tomato Tart", "--servings", "4", "--ingredients",
         File("e.txt", "6 Tomatoes, sliced\n")});
  }
  // Opens chapter 1 (row 4 of the Index screen) on the Recipe screen.
  static constexpr char kOpenCakes[] = "click 100 183\ntype r\n";

};

TEST_F(RecipeScreen, AnEmptyChapterAnswersEveryCommandWithItsMessage) {
  Cli({"add-chapter", "Empty"});
  Outcome run = Run(std::string(kOpenCakes) +
                    "expect *** No Recipes In This Chapter ***\n"
                    "press Edit\nexpect No Recipe To Edit?\npress OK\n"
                    "press Find\nexpect No Recipe to Search?\npress OK\n"
                    "press Resize\nexpect No Recipe to Resize?\npress OK\n"
                    "press Delete\nexpect No Recipe to Delete?\npress OK\n"
                    "type n\nexpect No recipe to add to meal calendar?\npress OK\n"
                    "type p\nexpect No Recipe to Print?\npress OK\n"
                    "key Right\nkey Left\nexpect *** No Recipes In This Chapter ***\n"
                    "key Enter\nexpect Locate Duplicates\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(RecipeScreen, HeadersMovingAndTheEndsOfTheChapter) {
  MakeCollection();
  Outcome run = Run(std::string(kOpenCakes) +
                    "expect Apple Cake\nexpect Serves  8\nexpect 1 of 4\n"
                    "key Left\nexpect Apple Cake\n"
                    "key Right\nexpect Crème Brûlée\nabsent Serves\n"
                    "key Right\nexpect Oven notes\nabsent Serves\nexpect Most ovens run hot.\n"
                    "key Right\nexpect Tomato Tart\nkey Right\nexpect Tomato Tart\nexpect 4 of 4\n"
                    "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(RecipeScreen, ScrollingAndFindingInTheRecord) {
  MakeCollection();
  Outcome run = Run(std::string(kOpenCakes) +
                    "absent Cool in the pan.\nkey End\nexpect Cool in the pan.\n"
                    "key Home\nabsent Cool in the pan.\nkey PageDown\nkey PageDown\nexpect Cool in the pan.\n"
                    "key Home\nwheel -20\nexpect Cool in the pan.\nkey Home\n"
                    // The scroll bar runs down x 871-879: its thumb drags to the end.
                    "drag 875 130 875 760\nexpect Cool in the pan.\nkey Home\n"
                    "press Find\ntype cool IN\nkey Enter\nexpect Cool in the pan.\n"
                    "press Find\ntype nutmeg\nkey Enter\nexpect No match found for\nexpect NUTMEG\npress OK\n"
                    "absent Cool in the pan.\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(RecipeScreen, ResizingIsTemporary) {
  MakeCollection();
  const std::vector<uint8_t> stored = ReadBytes(data.File("Recipe34.dat"));
  Outcome run = Run(std::string(kOpenCakes) +
                    "press Resize\nexpect Resize to what number of servings?\ntype 12\nkey Enter\n"
                    "expect Serves  12\nexpect 1-1/8\nexpect cup sugar\n"
                    "press Resize\ntype 300\nkey Enter\nexpect Serves  255\n"
                    "key Right\nkey Left\nexpect 3/4\nexpect Serves  8\n"
                    "key Right\npress Resize\nexpect No servings specified.\npress Double\n"
                    "expect 1\nexpect cup cream\nabsent Serves\n"
                    "key Right\npress Resize\nexpect Information text cannot be resized\npress OK\n"
                    "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(data.File("Recipe34.dat")), stored);
}

TEST_F(RecipeScreen, DeletingTheShownRecipe) {
  MakeCollection();
  Outcome run = Run(std::string(kOpenCakes) +
                    "key Right\npress Delete\nexpect Do you want to delete this recipe?\npress Cancel\n"
                    "key Delete\npress OK\nexpect Apple Cake\nexpect 1 of 3\n"
                    "key Enter\nexpect 3 Recipes\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles"}).find("Crème Brûlée"), std::string::npos);
}

TEST_F(RecipeScreen, TheWordUnderThePointerLeadsToTheGroceryList) {
  MakeCollection();
  Cli({"grocery", "add", "Tomato", "--cost", "0.40"});
  Cli({"grocery", "add", "Cherry tomatoes"});
  Cli({"grocery", "add", "Onions"});
  // Tomato Tart's only line, "6 Tomatoes, sliced", in the first row.
  Outcome run = Run(std::string(kOpenCakes) +
                    "key End\nkey Right\nkey Right\nkey Right\nexpect Tomato Tart\n"
                    "move 60 134\nexpect Click to find \nexpect Tomato\nexpect  in grocery list\n"
                    "move 60 400\nabsent Click to find\n"
                    "move 60 134\nclick 60 134\nexpect Search Results\nexpect 2 Items\n"
                    "expect Cherry tomatoes\nabsent Onions\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  // The search stays with the items until the next one.
  EXPECT_EQ(Cli({"grocery", "list", "--found"}).substr(0, 2), "1\t");
}

TEST_F(RecipeScreen, LongTitlesAndPhotos) {
  const std::string longTitle = "Grandmother's " + std::string(241, 'x');
  Cli({"add-chapter", "Pictures"});
  Cli({"add-recipe", "--chapter", "1", "--title", longTitle, "--ingredients", File("i.txt", "1 pear\n")});
  {
    // A photo can only be stored through the record operations so far.
    Database db(DataPaths::ForDataFolder(data.Path()));
    ScanRecords(db);
    ClearCurrentRecord(db);
    SetU8(db.recordHeaderBuffer, header::kServings, 2);
    SetU16(db.recordHeaderBuffer, header::kChapterNumber, 1);
    SetI32(db.recordHeaderBuffer, header::kRecipeId, 2);
    SetCurrentTitle(db, "Pear Tart");
    SetCurrentIngredients(db, "2 pears\r1 sheet pastry");
    Image photo;
    photo.width = 120;
    photo.height = 100;
    photo.pixels.assign(120 * 100, 0xFFB5532C);
    std::vector<uint8_t> bmp = EncodeBmp24(photo);
    CreateBuffer(static_cast<int32_t>(bmp.size()), db.photoBuffer);
    std::copy(bmp.begin(), bmp.end(), db.photoBuffer.Data());
    SetI32(db.recordHeaderBuffer, header::kPhotoLength, static_cast<int32_t>(bmp.size()));
    ASSERT_GE(AppendRecord(db), 0);
    SortIndex(db);
  }
  Outcome run = Run(std::string(kOpenCakes) + "expect Grandmother's\nexpect xxxxxxxx\n"
                    "key Right\nexpect Pear Tart\nexpect pears\nexpect sheet pastry\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

// A title too long for the header shrinks, takes two lines and is cut short
// only then; it never runs past the band (x 20 to width - 144, with 12
// pixels kept clear inside; the previous and next buttons stand beside
// it), and shows whole under the pointer.
TEST_F(RecipeScreen, LongTitlesStayInsideTheHeaderAndShowWholeUnderThePointer) {
  const std::string fitsOnTwo =
      "Grandmother Rosalind's Famous Slow-Roasted Autumn Harvest Vegetable and Wild Mushroom Casserole";
  std::string tooLong;
  for (int i = 0; i < 12; ++i) tooLong += i % 2 ? "WWWWWWWWW " : "MMMMMMMMMM ";
  tooLong += "THE END";
  Cli({"add-chapter", "Long"});
  Cli({"add-recipe", "--chapter", "1", "--title", fitsOnTwo, "--servings", "6", "--ingredients", File("i", "1 pear\n")});
  Cli({"add-recipe", "--chapter", "1", "--title", tooLong, "--servings", "2", "--ingredients", File("j", "1 fig\n")});
  for (auto [screen, width] : {std::pair{"800x600", 800}, std::pair{"1024x768", 1024}}) {
    const std::string first = program.Temp().File("first"), second = program.Temp().File("second");
    Outcome run = program.Run(std::string(kOpenCakes) + "expect Serves  6\ntexts " + first +
                                  "\nkey Right\nexpect Serves  2\nabsent THE END\nmove 200 80\nexpect THE END\n"
                                  "texts " + second + "\n",
                              std::string("--screen ") + screen);
    ASSERT_EQ(run.status, 0) << run.err;
    std::string shownTitle;
    for (const testing::ShownText& t : testing::ReadShownTexts(first)) {
      if (t.y < 60 || t.y >= 116 || t.x >= width - 152) continue;
      EXPECT_FALSE(t.cut) << screen;
      EXPECT_GE(t.x, 32) << screen << ": " << t.text;
      EXPECT_LE(t.x + t.width, width - 156) << screen << ": " << t.text;
      if (t.text.rfind("Serves", 0) != 0) shownTitle += (shownTitle.empty() ? "" : " ") + t.text;
    }
    EXPECT_EQ(shownTitle, fitsOnTwo) << screen;  // on two lines, nothing lost
    for (const testing::ShownText& t : testing::ReadShownTexts(second)) {
      if (t.y < 60 || t.y >= 116) continue;
      EXPECT_LE(t.x + t.width, width - 156) << screen << ": " << t.text;
    }
  }
}

// Text a UTF-8 source brought in byte for byte reads as its characters, not
// as "ï¿½" or "â€™".
TEST_F(RecipeScreen, UtfEightTextStoredByteForByteIsDrawnAsItsCharacters) {
  {
    Database db(DataPaths::ForDataFolder(data.Path()));
    ScanRecords(db);
    ClearCurrentRecord(db);
    SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindChapter);
    SetU16(db.recordHeaderBuffer, header::kChapterNumber, 1);
    SetCurrentTitle(db, "Pies");
    ASSERT_GE(AppendRecord(db), 0);
    ClearCurrentRecord(db);
    SetU16(db.recordHeaderBuffer, header::kChapterNumber, 1);
    SetI32(db.recordHeaderBuffer, header::kRecipeId, 1);
    SetCurrentTitle(db, "Mom\xE2\x80\x99s Pie");
    SetCurrentIngredients(db, "1 cup \xEF\xBF\xBD sugar");
    ASSERT_GE(AppendRecord(db), 0);
    SortIndex(db);
  }
  const std::string texts = program.Temp().File("texts");
  Outcome run = Run(std::string(kOpenCakes) + "texts " + texts + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::string shown;
  for (const testing::ShownText& t : testing::ReadShownTexts(texts)) shown += t.text + "\n";
  EXPECT_NE(shown.find("Mom\u2019s Pie\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\ncup \uFFFD sugar\n"), std::string::npos) << shown;  // after the bold "1 "
  EXPECT_EQ(shown.find("\u00EF\u00BF"), std::string::npos) << shown;
}

// Every character of a recipe written in capitals can be read at both
// window sizes: what the screen recorded as drawn in each column, row by
// row, is the stored text, and no row runs past its column.
TEST_F(RecipeScreen, EveryCharacterOfAnAllCapitalsRecipeIsShown) {
  const std::string ingredients =
      "1 LB FRESH BROCCOLI, CUT INTO FLORETS\n1 1/2 C CUBED, COOKED CHICKEN WITH SKIN REMOVED\n"
      "1 CN CONDENSED CREAM OF MUSHROOM SOUP, UNDILUTED\n1/2 C SHREDDED WHITE CHEDDAR CHEESE\n"
      "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\n";
  const std::string directions =
      "IN A 9\" PIE PLATE OR SHALLOW CASSEROLE DISH, ARRANGE BROCCOLI; TOP WITH CHICKEN. COMBINE "
      "SOUP AND MILK; POUR OVER CHICKEN. SPRINKLE WITH CHEESE.\n\nBAKE AT 450 DEG F. FOR 15 MINUTES "
      "OR UNTIL HOT. (MICROWAVE ON HIGH FOR 6 MINUTES.)\nMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM\n";
  Cli({"add-chapter", "Casseroles"});
  Cli({"add-recipe", "--chapter", "1", "--title", "BROCCOLI DIVAN", "--servings", "4", "--ingredients",
       File("i.txt", ingredients), "--directions", File("d.txt", directions)});
  auto withoutLineEnds = [](std::string text) {
    std::erase(text, '\n');
    return text;
  };
  auto joined = [](const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row;
    return text;
  };
  // Window height, the x where the directions column starts, the right edge
  // of the text area (the text area starts at (20, 122); the columns end
  // 5 and 10 pixels before the next column or the area's edge).
  struct Size {
    const char* screen;
    int height, boundary, right;
  };
  for (const Size& size : {Size{"1024x768", 767, 364, 880}, Size{"800x600", 599, 274, 656}}) {
    const std::string texts = program.Temp().File(std::string("texts-") + size.screen);
    Outcome run = program.Run(std::string(kOpenCakes) + "expect BROCCOLI DIVAN\ntexts " + texts + "\n",
                              std::string("--screen ") + size.screen);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<testing::ShownText> shown = testing::ReadShownTexts(texts);
    const int bottom = size.height - 36;
    for (const testing::ShownText& t : shown) {
      if (t.y < 122 || t.y >= bottom || t.x >= size.right) continue;
      EXPECT_FALSE(t.cut) << size.screen << ": \"" << t.text << "\" is cut off";
      const int columnEnd = t.x < size.boundary ? size.boundary - 5 : size.right - 10;
      EXPECT_LE(t.x + t.width, columnEnd) << size.screen << ": \"" << t.text << '"';
    }
    const std::vector<std::string> left = testing::RowsIn(shown, 20, size.boundary, 122, bottom);
    const std::vector<std::string> right = testing::RowsIn(shown, size.boundary, size.right, 122, bottom);
    EXPECT_EQ(joined(left), withoutLineEnds(ingredients)) << size.screen;
    EXPECT_EQ(joined(right), withoutLineEnds(directions)) << size.screen;
    EXPECT_GT(left.size(), 5u);  // the lines were wrapped, not drawn long
  }
}

}  // namespace
}  // namespace tovalia
