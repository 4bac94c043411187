// The Index and Help screens driven through the real program, headless, in
// a 1024 x 767 window. Geometry used by the scripts: the chapter list's rows
// are centred at y = 95 + 22 * row (x 20-504), the recipe list's at the same
// heights (x 520-1004), with check boxes at x = 537.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli/command_line.h"
#include "db/recipe_lists.h"
#include "db/title_index.h"
#include "state/settings.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ReadBytes;

std::string Row(int row) { return std::to_string(95 + 22 * row); }

class IndexScreen : public ::testing::Test {
 protected:
  testing::ProgramRun program;  // first: the members below refer to it
  using Outcome = testing::ProgramRun::Outcome;
  Outcome Run(const std::string& script, const std::string& today = "2026-12-08") {
    return program.Run(script, "--today " + today);
  }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  const testing::TempFolder& data = program.Data();

  // Three chapters (rows 4-6: Breads, Desserts, Soups) and six recipes.
  void MakeCollection() {
    Cli({"add-chapter", "Soups"});
    Cli({"add-chapter", "Desserts"});
    Cli({"add-chapter", "Breads"});
    for (const char* title : {"Apple Crumble", "Brownies", "Custard"})
      Cli({"add-recipe", "--chapter", "2", "--title", title});
    Cli({"add-recipe", "--chapter", "1", "--title", "Leek Soup"});
    Cli({"add-recipe", "--chapter", "1", "--title", "Minestrone"});
    Cli({"add-recipe", "--chapter", "3", "--title", "Rye Bread"});
  }

};

TEST_F(IndexScreen, GuardsRefuseWithTheirMessagesAndChangeNothing) {
  Outcome run = Run(
      "expect 0 Chapters\nexpect 0 Recipes\n"
      "press Add Recipe\nexpect Recipes cannot be added to the top four chapters,\npress OK\n"
      "press Add Text\nexpect Please select another chapter to add your text to.\npress OK\n"
      "press Import\nexpect add a new chapter before importing your recipe.\npress OK\n"
      "press Edit\nexpect Please select a recipe\npress OK\n"
      "press Print\nexpect There are no recipes in this chapter\npress OK\n"
      "press Delete\nexpect There are no recipes in this chapter\npress OK\n"
      "press Move\nexpect No recipes have been selected!\npress OK\n"
      "press Copy\nexpect No recipes have been selected!\npress OK\n"
      "press Locate Duplicates\nexpect There are no recipes?\npress OK\n"
      "absent There are no recipes?\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(testing::Exists(data.File("Recipe34.dat")));
}

TEST_F(IndexScreen, PrintAsksForTicksAndTheDialogsOfLaterCommandsOpen) {
  MakeCollection();
  Outcome run = Run(
      // All Recipes, first item selected: ctrl+a ticks all, again clears all.
      "ctrl+a\nctrl+a\npress Print\nexpect Please select the recipes you want to print\npress OK\n"
      "press Delete\nexpect Please select the recipes you want to delete\npress OK\n"
      "press Locate Duplicates\nexpect Select Accuracy of Duplicate Search\n"
      "expect Poor Matching   (False Matches Likely)\npress Cancel\n"
      "press Save PDF Book\nexpect Save a print ready PDF Cookbook\nexpect Author:\npress Cancel\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(IndexScreen, TheChapterMenuAddsRenamesFindsAndDeletes) {
  MakeCollection();
  Outcome run = Run(
      "press Chapter\npress Add new chapter\nexpect Enter New Chapter Title\ntype Salads\nkey Enter\n"
      "expect 4 Chapters\nexpect Salads\n"
      // Rows: 4 Breads, 5 Desserts, 6 Salads, 7 Soups.
      "click 200 " + Row(7) + "\npress Chapter\npress Edit current chapter\nexpect Soups\n"
      "key End\ntype  & Stews\nkey Enter\nexpect Soups & Stews\n"
      "click 200 " + Row(0) + "\npress Chapter\npress Edit current chapter\n"
      "expect The top four chapters are reserved.\npress OK\n"
      "press Chapter\npress Find Chapters\ntype STEW\nkey Enter\nexpect Leek Soup\nexpect 2 Recipes\n"
      "click 200 " + Row(6) + "\npress Chapter\npress Delete current chapter\n"
      "expect You are about to delete the chapter\nexpect Salads.\nkey Enter\n"  // Enter is Cancel
      "expect 4 Chapters\n"
      "press Chapter\npress Delete current chapter\npress OK\nexpect 3 Chapters\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"chapters"}).substr(86), "3\tBreads\n2\tDesserts\n1\tSoups & Stews\n");
  EXPECT_EQ(Cli({"titles", "-2"}), "4\t1\trecipe\tLeek Soup\n5\t1\trecipe\tMinestrone\n");
}

TEST_F(IndexScreen, PurgingEmptyChaptersAsksFirst) {
  Cli({"add-chapter", "Empty"});
  Cli({"add-chapter", "Full"});
  Cli({"add-recipe", "--chapter", "2", "--title", "Stew"});
  Outcome run = Run(
      "press Chapter\npress Purge empty chapters\nexpect that do not contain recipes.\npress Cancel\n"
      "expect 2 Chapters\n"
      "press Chapter\npress Purge empty chapters\npress OK\nexpect 1 Chapters\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"chapters"}).substr(86), "2\tFull\n");
}

TEST_F(IndexScreen, TickedRecipesAreDeletedMovedAndCopied) {
  MakeCollection();
  // Desserts is row 5: Apple Crumble, Brownies, Custard.
  Outcome run = Run(
      "click 200 " + Row(5) + "\nexpect 3 Recipes\n"
      "click 537 " + Row(2) + "\npress Copy\npress Breads\n"    // Apple Crumble and Custard
      "click 200 " + Row(5) + "\nclick 600 " + Row(1) + "\n"   // Brownies alone
      "press Move\npress Soups\nexpect 2 Recipes\n"
      "click 700 " + Row(1) + "\nctrl+a\npress Delete\nexpect Are you sure you want\npress OK\n"
      "expect 0 Recipes\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles", "2"}), "");
  EXPECT_EQ(Cli({"titles", "1"}),
            "2\t1\trecipe\tBrownies\n4\t1\trecipe\tLeek Soup\n5\t1\trecipe\tMinestrone\n");
  EXPECT_EQ(Cli({"titles", "3"}),
            "7\t3\trecipe\tApple Crumble\n8\t3\trecipe\tCustard\n6\t3\trecipe\tRye Bread\n");
}

TEST_F(IndexScreen, TheContextMenuRunsTheSameCommands) {
  MakeCollection();
  Outcome run = Run(
      "rclick 700 " + Row(0) + "\nexpect Add to Meal Calendar\nexpect Print Recipes\n"
      "press Delete Recipes\nexpect Delete Apple Crumble?\npress Cancel\n"
      "rclick 700 " + Row(0) + "\nkey Escape\nabsent Add to Meal Calendar\n"
      "rclick 700 " + Row(0) + "\npress Delete Recipes\npress OK\nexpect 5 Recipes\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles"}).find("Apple Crumble"), std::string::npos);
}

