// The Meals screen driven through the real program, headless, with today
// fixed at Tuesday 2026-12-08. At 1024 x 767 the grid starts at (16, 116)
// with cells of 62 x 52 and shows 11 weeks; its top week is today's
// (Sunday Dec 6), so the cell of weekday c in visible week w is centred at
// (47 + 62c, 142 + 52w). The meal list's rows are centred at y = 131 + 22r.
#include <gtest/gtest.h>

#include <regex>

#include "state/settings.h"
#include "support/pdf_text.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ReadBytes;

class MealsScreen : public ::testing::Test {
 protected:
  testing::ProgramRun program;
  using Outcome = testing::ProgramRun::Outcome;
  Outcome Run(const std::string& script, const std::string& screen = "1024x768") {
    return program.Run(script, "--today 2026-12-08 --screen " + screen);
  }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  std::string Meals() { return Cli({"meals", "list"}); }

  // Chapter 1 "Dinners" with three recipes; returns their ids by title order.
  void MakeCollection() {
    Cli({"add-chapter", "Dinners"});
    for (const char* title : {"Apple Cake", "Beef Stew", "Chicken Curry"})
      ids.push_back(Cli({"add-recipe", "--chapter", "1", "--title", title}));
    for (std::string& id : ids) id.pop_back();  // the line end
  }
  std::vector<std::string> ids;
};

TEST_F(MealsScreen, AWeekIsPlannedFromNotesAndTheCurrentRecipe) {
  MakeCollection();
  Outcome run = Run(
      "type m\n"
      "expect December 2026\nexpect No meals planned yet.\nexpect 0 Meals\n"
      "click 140 142\n"  // today is selected already: a click on it asks
      "expect Dec 8, 2026\nexpect Add note or select current recipe\n"
      "type Leftover soup\npress Note\n"
      "expect Dec 8, 2026:  \nexpect Leftover soup\nexpect 1 Meal\n"
      "click 202 142\nabsent Add note or select current recipe\n"  // selects Wednesday
      "click 202 142\npress Recipe\n"  // the Index screen's current recipe
      "expect Dec 9, 2026:  \nexpect Apple Cake\n"
      "click 202 142\npress Note\n"  // an empty note is not added
      "click 47 194\nclick 47 194\ntype Eat out\nkey Enter\n"  // Enter chooses Note
      "expect Dec 13, 2026:  \nexpect 3 Meals\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-12-08\tnote\t0\t0\tLeftover soup\n"
                     "1\t2026-12-09\trecipe\t" + ids[0] + "\t0\tApple Cake\n"
                     "2\t2026-12-13\tnote\t0\t0\tEat out\n");
}

TEST_F(MealsScreen, TheIndexScreensNewMealAddsTheTickedRecipesForToday) {
  MakeCollection();
  Outcome run = Run(
      "click 100 139\n"  // "Recipes Selected For Meals": nothing planned yet
      "press New Meal\nexpect There are no recipes in this chapter.\npress OK\n"
      "click 100 95\nctrl+a\nctrl+a\n"  // All Recipes, every tick cleared
      "press New Meal\nexpect Please select the recipes you\npress OK\n"
      "ctrl+a\npress New Meal\nexpect Do you want to add the selected\npress Cancel\n"
      "press New Meal\npress OK\n"
      "rclick 600 95\npress Add to Meal Calendar\n"  // the context menu runs the same command
      "expect Do you want to add the selected\npress Cancel\n"
      "click 100 139\nexpect 3 Recipes\nexpect Beef Stew\n"
      "type m\nexpect Dec 8, 2026:  \nexpect Chicken Curry\nexpect 3 Meals\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-12-08\trecipe\t" + ids[0] + "\t0\tApple Cake\n"
                     "1\t2026-12-08\trecipe\t" + ids[1] + "\t0\tBeef Stew\n"
                     "2\t2026-12-08\trecipe\t" + ids[2] + "\t0\tChicken Curry\n");
}

