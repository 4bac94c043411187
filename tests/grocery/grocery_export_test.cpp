// The six export formats against hand-written files, the export order,
// and the file names an export takes.
#include "grocery/grocery_export.h"

#include <gtest/gtest.h>

#include "grocery/grocery_edits.h"
#include "grocery/grocery_print_lines.h"
#include "grocery/shopping_list.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// Lines joined with CR LF, each line ended.
std::string Crlf(const std::string& text) {
  std::string out;
  for (char ch : text) out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  return out;
}

class GroceryExport : public ::testing::Test {
 protected:
  TempFolder folder;
  GroceryCatalogue c{folder.File("Grocer30.dat")};
  const LocalDate date{2026, 3, 14};

  void Item(const std::string& name, const std::string& store, const std::string& location,
            const std::string& cost, int quantity) {
    int32_t id = -1;
    ASSERT_EQ(AddGroceryItem(c, {name, store, location, cost, std::to_string(quantity)}, id),
              GroceryWrite::kWritten);
  }
  // One store in two spellings, an item without store, one without
  // location, a quote in a name, and an item not on the list.
  void SetUp() override {
    Item("12\" Pizza Pan", "Kitchen Shop", "", "9.99", 1);
    Item("Apples", "Market", "Produce", "0.50", 6);
    Item("Bananas", "MARKET", "Produce", "0.25", 12);
    Item("Bread", "", "Bakery", "2.25", 1);
    Item("Cheddar", "Market", "Dairy", "4.10", 1);
    Item("Milk", "Corner Shop", "Dairy", "1.89", 2);
    Item("Salt", "Market", "Spices", "0.99", 0);
    StartNewList(c, NewListChoice::kDefaults);
  }
  std::string Export(int format) { return GroceryExportText(c, ShoppingListInOrder(c), format, date); }
};

TEST_F(GroceryExport, TheOrderIsStoreThenLocationWithNameOrderKept) {
  std::vector<std::string> names;
  for (int32_t item : ShoppingListInOrder(c)) names.push_back(ItemName(c.image, item));
  EXPECT_EQ(names, (std::vector<std::string>{"Bread", "Milk", "12\" Pizza Pan", "Cheddar", "Apples", "Bananas"}));
  EXPECT_EQ(c.displayMode, kSelectedItemsMode);
}

TEST_F(GroceryExport, Text) {
  EXPECT_EQ(Export(kExportText), Crlf(R"(Grocery List:  $ 26.12    (Mar 14, 2026)

Bakery:    1  Bread          2.25

Corner Shop
===========

Dairy:     2  Milk           1.89

Kitchen Shop
============

:          1  12" Pizza Pan  9.99

Market
======

Dairy:     1  Cheddar        4.10

Produce:   6  Apples         0.50
          12  Bananas        0.25
)"));
}

TEST_F(GroceryExport, CommaDelimitedDoublesQuotesInsideFields) {
  const std::string rows = R"("","Bakery","1","Bread","2.25"
"Corner Shop","Dairy","2","Milk","1.89"
"Kitchen Shop","","1","12"" Pizza Pan","9.99"
"Market","Dairy","1","Cheddar","4.10"
"Market","Produce","6","Apples","0.50"
"MARKET","Produce","12","Bananas","0.25"
)";
  EXPECT_EQ(Export(kExportCsv), Crlf(rows));
  EXPECT_EQ(Export(kExportCsvWithNames), Crlf("Store,Location,Quantity,Item,Cost\n" + rows));
}

TEST_F(GroceryExport, TabDelimited) {
  EXPECT_EQ(Export(kExportTabDelimited), Crlf("\tBakery\t1\tBread\t2.25\n"
                                              "Corner Shop\tDairy\t2\tMilk\t1.89\n"
                                              "Kitchen Shop\t\t1\t12\" Pizza Pan\t9.99\n"
                                              "Market\tDairy\t1\tCheddar\t4.10\n"
                                              "Market\tProduce\t6\tApples\t0.50\n"
                                              "MARKET\tProduce\t12\tBananas\t0.25\n"));
}

TEST_F(GroceryExport, IndentedList) {
  EXPECT_EQ(Export(kExportIndentedList), Crlf("0\tGrocery List: $26.12 - Mar 14, 2026\n"
                                              "1\tBakery\n"
                                              "2\t1 - Bread - 2.25\n"
                                              "0\tCorner Shop\n"
                                              "1\tDairy\n"
                                              "2\t2 - Milk - 1.89\n"
                                              "0\tKitchen Shop\n"
                                              "2\t1 - 12\" Pizza Pan - 9.99\n"
                                              "0\tMarket\n"
                                              "1\tDairy\n"
                                              "2\t1 - Cheddar - 4.10\n"
                                              "1\tProduce\n"
                                              "2\t6 - Apples - 0.50\n"
                                              "2\t12 - Bananas - 0.25\n"));
}

