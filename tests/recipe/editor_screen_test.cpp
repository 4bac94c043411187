// The recipe editor driven through the real program, headless: from the
// Index screen's "Add Recipe", "Add Text" and "Edit", from the Recipe
// screen's "Edit", and its photo buttons; what it stores is read back
// through the command line.
#include <gtest/gtest.h>

#include <algorithm>

#include "db/byte_buffer.h"
#include "platform/bmp_codec.h"
#include "state/settings.h"
#include "support/drawn_texts.h"
#include "support/pictures.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ReadBytes;

// Index screen, 1024 x 767: chapter row 4 is the first real chapter; the
// first title of the list lies at the same height on the right.
constexpr char kOpenChapter[] = "click 100 183\n";
constexpr char kOpenRecipeScreen[] = "click 100 183\ntype r\n";

class Editor : public ::testing::Test {
 protected:
  testing::ProgramRun program;
  using Outcome = testing::ProgramRun::Outcome;
  Outcome Run(const std::string& script, const std::string& options = "") { return program.Run(script, options); }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  std::string File(const std::string& name, const std::string& text) { return program.File(name, text); }
  std::string Picture(const std::string& name, const std::vector<uint8_t>& bytes) {
    testing::WriteBytes(program.Temp().File(name), bytes);
    return program.Temp().File(name);
  }
  void PhotoFolderIsTemp() {
    Settings settings(program.Data().File("Setup50.dat"));
    PutTextSetting(settings, setting::kPhotoFolder, program.Temp().Path());
  }
  // The lines of a record as "show" prints them, from its "Ingredients:" on.
  std::string Body(const std::string& id) {
    const std::string shown = Cli({"show", id});
    const size_t from = shown.find("\nIngredients:");
    return from == std::string::npos ? shown.substr(shown.find("\nText:")) : shown.substr(from);
  }
};

TEST_F(Editor, ARecipeTypedWithAPhotoIsShownAsTypedAndSurvivesARestartAndACompaction) {
  Cli({"add-chapter", "Desserts"});
  Picture("dish.jpg", testing::JpegPicture(1024, 768));
  PhotoFolderIsTemp();
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Add Recipe\nexpect Edit Recipe\nexpect No Photo\nexpect Serves 4\n"
                    "type Apple Crumble\nkey Tab\n"
                    "type 6 apples, peeled and sliced\\n1/2 cup brown sugar\\n1 tsp cinnamon\nkey Tab\n"
                    "type Heat the oven to 190 \xC2\xB0" "C.\\n\\nSpread the apples in a dish and bake for 40 minutes.\n"
                    "press Load Photo\nexpect Locate JPG, GIF, or BMP Graphic for Photo\ntype dish.jpg\nkey Enter\n"
                    "absent No Photo\n"
                    "press Save\nexpect Apple Crumble\nexpect 1 Recipes\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string expected =
      "\nIngredients:\n6 apples, peeled and sliced\n1/2 cup brown sugar\n1 tsp cinnamon\n\n"
      "Directions:\nHeat the oven to 190 \xC2\xB0" "C.\n\nSpread the apples in a dish and bake for 40 minutes.\n";
  EXPECT_EQ(Body("1"), expected);
  EXPECT_NE(Cli({"show", "1"}).find("Title: Apple Crumble\n"), std::string::npos);
  EXPECT_NE(Cli({"show", "1"}).find("Servings: 4\n"), std::string::npos);

  // The photo: 480 x 360 at 16 bits.
  const std::string saved = program.Temp().File("out");
  ASSERT_EQ(Cli({"photo", "1", "--save", saved}), saved + ".bmp\n");
  const std::vector<uint8_t> photo = ReadBytes(saved + ".bmp");
  BmpHeaders headers;
  ASSERT_TRUE(ReadBmpHeaders(photo.data(), photo.size(), headers));
  EXPECT_EQ(headers.width, 480);
  EXPECT_EQ(headers.height, 360);
  EXPECT_EQ(headers.bitsPerPixel, 16);

  // The Recipe screen after a restart shows the lines as typed, below the photo.
  const std::string texts = program.Temp().File("texts");
  run = Run(std::string(kOpenRecipeScreen) + "expect Apple Crumble\ntexts " + texts + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<testing::ShownText> shown = testing::ReadShownTexts(texts);
  const std::vector<std::string> left = testing::RowsIn(shown, 20, 364, 122, 731);
  EXPECT_NE(std::find(left.begin(), left.end(), "1/2 cup brown sugar"), left.end());
  EXPECT_NE(std::find(left.begin(), left.end(), "6 apples, peeled and sliced"), left.end());

  ASSERT_NE(Cli({"compact"}).find("Recipe file"), std::string::npos);
  EXPECT_EQ(Body("1"), expected);
  ASSERT_EQ(Cli({"photo", "1", "--save", saved}), saved + ".bmp\n");
  EXPECT_EQ(ReadBytes(saved + ".bmp"), photo);
}

TEST_F(Editor, EditingFromTheRecipeScreenStoresAReplacingCopy) {
  const std::string pie = TOVALIA_CORPUS_DIR "/mealmaster/mahlzeit_applepie.mm";
  if (!testing::Exists(pie)) GTEST_SKIP() << "no corpus beside the repository";
  Cli({"add-chapter", "Soups"});
  ASSERT_EQ(Cli({"import", pie, "--chapter", "1"}),
            "1\tSoups\t1\n");
  const std::string before = Body("1");
  Outcome run = Run(std::string(kOpenRecipeScreen) +
                    "expect Dutch Apple Pie\npress Edit\nexpect Edit Recipe\nexpect Serves 8\n"
                    "key End\ntype  (Grandmother's)\npress Save\n"
                    "expect Dutch Apple Pie (Grandmother's)\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles"}), "1\t1\trecipe\tDutch Apple Pie (Grandmother's)\n");
  EXPECT_EQ(Body("1"), before);  // the texts went through the editor unchanged
  EXPECT_NE(Cli({"check"}).find("deleted bytes: "), std::string::npos);
  EXPECT_EQ(Cli({"check"}).find("deleted bytes: 0\n"), std::string::npos);  // the old copy is flagged deleted
}