TEST_F(IndexScreen, DeleteActsOnTheRecipeLastSeenAndNamesIt) {
  MakeCollection();
  // Next on the Recipe screen: what it showed is what the Index deletes.
  Outcome run = Run(
      "click 700 " + Row(0) + "\nexpect Apple Crumble\nkey Right\nexpect Brownies\nkey Enter\n"
      "press Delete\nexpect Delete Brownies?\npress OK\nexpect 5 Recipes\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  std::string titles = Cli({"titles"});
  EXPECT_EQ(titles.find("Brownies"), std::string::npos);
  EXPECT_NE(titles.find("Apple Crumble"), std::string::npos);
}

TEST_F(IndexScreen, ARightClickActsOnTheRowUnderThePointer) {
  MakeCollection();
  // Apple Crumble is current; the menu opened over Custard deletes Custard.
  Outcome run = Run("rclick 700 " + Row(2) + "\npress Delete Recipes\nexpect Delete Custard?\n"
                    "press OK\nexpect 5 Recipes\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  std::string titles = Cli({"titles"});
  EXPECT_EQ(titles.find("Custard"), std::string::npos);
  EXPECT_NE(titles.find("Apple Crumble"), std::string::npos);

  // Over one of several ticked rows the ticks stay, and the question counts them.
  run = Run("click 537 " + Row(1) + "\nclick 537 " + Row(3) + "\nrclick 700 " + Row(3) +
            "\npress Delete Recipes\nexpect to delete all 3 selected recipes?\npress Cancel\n"
            "rclick 700 " + Row(2) + "\npress Delete Recipes\nexpect Delete Leek Soup?\n"
            "press Cancel\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles"}), titles);
}

