// The Grocery screen driven through the real program, headless. In the
// 1024 x 767 window the rows are centred at y = 123 + 22 * row, with the
// raise button at x = 40 and the lower button at x = 63; the column
// captions lie at y = 97 and the "Display Mode" lines at x = 900,
// y = 124, 150 and 176.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "state/settings.h"
#include "support/pdf_text.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

std::string Row(int row) { return std::to_string(123 + 22 * row); }

class GroceryScreen : public ::testing::Test {
 protected:
  testing::ProgramRun program;  // first: the members below refer to it
  using Outcome = testing::ProgramRun::Outcome;
  Outcome Run(const std::string& script, const std::string& options = "--today 2026-03-14") {
    return program.Run("type g\n" + script, options);
  }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  const testing::TempFolder& data = program.Data();

  // Apples, Bananas, Bread, Cheddar, Milk; New List puts all but Cheddar
  // on the list (12.03 in all).
  void MakeCatalogue() {
    Cli({"grocery", "add", "Apples", "--store", "Market", "--location", "Produce", "--cost", "0.50", "--default", "6"});
    Cli({"grocery", "add", "Bananas", "--store", "MARKET", "--location", "Produce", "--cost", "0.25", "--default", "12"});
    Cli({"grocery", "add", "Bread", "--location", "Bakery", "--cost", "2.25", "--default", "1"});
    Cli({"grocery", "add", "Cheddar", "--store", "Market", "--location", "Dairy", "--cost", "4.10"});
    Cli({"grocery", "add", "Milk", "--store", "Corner Shop", "--location", "Dairy", "--cost", "1.89", "--default", "2"});
    Cli({"grocery", "new-list"});
  }
  // Each item's NAME -> "QUANTITY STORE/LOCATION COST DEFAULT", from the command line.
  std::map<std::string, std::string> Items() {
    std::map<std::string, std::string> items;
    std::istringstream lines(Cli({"grocery", "list"}));
    std::string id, quantity, name, store, location, cost, defaults;
    while (std::getline(lines, id, '\t') && std::getline(lines, quantity, '\t') && std::getline(lines, name, '\t') &&
           std::getline(lines, store, '\t') && std::getline(lines, location, '\t') &&
           std::getline(lines, cost, '\t') && std::getline(lines, defaults))
      items[name] = quantity + " " + store + "/" + location + " " + cost + " " + defaults;
    return items;
  }
  std::string Quantity(const std::string& name) {
    const std::string item = Items()[name];
    return item.substr(0, item.find(' '));
  }
};

TEST_F(GroceryScreen, TheCatalogueItsThreeViewsAndTheTotal) {
  MakeCatalogue();
  Outcome run = Run(
      "expect All Items\nexpect 5 Items\nexpect Current Shopping List:\nexpect $12.03\n"
      "expect Quantity\nexpect Location\nexpect Corner Shop\nexpect 4.10\n"
      "key Space\nexpect Selected Items\nexpect 4 Items\nabsent Cheddar\n"
      "key Space\nexpect Search Results\nexpect 0 Items\nexpect No items matched the last search.\n"
      "key Space\nexpect 5 Items\n"
      "click 900 150\nexpect 4 Items\nclick 900 124\nexpect Cheddar\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  Outcome small = Run("expect $12.03\nexpect Search Results\npress Locations\npress Cancel\npress Quit\n",
                      "--screen 800x600");
  EXPECT_EQ(small.status, 0) << small.err;
}

TEST_F(GroceryScreen, QuantitiesRiseAndFallByKeysAndButtons) {
  MakeCatalogue();
  Outcome run = Run(
      "key Down\nkey Enter\nctrl+Up\nctrl+Down\nexpect 13\n"  // Bananas 12 -> 13
      "key Down\nkey Delete\nkey Delete\n"                     // Bread 1 -> 0, and no lower
      "click 40 " + Row(3) + "\n"                              // Cheddar 0 -> 1
      "click 63 " + Row(4) + "\n"                              // Milk 2 -> 1
      "expect $12.24\n"
      "key Space\nexpect 4 Items\n"
      "click 63 " + Row(2) + "\nexpect 3 Items\nabsent Cheddar\n"  // Cheddar 1 -> 0 leaves the list
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Quantity("Apples"), "6");
  EXPECT_EQ(Quantity("Bananas"), "13");
  EXPECT_EQ(Quantity("Bread"), "0");
  EXPECT_EQ(Quantity("Cheddar"), "0");
  EXPECT_EQ(Quantity("Milk"), "1");
}

TEST_F(GroceryScreen, AHeldButtonOrKeyStopsWithItsItem) {
  MakeCatalogue();
  Cli({"grocery", "set", "Apples", "--quantity", "250"});
  Outcome run = Run(
      "hold 40 " + Row(0) + " 3000\nexpect 255\n"  // stops at 255
      "key Space\n"                                // Apples, Bananas, Bread, Milk
      "hold 63 " + Row(2) + " 3000\n"              // Bread to 0; Milk, which takes the row, is kept
      "key Delete\nrepeat Delete\n"                // Milk 2 -> 0, held
      "repeat Delete\n"                            // the key is still held: Bananas is left alone
      "key Delete\n"                               // a new press lowers Bananas
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Quantity("Apples"), "255");
  EXPECT_EQ(Quantity("Bread"), "0");
  EXPECT_EQ(Quantity("Milk"), "0");
  EXPECT_EQ(Quantity("Bananas"), "11");
}

