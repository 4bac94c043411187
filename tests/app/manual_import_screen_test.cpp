// Manual import through the real program, headless: the fallback when the
// automatic import recognises nothing, the dialog's "Manual Import" choice,
// marking by dragging, the buttons, the right button's menu and "Done".
// Geometry (1024 x 767): the source's lines are centred at y = 130 + 20 * line,
// their text from x = 140.
#include <gtest/gtest.h>

#include "support/program_run.h"

namespace tovalia {
namespace {

std::string Line(int line) { return std::to_string(130 + 20 * line); }

class ManualImportScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    program.Cli({"add-chapter", "Cookies"});
    note = program.File("note.txt",
                        "GRANNY'S OAT COOKIES\n"
                        "Makes 2 dozen\n"
                        "\n"
                        "1 c rolled oats\n"
                        "1/2 c butter\n"
                        "2 T honey\n"
                        "\n"
                        "Cream the butter and honey.\n"
                        "Stir in the oats and bake.\n");
  }
  // Chapter row 4 is "Cookies"; the file is chosen and the dialog's choice made.
  std::string Open(const std::string& choice, const std::string& before = "") {
    return "click 200 183\npress Import\ntype " + note + "\nkey Enter\nexpect Verify Import Format\n" + choice +
           "press OK\n" + before + "expect Manual Import\nexpect note.txt\n";
  }
  testing::ProgramRun program;
  std::string note;
};

TEST_F(ManualImportScreen, NothingRecognisedOpensItAndTheMarkedLinesAreSaved) {
  testing::ProgramRun::Outcome run = program.Run(
      Open("", "expect No recipes were found in this file\npress OK\n") +
      // Nothing highlighted: the button says so and marks nothing.
      "press Title\nexpect Highlight lines first\n"
      "click 300 " + Line(0) + "\npress Title\n"
      "click 300 " + Line(1) + "\npress Yield\n"
      "drag 300 " + Line(3) + " 300 " + Line(5) + "\npress Ingredients\n"
      "drag 300 " + Line(8) + " 300 " + Line(7) + "\npress Directions\n"
      "expect T:\nexpect Y:\nexpect I:\nexpect D:\n"
      "press Save Recipe\nexpect Saved\nabsent T:\n"
      "press Save Recipe\nexpect You have not defined a title segment\npress OK\n"
      "press Done\nexpect 1 Recipes\nexpect Granny's Oat Cookies\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string shown = program.Cli({"show", "1"});
  EXPECT_NE(shown.find("Granny's Oat Cookies"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Servings: 2"), std::string::npos) << shown;
  EXPECT_NE(shown.find("1 cup rolled oats\n1/2 cup butter\n2 tablespoons honey"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Cream the butter and honey. Stir in the oats and bake."), std::string::npos) << shown;
}

TEST_F(ManualImportScreen, ChosenInTheDialogWithTheMenuEditingAndTheQuestionAtDone) {
  testing::ProgramRun::Outcome run = program.Run(
      Open("press Manual Import\n") +
      "click 300 " + Line(0) + "\nrclick 300 " + Line(0) + "\nexpect Yield/Servings\npress Edit Selected Line\n"
      "expect Edit Line\nctrl+x\ntype Oat Drops\npress OK\nexpect Oat Drops\n"
      "rclick 300 " + Line(0) + "\npress Title\n"
      "drag 300 " + Line(3) + " 300 " + Line(4) + "\nrclick 300 " + Line(4) + "\npress Ingredients\n"
      "click 300 " + Line(7) + "\ntype d\n"
      // Everything marked but not saved: "Done" asks.
      "press Done\nexpect You have not saved the recipe you marked.\npress Yes\n"
      "expect 1 Recipes\nexpect Oat Drops\n"
      // Only a title marked: "Done" closes without asking.
      "press Import\ntype " + note + "\nkey Enter\npress Manual Import\npress OK\n"
      "click 300 " + Line(0) + "\npress Title\npress Done\n"
      "absent You have not saved the recipe you marked.\nexpect 1 Recipes\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string shown = program.Cli({"show", "1"});
  EXPECT_NE(shown.find("Oat Drops"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Servings: 4"), std::string::npos) << shown;
  EXPECT_NE(shown.find("1 cup rolled oats\n1/2 cup butter\n"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("honey\n"), std::string::npos) << shown;
}

}  // namespace
}  // namespace tovalia