TEST_F(Editor, CancellingAsksBeforeThrowingChangesAway) {
  Cli({"add-chapter", "Soups"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Leek Soup", "--ingredients", File("i.txt", "3 leeks\n")});
  const std::string recipeFile = program.Data().File("Recipe34.dat");
  const std::vector<uint8_t> stored = ReadBytes(recipeFile);
  Outcome run = Run(std::string(kOpenChapter) +
                    // Unchanged: Cancel leaves at once.
                    "press Edit\nexpect Leek Soup\npress Cancel\nexpect Locate Duplicates\n"
                    // Changed: the question; its Cancel stays, Discard leaves.
                    "press Edit\nkey Tab\ntype 2 potatoes\n\npress Cancel\nexpect Save the changes to this recipe\n"
                    "press Cancel\nexpect 2 potatoes\npress Cancel\npress Discard\nexpect Locate Duplicates\n"
                    // A tab leaves too, after the same question.
                    "press Edit\ntype X\nclick 40 30\nexpect Save the changes\npress Discard\nexpect FAQ\n"
                    "press Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(recipeFile), stored);
}

TEST_F(Editor, QuittingWithChangesOffersToSave) {
  Cli({"add-chapter", "Soups"});
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Add Recipe\ntype Onion Soup\npress Quit\nexpect Save the changes to this recipe\n"
                    "press Save\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles"}), "1\t1\trecipe\tOnion Soup\n");
}

TEST_F(Editor, SavingNeedsATitleAndTheTitleTakesFiftyNineCharacters) {
  Cli({"add-chapter", "Soups"});
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Add Recipe\ntype    \npress Save\nexpect You must enter a title for this recipe!\npress OK\n"
                    "expect Edit Recipe\nkey Home\n"
                    "type 12345678901234567890123456789012345678901234567890123456\n"
                    "type X\nexpect Text Buffer Is Full...\npress OK\n"
                    "press Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // 56 digits before the three blanks: 59 characters.
  EXPECT_EQ(Cli({"titles"}), "1\t1\trecipe\t12345678901234567890123456789012345678901234567890123456   \n");
}

