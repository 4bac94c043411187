// The window's Export driven through the real program, headless, in a
// 1024 x 767 window: chapter rows are centred at y = 95 + 22 * row (x 200),
// recipe rows at the same heights (x 700), their check boxes at x = 537.
#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "db/cp1252.h"
#include "state/settings.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

std::string Row(int row) { return std::to_string(95 + 22 * row); }

const char* const kFormatNames[] = {"tovalia", "tovalia-text", "mealmaster", "mastercook", "xml", "index"};

class ExportDialog : public ::testing::Test {
 protected:
  testing::ProgramRun program;
  using Outcome = testing::ProgramRun::Outcome;
  const testing::TempFolder& data = program.Data();

  // Chapters Desserts (row 4, two recipes) and Empty (row 5).
  void SetUp() override {
    program.Cli({"add-chapter", "Desserts"});
    program.Cli({"add-chapter", "Empty"});
    const std::string ingredients = program.File("ing.txt", "1 cup sugar\n2 tablespoons crème fraîche\n");
    const std::string directions = program.File("dir.txt", "Whisk & bake: 20 minutes.\n");
    program.Cli({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée", "--servings", "6", "--ingredients",
                 ingredients, "--directions", directions});
    program.Cli({"add-recipe", "--chapter", "1", "--title", "Apple Crumble", "--ingredients", ingredients,
                 "--directions", directions});
    Settings settings(data.File("Setup50.dat"));
    PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  }
  Outcome Run(const std::string& script) { return program.Run(script, "--today 2026-12-08"); }
  std::string Written(const std::string& name) {
    const std::vector<uint8_t> bytes = testing::ReadBytes(program.Temp().File(name));
    return std::string(bytes.begin(), bytes.end());
  }
  // Opens the format list over the ticked recipes and picks format k.
  static std::string Choose(int format) {
    std::string script = "press Export\nexpect Select Export Format\nkey Home\n";
    for (int i = 0; i < format; ++i) script += "key Down\n";
    return script;
  }
};

std::string DesktopText(const std::string& exported) {
  std::string text;
  for (char c : exported)
    if (c != '\r') text += c;
  return text;
}

TEST_F(ExportDialog, EveryFormatGoesToAFileAndToTheClipboardAsTheCommandWritesIt) {
  std::string script = "click 200 " + Row(4) + "\nctrl+a\n";
  for (int f = 0; f < 6; ++f) {
    script += Choose(f) + "press File\nexpect Export Recipes\ntype Out" + std::to_string(f) + "\nkey Enter\n";
    script += Choose(f) + "press Clipboard\nsaveclipboard " + program.Temp().File("clip" + std::to_string(f)) + "\n";
  }
  const Outcome run = Run(script + "press Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  for (int f = 0; f < 6; ++f) {
    const std::string expected = program.Cli({"export", "--chapter", "1", "--format", kFormatNames[f]});
    ASSERT_FALSE(expected.empty());
    // The name is kept as typed, with ".txt" added.
    EXPECT_EQ(Written("Out" + std::to_string(f) + ".txt"), expected) << kFormatNames[f];
    // The clipboard holds the same text in the desktop's form: UTF-8, LF.
    const std::string clipboard = Written("clip" + std::to_string(f));
    EXPECT_EQ(clipboard, Cp1252ToUtf8(DesktopText(expected))) << kFormatNames[f];
    EXPECT_NE(clipboard.find("Cr\xC3\xA8me"), std::string::npos) << kFormatNames[f];
  }
  Settings settings(data.File("Setup50.dat"));
  EXPECT_EQ(GetNumberSetting(settings, setting::kExportFormat), 5);
}

TEST_F(ExportDialog, RefusalsQuestionsAndCancelsLeaveNothingBehind) {
  program.File("taken.mmf", "keep me");
  const Outcome run = Run(
      // An empty chapter, then a list with nothing ticked (the first title's box cleared).
      "click 200 " + Row(5) + "\npress Export\nexpect There are no recipes in this chapter\npress OK\n"
      "click 200 " + Row(4) + "\nclick 537 " + Row(0) + "\npress Export\nexpect No recipes have been selected!\n"
      "press OK\nclick 537 " + Row(0) + "\n" +
      // Cancel in the list, and in the file chooser.
      Choose(2) + "press Cancel\nabsent Select Export Format\n" + Choose(2) +
      "press File\nexpect Export Recipes\npress Cancel\n" +
      // A name of blanks only.
      Choose(2) + "press File\ntype   \nkey Enter\nexpect You must enter a filename\npress OK\n" +
      // A name that is taken: Cancel keeps the file, OK replaces it.
      Choose(2) + "press File\ntype taken.mmf\nkey Enter\nexpect taken.mmf\nexpect Already Exists!\n"
      "expect Do you want to overwrite it?\npress Cancel\n" +
      Choose(2) + "press File\ntype taken.mmf\nkey Enter\npress OK\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Written("taken.mmf").substr(0, 29), "MMMMM----- Meal-Master Recipe");
  EXPECT_FALSE(testing::Exists(program.Temp().File("taken.mmf.new")));
  EXPECT_FALSE(testing::Exists(data.File("Temp.dat")));
}

TEST_F(ExportDialog, EmailOpensAMessageAndEmailOrClipboardSayWhenTheyCannot) {
  const Outcome run = Run("click 200 " + Row(4) + "\n" + Choose(3) + "press Email\n" + "helpers missing\n" + Choose(3) +
                          "press Email\nexpect Tovalia was unable to open your email program.\n"
                          "expect Please export to the Clipboard instead.\n"
                          "expect Then start a new email in your email program,\n"
                          "expect and paste the recipe into your message.\npress OK\n"
                          "clipboard kept\nnoclipboard\n" + Choose(1) + "press Clipboard\n"
                          "expect Tovalia was unable to put the recipes on the clipboard.\n"
                          "expect Please export to a File instead.\npress OK\nsaveclipboard " +
                          program.Temp().File("clip") + "\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // The first title of the list was current and ticked: Apple Crumble.
  EXPECT_NE(run.err.find("email: , A recipe for you\n                    *  Exported from  MasterCook  *\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("Apple Crumble"), std::string::npos);
  EXPECT_EQ(run.err.find("Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9" "e"), std::string::npos);
  EXPECT_EQ(Written("clip"), "kept");
}

TEST_F(ExportDialog, TheRecipeScreenAndTheContextMenuExportWhatTheyShow) {
  const Outcome run = Run(
      // The second title opened on the Recipe screen and exported from there.
      "click 200 " + Row(4) + "\nclick 700 " + Row(1) + "\nclick 700 " + Row(1) + "\nexpect Serves  6\n" +
      Choose(1) + "press Clipboard\nexpect Serves  6\nsaveclipboard " + program.Temp().File("recipe") +
      "\nkey Enter\n"
      // On the Index screen, the row under a right click.
      "rclick 700 " + Row(0) + "\npress Export Recipes\nexpect Select Export Format\nkey Home\nkey Down\n"
      "key Down\nkey Down\nkey Down\nkey Down\npress Clipboard\nsaveclipboard " + program.Temp().File("menu") +
      "\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string recipe = Written("recipe");
  EXPECT_EQ(recipe.rfind("Tovalia Chapter: Desserts\n\nCr\xC3\xA8me Br\xC3\xBBl\xC3\xA9" "e\n", 0), 0u) << recipe;
  EXPECT_EQ(recipe.find("Apple"), std::string::npos);
  EXPECT_EQ(Written("menu"), "(Desserts)  Apple Crumble\n");
}

}  // namespace
}  // namespace tovalia