TEST_F(GroceryExport, SplashShopperKeepsItsOwnFieldsAndQuotes) {
  EXPECT_EQ(Export(kExportSplashShopper),
            Crlf(R"("","Bread","","Bakery","","","1","","2.25","","","","",""
"","Milk","Corner Shop","Dairy","","","2","","1.89","","","","",""
"","12" Pizza Pan","Kitchen Shop","","","","1","","9.99","","","","",""
"","Cheddar","Market","Dairy","","","1","","4.10","","","","",""
"","Apples","Market","Produce","","","6","","0.50","","","","",""
"","Bananas","MARKET","Produce","","","12","","0.25","","","","",""
)"));
}

TEST_F(GroceryExport, ControlCharactersFromAForeignFileNeverBreakALine) {
  StartEditingItem(c, 0);
  SetItemText(c.editBuffer, 0, GroceryField::kName, "Pan\tlid\r\nset");
  StoreGroceryItem(c, kSaveItem);
  const std::string tab = Export(kExportTabDelimited);
  EXPECT_NE(tab.find("Kitchen Shop\t\t1\tPan lid  set\t9.99\r\n"), std::string::npos);
}

TEST_F(GroceryExport, AnEmptyListWritesTheHeadingOnly) {
  StartNewList(c, NewListChoice::kZero);
  EXPECT_EQ(Export(kExportText), Crlf("Grocery List:  $ 0.00    (Mar 14, 2026)\n"));
  EXPECT_EQ(Export(kExportCsv), "");
}

TEST_F(GroceryExport, ExportGroceryListReplacesTheFileAndShowsTheListFromTheTop) {
  SetTodayForTesting(date);
  const std::string path = folder.File("list.csv");
  testing::WriteBytes(path, std::vector<uint8_t>(5000, 'x'));
  c.currentRow = 3;
  ASSERT_TRUE(ExportGroceryList(c, path, kExportCsv));
  SetTodayForTesting(std::nullopt);
  const std::vector<uint8_t> bytes = ReadBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Export(kExportCsv));
  EXPECT_EQ(c.currentRow, 0);
  EXPECT_FALSE(ExportGroceryList(c, folder.File("no such folder/list.csv"), kExportCsv));
}

TEST_F(GroceryExport, ThePrintedListHasHeadingsLabelsAndCostsOnlyWhereThereAreAny) {
  StartEditingItem(c, 300);  // Bread costs nothing on paper
  SaveEditedItem(c, {"Bread", "", "Bakery", "0", "1"});
  const GroceryPrintHeading heading = GroceryPrintHeadingFor(c.listTotal, date);
  EXPECT_EQ(heading.title, "Grocery List:  $ 23.87");
  EXPECT_EQ(heading.date, "Mar 14 2026");
  std::vector<std::string> shown;
  for (const GroceryPrintLine& line : GroceryPrintLines(c, ShoppingListInOrder(c)))
    shown.push_back(line.storeHeading ? "# " + line.text
                                      : line.label + "|" + line.quantity + "|" + line.text + "|" + line.cost);
  EXPECT_EQ(shown, (std::vector<std::string>{"Bakery:|1|Bread|", "# Corner Shop", "Dairy:|2|Milk|1.89",
                                             "# Kitchen Shop", ":|1|12\" Pizza Pan|9.99", "# Market",
                                             "Dairy:|1|Cheddar|4.10", "Produce:|6|Apples|0.50", "|12|Bananas|0.25"}));
}

TEST_F(GroceryExport, PrintedPagesNeverEndOnAStoreHeading) {
  const std::vector<GroceryPrintLine> lines = GroceryPrintLines(c, ShoppingListInOrder(c));
  ASSERT_EQ(lines.size(), 9u);
  std::vector<size_t> sizes;
  for (const auto& page : GroceryPrintPages(lines, 3)) sizes.push_back(page.size());
  EXPECT_EQ(sizes, (std::vector<size_t>{3, 2, 3, 1}));  // "Market" waits for its items on page 3
  sizes.clear();
  for (const auto& page : GroceryPrintPages(lines, 0)) sizes.push_back(page.size());
  EXPECT_EQ(sizes.size(), 9u);
  EXPECT_TRUE(GroceryPrintPages({}, 40).empty());
}

TEST(GroceryExportFileName, ExtensionsAreAddedUnlessTheNameEndsInOne) {
  EXPECT_EQ(GroceryExportFileName("list", kExportTabDelimited), "list.txt");
  EXPECT_EQ(GroceryExportFileName("list.CSV", kExportCsv), "list.CSV");
  EXPECT_EQ(GroceryExportFileName("list.txt", kExportSplashShopper), "list.txt.csv");
  EXPECT_EQ(GroceryExportFileName("", kExportCsvWithNames), "Grocery List.csv");
  EXPECT_EQ(GroceryExportFileName("", kExportIndentedList), "Grocery List.txt");
  EXPECT_EQ(GroceryExportExtension(kExportText), ".txt");
  EXPECT_EQ(GroceryExportExtension(kExportSplashShopper), ".csv");
}

}  // namespace
}  // namespace tovalia