TEST_F(IndexScreen, KeysMoveThroughChaptersAndAClickOnTheCurrentTitleOpensIt) {
  MakeCollection();
  Outcome run = Run(
      "key Right\nkey Right\nkey Right\nkey Right\nkey Right\nexpect 3 Recipes\n"  // Desserts
      "key Left\nexpect 1 Recipes\n"                                                // Breads
      "click 600 " + Row(0) + "\nabsent Locate Duplicates\nexpect Recipe\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(IndexScreen, TheNewVersionQuestionComesOnlyInOddMonthsAfterAFirstRun) {
  Settings settings(data.File("Setup50.dat"));
  auto month = [&] { return GetNumberSetting(settings, setting::kReminderMonth); };

  // A first run only remembers the month.
  EXPECT_EQ(Run("absent You are using\npress Quit\n", "2027-01-05").status, 0);
  EXPECT_EQ(month(), 1);
  // The same month again: no question.
  EXPECT_EQ(Run("absent You are using\npress Quit\n", "2027-01-20").status, 0);
  // An even month: no question, the month is remembered.
  EXPECT_EQ(Run("absent You are using\npress Quit\n", "2027-02-01").status, 0);
  EXPECT_EQ(month(), 2);
  // An odd month after another: the question, once.
  Outcome asked = Run(
      "expect You are using Tovalia 5.8\nexpect if a newer version is available?\npress OK\n"
      "type h\ntype i\nabsent You are using\npress Quit\n",
      "2027-03-02");
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_NE(asked.err.find("open: https://tovalia.example.org/tv_upgrade.htm?source=program"),
            std::string::npos);
  EXPECT_EQ(month(), 3);
}

TEST_F(IndexScreen, TheFindDialogRefusesWhatCannotBeSearchedAndSearches) {
  MakeCollection();
  Outcome run = Run(
      "press Find\nexpect Enter the words you want to look for (i.e. butter sugar).\n"
      "expect To find a specific phrase, enclose it in quotes (i.e. \"peanut butter\")\n"
      "press All Chapters\ntype soup\nkey Enter\nexpect Select a chapter first\npress OK\n"
      "press All Chapters\npress Titles\npress OK\nexpect You must select at least one field to search\n"
      "press OK\npress Titles\nkey Escape\ntype /soup /bread\nkey Enter\n"
      "expect 2 Recipes\nexpect Leek Soup\nexpect Rye Bread\nabsent Minestrone\n"
      "press Find\ntype crumble\npress Cancel\nexpect 2 Recipes\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles", "-2"}),
            "4\t1\trecipe\tLeek Soup\n6\t3\trecipe\tRye Bread\n");
}

TEST_F(IndexScreen, ImportingAFileAndTheClipboard) {
  Cli({"add-chapter", "Imported"});
  const std::string recipe =
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Bars\n"
      " Categories: Cookies\n      Yield: 24 servings\n\n      2 c  flour\n    1/2 c  sugar\n\n"
      "  Mix and bake.\nMMMMM\n";
  program.File("bars.mmf", recipe);
  Settings settings(data.File("Setup50.dat"));
  PutTextSetting(settings, setting::kImportFolder, program.Temp().Path());
  Outcome run = Run(
      // Row 4 is the chapter "Imported".
      "click 200 " + Row(4) + "\npress Import\nexpect Import Recipes\nexpect bars.mmf\n"
      "type bars.mmf\nkey Enter\nexpect Verify Import Format\nexpect Automatically sort by category\n"
      "press OK\nexpect 1 Recipes\nexpect Lemon Bars\n"
      "clipboard tiny\npress Import\npress Clipboard\nexpect File is too small to import\npress OK\n"
      // Accents on the clipboard arrive as they were.
      "clipboard MMMMM----- Recipe via Meal-Master (tm) v8.05\\n\\n      Title: Crème Brûlée\\n"
      "      Yield: 4 servings\\n\\n      2 c  Cream\\n\\n  Bake at 150°C.\\nMMMMM\\n\n"
      "press Import\npress Clipboard\npress OK\nexpect Crème Brûlée\n"
      "press Import\npress Cancel\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"titles", "1"}), "2\t1\trecipe\tCrème Brûlée\n1\t1\trecipe\tLemon Bars\n");
  EXPECT_NE(Cli({"show", "2"}).find("Bake at 150°C."), std::string::npos);
  EXPECT_FALSE(testing::Exists(data.File("Temp.dat")));
  EXPECT_EQ(GetTextSetting(settings, setting::kImportFolder), program.Temp().Path());
}

TEST_F(IndexScreen, ImportingARealFileOfAThousandRecipes) {
  const std::string corpus = std::string(TOVALIA_CORPUS_DIR) + "/mealmaster/";
  if (!testing::Exists(corpus + "javarecipes_1000.mmf")) GTEST_SKIP() << "no corpus beside the repository";
  Cli({"add-chapter", "Imported"});
  Settings settings(data.File("Setup50.dat"));
  PutTextSetting(settings, setting::kImportFolder, corpus);
  Outcome run = Run("click 200 " + Row(4) + "\npress Import\ntype javarecipes_1000.mmf\nkey Enter\n"
                    "press OK\nexpect 1000 Recipes\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(IndexScreen, TheHelpScreenOpensPagesMailAndCleansUp) {
  MakeCollection();
  Cli({"delete", "1"});
  Outcome run = Run(
      "type h\nexpect Version 5.8\nexpect Press F1 at any time to view documentation\n"
      "press FAQ\npress Web Site\npress Send Email\n"
      "press Upgrade\nexpect *** WARNING ***\npress Cancel\n"
      "press Cleanup\nexpect Version 5.8\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("open: https://tovalia.example.org/tv_faq.htm?source=program+help"),
            std::string::npos);
  EXPECT_NE(run.err.find("open: https://tovalia.example.org/index.htm?source=program+help"),
            std::string::npos);
  EXPECT_NE(run.err.find("email: support@tovalia.example.org, Tovalia 5.8"), std::string::npos);
  EXPECT_NE(Cli({"check"}).find("deleted bytes: 0"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