TEST_F(GroceryScreen, TheItemFormsAddEditAndDelete) {
  MakeCatalogue();
  Outcome run = Run(
      "press Add\nexpect Add Grocery Item\nexpect Default Quantity\n"
      "type Tomatoes\\tVeggie Stand\\tOutdoor\\t400\\t\nkey Escape\ntype -2\nkey Enter\n"
      "expect 6 Items\nexpect Veggie Stand\nexpect 327.67\n"
      "press Add\nkey Enter\nkey Enter\nkey Enter\nkey Enter\nkey Enter\nexpect 6 Items\n"  // no name: nothing
      "rclick 300 " + Row(0) + "\nexpect Edit Grocery Item\nexpect 0.50\n"
      "key Escape\ntype Green apples\npress Save\n"
      "expect Green apples\nabsent Apples\n"
      "press Edit\nexpect Green apples\npress Delete\nexpect 5 Items\nabsent Green apples\n"
      "press Delete\nexpect Delete this grocery item?\npress Cancel\nexpect 5 Items\n"
      "press Delete\npress OK\nexpect 4 Items\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  std::map<std::string, std::string> items = Items();
  EXPECT_EQ(items.size(), 4u);
  EXPECT_EQ(items["Tomatoes"], "0 Veggie Stand/Outdoor 327.67 0");
  EXPECT_EQ(items.count("Green apples"), 0u);
}

TEST_F(GroceryScreen, FindAndChangingEveryMatchingStoreAndLocation) {
  MakeCatalogue();
  Outcome run = Run(
      "press Find\nexpect Find\ntype an\npress Item\n"
      "expect Search Results\nexpect Bananas\nabsent Apples\n"
      "press Find\ntype shop\npress Store\nexpect 1 Item\nexpect Milk\n"
      "press Find\npress Location\nexpect Milk\n"  // nothing typed: the results stay
      "key Space\n"                                // All Items, Apples current
      "press Stores\nexpect Change All Matching Stores\nkey Tab\nkey Escape\ntype Big Market\npress Replace\n"
      "press Locations\nkey Tab\nkey Escape\ntype Fruit & Veg\npress Replace\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  std::map<std::string, std::string> items = Items();
  EXPECT_EQ(items["Apples"], "6 Big Market/Fruit & Veg 0.50 6");
  EXPECT_EQ(items["Bananas"], "12 Big Market/Fruit & Veg 0.25 12");
  EXPECT_EQ(items["Cheddar"], "0 Big Market/Dairy 4.10 0");
  EXPECT_EQ(items["Milk"], "2 Corner Shop/Dairy 1.89 2");
}

TEST_F(GroceryScreen, PrintSavesTheListAndThenTheMealsAsPdfInBothWindows) {
  if (!testing::PopplerThere()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
  MakeCatalogue();
  Cli({"meals", "add", "2026-03-15", "--note", "Pancakes"});
  Settings settings(data.File("Setup50.dat"));
  PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  Outcome run = Run(
      "press Print\nexpect Print Grocery List\nexpect Save as PDF\nexpect Print meal list after groceries\n"
      "press OK\nexpect Where do you want to save your PDF?\npress Cancel\nexpect Selected Items\n"
      "press Print\npress OK\nexpect Grocery List.pdf\nkey Escape\ntype shopping\nkey Enter\n"
      "expect Selected Items\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string shopping = program.Temp().File("shopping.pdf");
  ASSERT_EQ(testing::PdfPages(shopping), 1);
  const std::string text = testing::PdfText(shopping, 1, true);
  EXPECT_TRUE(std::regex_search(text, std::regex("Grocery List: +\\$ 12\\.03 +Mar 14 2026"))) << text;
  EXPECT_TRUE(std::regex_search(text, std::regex("Bakery: +1 +Bread +2\\.25"))) << text;
  EXPECT_TRUE(std::regex_search(text, std::regex("Dairy: +2 +Milk +1\\.89"))) << text;
  EXPECT_TRUE(std::regex_search(text, std::regex("Produce: +6 +Apples +0\\.50\\s+12 +Bananas +0\\.25"))) << text;
  EXPECT_NE(text.find("Corner Shop"), std::string::npos);
  EXPECT_EQ(text.find("Market"), text.rfind("Market"));  // Market and MARKET share one heading
  EXPECT_EQ(text.find("Meal List"), std::string::npos);

  Outcome small = Run(
      "press Print\nexpect Print Grocery List\npress Print meal list after groceries\npress OK\n"
      "key Escape\ntype both\nkey Enter\nexpect Selected Items\npress Quit\n",
      "--today 2026-03-14 --screen 800x600");
  EXPECT_EQ(small.status, 0) << small.err;
  const std::string both = program.Temp().File("both.pdf");
  ASSERT_EQ(testing::PdfPages(both), 2);
  EXPECT_NE(testing::PdfText(both, 1).find("Grocery List:"), std::string::npos);
  const std::string meals = testing::PdfText(both, 2, true);
  EXPECT_TRUE(std::regex_search(meals, std::regex("Meal List +Mar 15, 2026"))) << meals;
  EXPECT_TRUE(std::regex_search(meals, std::regex("Sun, +Mar 15: +Pancakes"))) << meals;
}

TEST_F(GroceryScreen, NewListPrintAndExport) {
  MakeCatalogue();
  Outcome run = Run(
      "press New List\nexpect to start a new grocery list?\npress Zero\n"
      "expect Selected Items\nexpect Nothing is on the shopping list.\nexpect $0.00\n"
      "press Print\nexpect No items have been selected\npress OK\n"
      "press New List\npress Defaults\nexpect 4 Items\n"
      "press Print\nexpect Print Grocery List\npress Cancel\n"
      "press Export\nexpect Select Grocery Export Format\nexpect SplashShopper (CSV)\n"
      "key Down\nkey Down\nkey Down\npress OK\n"
      "expect Where Do You Want To Save Your Grocery List?\nexpect Grocery List.txt\n"
      "key Escape\ntype list\nkey Enter\n"
      "expect Selected Items\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<uint8_t> bytes = testing::ReadBytes(data.File("list.txt"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "\tBakery\t1\tBread\t2.25\r\nCorner Shop\tDairy\t2\tMilk\t1.89\r\n"
            "Market\tProduce\t6\tApples\t0.50\r\nMARKET\tProduce\t12\tBananas\t0.25\r\n");
  Settings settings(data.File("Setup50.dat"));
  EXPECT_EQ(GetTextSetting(settings, setting::kExportFolder), data.Path());

  // The remembered folder has gone since.
  PutTextSetting(settings, setting::kExportFolder, data.Path() + "gone/");
  Outcome gone = Run("press Export\npress OK\ntype list\nkey Enter\nexpect No Folder Selected\npress OK\npress Quit\n");
  EXPECT_EQ(gone.status, 0) << gone.err;
}

TEST_F(GroceryScreen, MovingThroughALongListInTheSmallWindow) {
  for (int i = 1; i <= 40; ++i) {
    const std::string name = std::string("Item ") + (i < 10 ? "0" : "") + std::to_string(i);
    Cli({"grocery", "add", name});
  }
  // 21 rows show in the 800 x 599 window.
  Outcome run = Run(
      "key End\nexpect Item 40\nabsent Item 19\n"
      "key Home\nexpect Item 01\nabsent Item 40\n"
      "key PageDown\nkey Enter\n"         // top row 19, current 39: Item 40
      "key PageUp\nkey Enter\n"           // back to the top: Item 01
      "wheel -2\nexpect Item 27\nabsent Item 06\n"
      "key Down\nkey Enter\n"             // the current row comes back into view: Item 02
      "press Quit\n",
      "--screen 800x600");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Quantity("Item 40"), "1");
  EXPECT_EQ(Quantity("Item 01"), "1");
  EXPECT_EQ(Quantity("Item 02"), "1");
  const std::string selected = Cli({"grocery", "list", "--selected"});
  EXPECT_EQ(std::count(selected.begin(), selected.end(), '\n'), 3);
}

TEST_F(GroceryScreen, ClicksAboveAndBelowTheRowsMoveByOne) {
  MakeCatalogue();
  Outcome run = Run("click 400 700\nclick 400 700\nkey Enter\n"  // Bread
                    "click 400 97\nkey Enter\n"                  // Bananas
                    "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Quantity("Bread"), "2");
  EXPECT_EQ(Quantity("Bananas"), "13");
}

TEST_F(GroceryScreen, AnUnreadableFileIsReportedAndLeftAlone) {
  std::filesystem::create_directory(data.File("Grocer30.dat"));
  Outcome run = Run("expect cannot be read\npress OK\n"
                    "press Add\ntype Tea\nkey Enter\nkey Enter\nkey Enter\nkey Enter\nkey Enter\n"
                    "expect cannot be read\npress OK\nexpect 0 Items\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::filesystem::is_directory(data.File("Grocer30.dat")));
}

TEST_F(GroceryScreen, TickedRecipesGoOnTheListFromTheIndexScreen) {
  Cli({"grocery", "add", "Egg", "--cost", "0.30"});
  Cli({"add-chapter", "Breakfast"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Omelette", "--ingredients",
       program.File("i.txt", "3 eggs\n1 pinch salt\n")});
  testing::ProgramRun::Outcome run = program.Run(
      "rclick 700 95\npress Add to Grocery List\n"
      "expect Ingredients of 1 recipe added to the grocery list:\nexpect 1 item already listed, raised by one\n"
      "expect 1 item added\npress OK\n"
      "type g\nkey Space\nexpect 2 Items\nexpect salt\nexpect $0.30\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

}  // namespace
}  // namespace tovalia