TEST_F(MealsScreen, TheRecipeScreensNewMealAsksAndAddsForToday) {
  MakeCollection();
  Outcome run = Run("key Down\ntype r\nexpect Beef Stew\ntype n\n"
                    "expect Do you want to add this recipe\npress Cancel\n"
                    "type n\npress OK\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-12-08\trecipe\t" + ids[1] + "\t0\tBeef Stew\n");
}

TEST_F(MealsScreen, KeysMoveTickReorderAndDeleteMeals) {
  for (const char* line : {"2026-12-08 Apples", "2026-12-08 Bread", "2026-12-09 Cheese"}) {
    const std::string text(line);
    Cli({"meals", "add", text.substr(0, 10), "--note", text.substr(11)});
  }
  Outcome run = Run("type m\n"
                    "key Down\n"          // none current: the first becomes current
                    "ctrl+Up\n"       // the first of its date: nothing moves
                    "ctrl+Down\n"     // Apples below Bread
                    "ctrl+Down\n"     // Cheese is on another date: nothing moves
                    "key Space\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "1\t2026-12-08\tnote\t0\t0\tBread\n0\t2026-12-08\tnote\t0\t1\tApples\n2\t2026-12-09\tnote\t0\t0\tCheese\n");

  run = Run("type m\nctrl+a\nquit\n");  // 1 of 3 ticked: all become ticked
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "1\t2026-12-08\tnote\t0\t1\tBread\n0\t2026-12-08\tnote\t0\t1\tApples\n2\t2026-12-09\tnote\t0\t1\tCheese\n");

  run = Run("type m\nctrl+a\n"  // all ticked: all untick
            "key End\nkey Delete\nexpect Delete Current Item From Meal List?\npress Cancel\n"
            "click 488 175\n"  // tick the third row's box
            "key Home\nkey Delete\nexpect Delete Selected Items From Meal List?\npress OK\n"
            "absent Cheese\nexpect 2 Meals\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "1\t2026-12-08\tnote\t0\t0\tBread\n0\t2026-12-08\tnote\t0\t0\tApples\n");

  run = Run("type m\nrclick 650 131\nexpect Delete Current Item From Meal List?\npress OK\n"
            "press Delete\npress OK\nexpect No meals planned yet.\n"
            "press Delete\nexpect The meal list is empty.\npress OK\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "");
}

TEST_F(MealsScreen, ADraggedMealMovesAfterTheMealsOfItsNewDay) {
  Cli({"meals", "add", "2026-12-08", "--note", "Pasta"});
  Cli({"meals", "add", "2026-12-10", "--note", "Fish"});
  Outcome run = Run("type m\n"
                    "drag 650 131 295 142\n"  // Pasta onto Thursday Dec 10
                    "expect Dec 10, 2026:  \n"
                    "drag 650 131 650 300\n"  // let go off the grid: nothing changes
                    "quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "1\t2026-12-10\tnote\t0\t0\tFish\n0\t2026-12-10\tnote\t0\t0\tPasta\n");
}

TEST_F(MealsScreen, NotesAreEditedAndDeletedThroughEditNote) {
  Cli({"meals", "add", "2026-12-08", "--note", "Soup"});
  Cli({"meals", "add", "2026-12-08", "--note", "Bread"});
  Outcome run = Run("type m\nclick 650 131\nclick 650 131\n"
                    "expect Edit Note\nkey Escape\ntype Lentil soup\nkey Enter\n"
                    "expect Lentil soup\n"
                    "click 650 153\nkey Enter\nexpect Edit Note\npress Delete\n"
                    "absent Bread\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-12-08\tnote\t0\t0\tLentil soup\n");
  // A note longer than the prompt's 50 characters is saved whole.
  const std::string longNote = "Grilled sardines, new potatoes and a green salad with lemon and dill";
  Cli({"meals", "delete", "0"});
  Cli({"meals", "add", "2026-12-08", "--note", longNote});
  run = Run("type m\nclick 650 131\nkey Enter\nexpect Edit Note\nkey Enter\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-12-08\tnote\t0\t0\t" + longNote + "\n");
}

TEST_F(MealsScreen, ARecipeMealOpensItsRecipeUntilTheRecipeIsDeleted) {
  MakeCollection();
  Cli({"meals", "add", "2026-12-08", "--recipe", ids[2]});
  Outcome run = Run("type m\nclick 650 131\nkey Enter\n"
                    "expect Chicken Curry\nexpect Serves\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  Cli({"delete", ids[2]});
  run = Run("type m\nclick 650 131\nclick 650 131\n"
            "expect The recipe you selected no longer exists?\npress OK\n"
            "expect Chicken Curry\nexpect Meal List\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-12-08\trecipe\t" + ids[2] + "\t0\tChicken Curry\n");
}

TEST_F(MealsScreen, MealsBeforeTheGridAreDroppedAtTheNextWrite) {
  Cli({"meals", "add", "2026-09-26", "--note", "Too old"});
  Cli({"meals", "add", "2026-09-27", "--note", "First grid day"});
  Outcome run = Run("type m\nabsent Too old\nexpect First grid day\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "0\t2026-09-26\tnote\t0\t0\tToo old\n1\t2026-09-27\tnote\t0\t0\tFirst grid day\n");
  run = Run("type m\nclick 140 142\ntype New\npress Note\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Meals(), "1\t2026-09-27\tnote\t0\t0\tFirst grid day\n0\t2026-12-08\tnote\t0\t0\tNew\n");
}

TEST_F(MealsScreen, TheGridScrollsByWeeksAndTodayBringsItBack) {
  Cli({"meals", "add", "2026-12-09", "--note", "Soup"});
  Outcome run = Run("type m\nabsent Mar\n"
                    "move 200 300\nwheel -5\nexpect Mar\n"
                    "press Today\nabsent Mar\n"
                    "click 650 131\nwheel 30\nwheel -40\nexpect Jan\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(MealsScreen, PrintExportAndShoppingListAnswer) {
  Outcome run = Run("type m\npress Print\nexpect There are no items to print?\npress OK\n"
                    "press Export\nexpect There are no meals to export?\npress OK\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  Cli({"meals", "add", "2026-12-09", "--note", "Soup"});
  Cli({"meals", "add", "2026-12-10", "--note", "Stew"});
  Settings settings(program.Data().File("Setup50.dat"));
  PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  run = Run("type m\npress Print\nexpect Print Meal List\nexpect 14 point\npress Cancel\n"
            "press Shopping List\nexpect The chosen meals hold no recipe\npress OK\n"
            "click 488 153\n"  // only the ticked meal is exported
            "press Export\nexpect Where Do You Want To Save Your Meal Calendar?\nkey Enter\n"
            "expect 1 meal was saved for calendar programs in\npress OK\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<uint8_t> ics = ReadBytes(program.Temp().File("Meals.ics"));
  const std::string text(ics.begin(), ics.end());
  EXPECT_NE(text.find("SUMMARY:Stew\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("SUMMARY:Soup"), std::string::npos);
}

TEST_F(MealsScreen, PrintSavesTheMealListOrItsTickedMealsInBothWindows) {
  if (!testing::PopplerThere()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
  Cli({"meals", "add", "2026-12-09", "--note", "Soup"});
  Cli({"meals", "add", "2026-12-10", "--note", "Stew"});
  Cli({"meals", "add", "2027-01-02", "--note", "Roast"});
  Settings settings(program.Data().File("Setup50.dat"));
  PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  Outcome run = Run("type m\npress Print\nexpect Print Meal List\nabsent Print meal list after groceries\n"
                    "press OK\nexpect Where do you want to save your PDF?\nexpect Meal List.pdf\n"
                    "key Escape\ntype winter\nkey Enter\nexpect 3 Meals\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string all = testing::PdfText(program.Temp().File("winter.pdf"), 0, true);
  EXPECT_TRUE(std::regex_search(all, std::regex("Meal List +Dec 9, 2026 - Jan 2, 2027"))) << all;
  EXPECT_TRUE(std::regex_search(all, std::regex("Wed, +Dec 9: +Soup\\s+Thu, +Dec 10: +Stew\\s+Sat, +Jan 2: +Roast")))
      << all;

  // With one meal ticked only that one is printed.
  run = Run("type m\nkey Down\nkey Space\npress Print\npress OK\nkey Escape\ntype soup\nkey Enter\n"
            "expect 3 Meals\nquit\n",
            "800x600");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string one = testing::Squeezed(testing::PdfText(program.Temp().File("soup.pdf")));
  EXPECT_NE(one.find("Soup"), std::string::npos) << one;
  EXPECT_EQ(one.find("Stew"), std::string::npos) << one;
}

TEST_F(MealsScreen, TheChosenMealsRecipesGoOnTheShoppingList) {
  Cli({"add-chapter", "Dinners"});
  const std::string ingredients = program.File("i.txt", "2 cups flour\n3 Eggs\n");
  std::string pancakes = Cli({"add-recipe", "--chapter", "1", "--title", "Pancakes", "--ingredients", ingredients});
  pancakes.pop_back();
  std::string gone = Cli({"add-recipe", "--chapter", "1", "--title", "Gone Pie", "--ingredients", ingredients});
  gone.pop_back();
  Cli({"meals", "add", "2026-12-08", "--recipe", pancakes});
  Cli({"meals", "add", "2026-12-09", "--note", "Eat out"});
  Cli({"meals", "add", "2026-12-10", "--recipe", pancakes});
  Cli({"meals", "add", "2026-12-11", "--recipe", gone});
  Cli({"delete", gone});
  Outcome run = Run("type m\npress Shopping List\nexpect Put the ingredients of 2 recipes\npress Cancel\n"
                    "press Shopping List\npress OK\nexpect Ingredients of 2 recipes added to the grocery list:\n"
                    "expect 1 meal's recipe is\npress OK\n"
                    "click 488 153\n"  // only the note ticked: no recipe among the chosen meals
                    "press Shopping List\nexpect The chosen meals hold no recipe\npress OK\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string list = Cli({"grocery", "list", "--selected"});
  EXPECT_NE(list.find("\t2\tflour\t"), std::string::npos) << list;  // planned twice: two of each
  EXPECT_NE(list.find("\t2\tEggs\t"), std::string::npos) << list;
}

TEST_F(MealsScreen, SnapshotsOfAPlannedWeekAtBothWindowSizes) {
  MakeCollection();
  Cli({"meals", "add", "2026-12-07", "--recipe", ids[1]});
  Cli({"meals", "add", "2026-12-08", "--note", "Leftover stew"});
  Cli({"meals", "add", "2026-12-09", "--recipe", ids[2]});
  Cli({"meals", "add", "2026-12-09", "--note", "Salad on the side"});
  Cli({"meals", "add", "2026-12-10", "--recipe", ids[0]});
  const std::string large = program.Temp().File("meals-1024.png");
  const std::string small = program.Temp().File("meals-800.png");
  Outcome run = Run("type m\nclick 650 153\nsnapshot " + large + "\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  // At 800 x 599: cells of 48 x 44, nine weeks; the list starts at x = 373.
  run = Run("type m\nexpect Salad on the side\nclick 500 153\nclick 500 153\n"
            "expect Edit Note\npress Cancel\nclick 184 138\nclick 184 138\nexpect Dec 9, 2026\n"
            "press Cancel\nsnapshot " + small + "\nquit\n", "800x600");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_GT(ReadBytes(large).size(), 10000u);
  EXPECT_GT(ReadBytes(small).size(), 10000u);
}

}  // namespace
}  // namespace tovalia