TEST_F(Editor, ATextRecordHasTitleAndOneText) {
  Cli({"add-chapter", "Notes"});
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Add Text\nexpect Edit Informational Text\nabsent Directions\nabsent Resize\n"
                    "type Oven\nkey Tab\ntype Runs hot.\nkey Tab\ntype  notes\nkey Tab\ntype  Lower by 10 degrees.\n"
                    "press Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles"}), "1\t1\ttext\tOven notes\n");
  EXPECT_EQ(Body("1"), "\nText:\nRuns hot. Lower by 10 degrees.\n");
}

TEST_F(Editor, KeysMenusAndTheClipboard) {
  Cli({"add-chapter", "Soups"});
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Add Recipe\ntype Stew\nkey Tab\n"
                    // Ctrl+Enter joins the lines of a paragraph.
                    "type beat well\\nthen add\nctrl+Enter\nexpect beat well then add\n"
                    // Sentence case over everything, then the symbols at the end.
                    "ctrl+a\nctrl+l\nctrl+End\nctrl+d\nctrl+1\nctrl+2\nctrl+3\n"
                    // The menu: Delete without a block, then a unit word.
                    "key Escape\npress Delete\nexpect No Block Marked\npress OK\n"
                    "type  \nkey Escape\npress Cup\n"
                    // Pasted CR LF lines become lines of their own.
                    "key Tab\nclipboard Simmer.\\r\\nServe hot.\nctrl+v\nctrl+Delete\nctrl+v\n"
                    "press Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Body("1"),
            "\nIngredients:\nBeat well then add\xC2\xB0\xC2\xBC\xC2\xBD\xC2\xBE Cup\n\n"
            "Directions:\nSimmer.\nSimmer.\nServe hot.\n");
}

TEST_F(Editor, PhotosComeFromFilesAndTheClipboardAndAreSavedAsBmp) {
  Cli({"add-chapter", "Soups"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Leek Soup"});
  PhotoFolderIsTemp();
  const std::vector<uint8_t> small = testing::BmpPicture(320, 240, 8);
  Picture("small.bmp", small);
  Picture("broken.jpg", std::vector<uint8_t>(500, 7));
  const std::string png = Picture("tall.png", testing::PngPicture(400, 1000));
  File("files.txt", "file://" + png + "\n");
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Edit\npress Save Photo\nexpect No Picture to Save?\npress OK\n"
                    "press Load Photo\ntype broken.jpg\nkey Enter\n"
                    "expect JPG, PNG, GIF, and BMP picture formats\npress OK\nexpect No Photo\n"
                    "press Load Photo\ntype small.bmp\nkey Enter\nabsent No Photo\n"
                    "press Save Photo\nexpect Save BMP Graphic\ntype dish\nkey Enter\n"
                    "press Save Photo\ntype dish.bmp\nkey Enter\nexpect Already Exists!\npress Cancel\n"
                    "press Copy Photo\nclipboard-save image/bmp " + program.Temp().File("copied.bmp") + "\n"
                    "press Delete Photo\nexpect No Photo\n"
                    "press Paste Photo\nabsent No Photo\npress Cut Photo\nexpect No Photo\n"
                    "clipboard nothing to see\npress Paste Photo\nexpect No bitmap image on clipboard\npress OK\n"
                    "clipboard-data text/uri-list " + program.Temp().File("files.txt") + "\npress Paste Photo\n"
                    "absent No Photo\npress Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(program.Temp().File("dish.bmp")), small);  // byte for byte
  EXPECT_EQ(ReadBytes(program.Temp().File("copied.bmp")), small);
  const std::string saved = program.Temp().File("tall-photo");
  ASSERT_EQ(Cli({"photo", "1", "--save", saved}), saved + ".bmp\n");
  const std::vector<uint8_t> photo = ReadBytes(saved + ".bmp");
  BmpHeaders headers;
  ASSERT_TRUE(ReadBmpHeaders(photo.data(), photo.size(), headers));
  EXPECT_EQ(headers.width, 144);
  EXPECT_EQ(headers.height, 360);
}

TEST_F(Editor, TheEditorBreaksLinesWhereTheRecipeScreenDoes) {
  std::string ingredients, directions;
  for (int i = 1; i <= 12; ++i)
    ingredients += std::to_string(i) + " cups WWWWW of mmmm well-washed iiii leaves, torn into small pieces\n";
  for (int i = 1; i <= 6; ++i)
    directions += "Step " + std::to_string(i) + ": STIR THE MIXTURE WELL, THEN LET IT REST FOR TEN MINUTES.\n";
  Cli({"add-chapter", "Salads"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Green Salad", "--ingredients", File("i.txt", ingredients),
       "--directions", File("d.txt", directions)});
  struct Size {
    const char* screen;
    int height, boundary, right;
  };
  for (const Size& size : {Size{"1024x768", 767, 364, 880}, Size{"800x600", 599, 274, 656}}) {
    const std::string viewer = program.Temp().File("viewer"), editor = program.Temp().File("editor");
    Outcome run = Run(std::string(kOpenRecipeScreen) + "texts " + viewer + "\npress Edit\ntexts " + editor +
                          "\npress Cancel\n",
                      std::string("--screen ") + size.screen);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto shownByViewer = testing::ReadShownTexts(viewer);
    const auto shownByEditor = testing::ReadShownTexts(editor);
    const int bottom = size.height - 36;
    for (const auto& [left, right] : {std::pair{20, size.boundary}, std::pair{size.boundary, size.right}}) {
      std::vector<std::string> byViewer = testing::RowsIn(shownByViewer, left, right, 122, bottom);
      std::vector<std::string> byEditor = testing::RowsIn(shownByEditor, left, right, 122, bottom);
      const size_t rows = std::min(byViewer.size(), byEditor.size());
      ASSERT_GE(rows, 12u) << size.screen;  // wrapped lines: two rows for each
      byViewer.resize(rows);
      byEditor.resize(rows);
      EXPECT_EQ(byEditor, byViewer) << size.screen;
    }
  }
}

TEST_F(Editor, ServingsAndAPermanentResizeFromTheListsMenu) {
  Cli({"add-chapter", "Breads"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Rolls", "--servings", "4", "--ingredients",
       File("i.txt", "2 cups flour\n1/2 tsp salt\nWater\n")});
  Outcome run = Run(std::string(kOpenChapter) +
                    // The recipe list's right-click menu is the third way in.
                    "rclick 600 95\npress Edit Current Recipe\nexpect Edit Recipe\n"
                    "press Serves 4\nexpect Recipe will NOT be resized.\ntype 6\nkey Enter\nexpect Serves 6\n"
                    "press Resize\nexpect (Currently  6 Servings)\ntype 9\nkey Enter\nexpect Serves 9\n"
                    "expect 3 cups flour\npress Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Cli({"show", "1"}).find("Servings: 9\n"), std::string::npos);
  EXPECT_EQ(Body("1"), "\nIngredients:\n3 cups flour\n3/4 tsp salt\nWater\n\nDirections:\n");
}

TEST_F(Editor, DraggingMarksAndTheWheelScrollsTheFieldUnderThePointer) {
  std::string directions;
  for (int i = 1; i <= 60; ++i) directions += "Step " + std::string(i < 10 ? "00" : "0") + std::to_string(i) + ".\n";
  Cli({"add-chapter", "Breads"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Rolls", "--ingredients", File("i.txt", "2 cups flour\n1 egg\n"),
       "--directions", File("d.txt", directions)});
  // Rows are 20 pixels from y = 122; the ingredients start at x = 28.
  Outcome run = Run(std::string(kOpenChapter) +
                    "press Edit\ndrag 28 130 28 150\nctrl+x\nexpect 1 egg\nabsent 2 cups flour\n"
                    "ctrl+End\nkey Enter\nctrl+v\n"
                    "move 600 300\nwheel -5\nabsent Step 001.\nexpect Step 016.\nexpect 2 cups flour\n"
                    "press Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Body("1").substr(0, 34), "\nIngredients:\n1 egg\n2 cups flour\n\n");
}

TEST_F(Editor, ShowReturnsIsRemembered) {
  Cli({"add-chapter", "Soups"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Leek Soup", "--ingredients", File("i.txt", "3 leeks\n1 onion\n")});
  Outcome run = Run(std::string(kOpenChapter) + "press Edit\nabsent \xC2\xB6\npress Show C/R\nexpect \xC2\xB6\npress Cancel\n"
                    "press Edit\nexpect \xC2\xB6\npress Cancel\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  Settings settings(program.Data().File("Setup50.dat"));
  EXPECT_EQ(GetNumberSetting(settings, setting::kEditorShowReturns), 1);
}

}  // namespace
}  // namespace tovalia
