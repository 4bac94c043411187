// `tovalia grocery ...`: the catalogue and the shopping list from the
// command line, the refusals that touch nothing, and the folder lock.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/command_line.h"
#include "db/clock.h"
#include "db/data_folder_lock.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "support/recording_printer.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class GroceryCommand : public ::testing::Test {
 protected:
  TempFolder folder;
  Outcome Tovalia(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path(), "--wait", "0.2"});
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
  }
  Outcome Grocery(std::vector<std::string> args) {
    args.insert(args.begin(), "grocery");
    return Tovalia(std::move(args));
  }
  std::vector<uint8_t> File() { return ReadBytes(folder.File("Grocer30.dat")); }
  void SetUp() override {
    ASSERT_EQ(Grocery({"add", "Milk", "--store", "Corner Shop", "--location", "Dairy", "--cost", "1.89",
                       "--default", "2"}).out, "0\n");
    ASSERT_EQ(Grocery({"add", "Apples", "--store", "Market", "--location", "Produce", "--cost", "0.50"}).out, "1\n");
    ASSERT_EQ(Grocery({"add", "Crème fraîche", "--cost", "2"}).out, "2\n");
  }
};

TEST_F(GroceryCommand, AddListSetAndDelete) {
  EXPECT_EQ(Grocery({"list"}).out,
            "1\t0\tApples\tMarket\tProduce\t0.50\t0\n"
            "2\t0\tCrème fraîche\t\t\t2.00\t0\n"
            "0\t0\tMilk\tCorner Shop\tDairy\t1.89\t2\n");
  EXPECT_EQ(File()[101], 'C');  // stored as CP1252: "Crème" is 5 bytes
  EXPECT_EQ(File()[100], 13);
  EXPECT_EQ(Grocery({"set", "apples", "--quantity", "3"}).status, kExitOk);
  EXPECT_EQ(Grocery({"set", "0", "--quantity", "1"}).status, kExitOk);
  EXPECT_EQ(Grocery({"list", "--selected"}).out,
            "1\t3\tApples\tMarket\tProduce\t0.50\t0\n0\t1\tMilk\tCorner Shop\tDairy\t1.89\t2\n");
  EXPECT_EQ(Grocery({"delete", "Crème fraîche"}).status, kExitOk);
  EXPECT_EQ(Grocery({"list"}).out.find("Crème"), std::string::npos);
  EXPECT_EQ(File().size(), 200u);
}

TEST_F(GroceryCommand, NamesThatAreNumbersAndNamesThatAreShared) {
  Grocery({"add", "7"});
  Grocery({"add", "APPLES"});
  Outcome shared = Grocery({"set", "Apples", "--quantity", "2"});
  EXPECT_EQ(shared.status, kExitFailed);
  EXPECT_NE(shared.err.find("2 grocery items are named \"Apples\"; give one of their numbers: 1 4."), std::string::npos)
      << shared.err;
  EXPECT_EQ(Grocery({"set", "4", "--quantity", "2"}).status, kExitOk);   // the id
  EXPECT_EQ(Grocery({"set", "7", "--quantity", "5"}).status, kExitOk);   // no id 7: the name
  EXPECT_EQ(Grocery({"list", "--selected"}).out,
            "3\t5\t7\t\t\t0.00\t0\n4\t2\tAPPLES\t\t\t0.00\t0\n");
  Outcome missing = Grocery({"delete", "Pears"});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_NE(missing.err.find("No grocery item is named or numbered \"Pears\""), std::string::npos);
}

TEST_F(GroceryCommand, WrongArgumentsAreRefusedBeforeAnythingIsTouched) {
  const std::vector<uint8_t> before = File();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"shop"},
           {"add"},
           {"add", "   "},
           {"add", "A name longer than twenty-five"},
           {"add", "Tea", "--store", "A store name too long"},
           {"add", "Tea", "--cost", "-1"},
           {"add", "Tea", "--cost", "1e2"},
           {"add", "Tea", "--cost", "327.68"},
           {"add", "Tea", "--default", "256"},
           {"add", "Tea\tbags"},
           {"set", "Milk"},
           {"set", "Milk", "--quantity", "300"},
           {"find"},
           {"find", "  "},
           {"find", "milk", "--field", "aisle"},
           {"new-list", "--all"},
           {"export"},
           {"export", "--format", "pdf"},
           {"print", "--colour"},
           {"add-recipe"},
           {"add-recipe", "x"},
       }) {
    Outcome refused = Grocery(args);
    EXPECT_EQ(refused.status, kExitUsage) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(refused.err.empty());
  }
  EXPECT_EQ(File(), before);
  EXPECT_EQ(Grocery({"add", "Saffron", "--cost", "327.67"}).status, kExitOk);
}

TEST_F(GroceryCommand, FindMarksTheItemsAndListsThem) {
  EXPECT_EQ(Grocery({"find", "SHOP", "--field", "store"}).out, "0\t0\tMilk\tCorner Shop\tDairy\t1.89\t2\n");
  EXPECT_EQ(Grocery({"list", "--found"}).out, "0\t0\tMilk\tCorner Shop\tDairy\t1.89\t2\n");
  EXPECT_EQ(Grocery({"find", "è"}).out, "2\t0\tCrème fraîche\t\t\t2.00\t0\n");
}

TEST_F(GroceryCommand, NewListAndExportInEveryFormat) {
  EXPECT_EQ(Grocery({"new-list"}).status, kExitOk);
  EXPECT_EQ(Grocery({"list", "--selected"}).out, "0\t2\tMilk\tCorner Shop\tDairy\t1.89\t2\n");
  EXPECT_EQ(Grocery({"new-list", "--one"}).status, kExitOk);
  EXPECT_EQ(Grocery({"export", "--format", "csv-names"}).out,
            "Store,Location,Quantity,Item,Cost\r\n\"\",\"\",\"1\",\"Crème fraîche\",\"2.00\"\r\n"
            "\"Corner Shop\",\"Dairy\",\"1\",\"Milk\",\"1.89\"\r\n\"Market\",\"Produce\",\"1\",\"Apples\",\"0.50\"\r\n");

  Outcome written = Grocery({"export", "--format", "tab", "--output", folder.File("list")});
  EXPECT_EQ(written.status, kExitOk);
  EXPECT_EQ(written.out, folder.File("list.txt") + "\n");
  const std::vector<uint8_t> bytes = ReadBytes(folder.File("list.txt"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "\t\t1\tCr\xE8me fra\xEE" "che\t2.00\r\nCorner Shop\tDairy\t1\tMilk\t1.89\r\n"
            "Market\tProduce\t1\tApples\t0.50\r\n");
  EXPECT_EQ(Grocery({"export", "--format", "splashshopper", "--output", folder.File("list.CSV")}).out,
            folder.File("list.CSV") + "\n");
  for (const char* format : {"csv", "indented"})
    EXPECT_EQ(Grocery({"export", "--format", format, "--output", folder.File("list")}).status, kExitOk);
  EXPECT_TRUE(testing::Exists(folder.File("list.csv")));
  Outcome nowhere = Grocery({"export", "--format", "csv", "--output", folder.File("none/list.csv")});
  EXPECT_EQ(nowhere.status, kExitFailed);
  EXPECT_NE(nowhere.err.find("There is no folder"), std::string::npos);
}

TEST_F(GroceryCommand, PrintSavesAPdfWithTheMealsWhenAskedOrSaysWhatStandsInItsWay) {
  const std::string pdf = folder.File("list.pdf");
  Outcome empty = Grocery({"print", "--output", pdf});
  EXPECT_EQ(empty.status, kExitFailed);
  EXPECT_NE(empty.err.find("No items have been selected for the grocery list."), std::string::npos);
  Grocery({"set", "Milk", "--quantity", "1"});
  Outcome unknown = Grocery({"print", "--printer", "Nowhere"});
  EXPECT_EQ(unknown.status, kExitFailed);
  EXPECT_NE(unknown.err.find("There is no printer named \"Nowhere\"."), std::string::npos);
  Outcome noFile = Grocery({"print", "--printer", "Save as PDF"});
  EXPECT_EQ(noFile.status, kExitFailed);
  EXPECT_NE(noFile.err.find("needs the file: --output FILE.pdf"), std::string::npos);
  EXPECT_EQ(Grocery({"print", "--pdf", pdf}).status, kExitUsage);
  EXPECT_FALSE(testing::Exists(pdf));

  Outcome saved = Grocery({"print", "--output", pdf});
  ASSERT_EQ(saved.status, kExitOk) << saved.err;
  EXPECT_EQ(saved.out, "printer\tSave as PDF\nitems\t1\npages\t1\nfile\t" + pdf + "\n");
  EXPECT_TRUE(testing::Exists(pdf));

  // "Print meal list after groceries" set in the window: the meals follow.
  {
    Settings settings(folder.File("Setup50.dat"));
    testing::FakePrinters printers;
    ByteBuffer record = NewPrintRecord();
    LayoutDefaults(record, kGroceryListLayout, printers);
    SetU8(record, print_field::kPhotos, 1);
    StorePrintRecord(settings, record);
  }
  const LocalDate today = Today();
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", today.year, today.month, today.day);
  ASSERT_EQ(Tovalia({"meals", "add", date, "--note", "Soup"}).status, kExitOk);
  ASSERT_EQ(Tovalia({"meals", "add", date, "--note", "Bread"}).status, kExitOk);
  saved = Grocery({"print", "--output", folder.File("both")});
  ASSERT_EQ(saved.status, kExitOk) << saved.err;
  EXPECT_EQ(saved.out, "printer\tSave as PDF\nitems\t1\nmeals\t2\npages\t2\nfile\t" + folder.File("both") + "\n");
  EXPECT_TRUE(testing::Exists(folder.File("both")));
}

TEST_F(GroceryCommand, RecipesPutTheirIngredientsOnTheList) {
  ASSERT_EQ(Tovalia({"add-chapter", "Breakfast"}).status, kExitOk);
  testing::WriteBytes(folder.File("i.txt"), std::vector<uint8_t>{'2', ' ', 'c', ' ', 'm', 'i', 'l', 'k', '\n',
                                                                  '3', ' ', 'e', 'g', 'g', 's', '\n'});
  ASSERT_EQ(Tovalia({"add-recipe", "--chapter", "1", "--title", "Pancakes", "--ingredients", folder.File("i.txt")}).out,
            "1\n");
  Outcome added = Grocery({"add-recipe", "1"});
  EXPECT_EQ(added.status, kExitOk) << added.err;
  EXPECT_EQ(added.out, "1 recipe: 1 items raised by one, 1 items added\n");
  EXPECT_EQ(Grocery({"list", "--selected"}).out,
            "3\t1\teggs\t\t\t0.00\t0\n0\t1\tMilk\tCorner Shop\tDairy\t1.89\t2\n");
  Outcome unknown = Grocery({"add-recipe", "1", "99"});
  EXPECT_EQ(unknown.status, kExitFailed);
  EXPECT_NE(unknown.err.find("no recipe or text with the number 99"), std::string::npos);
  EXPECT_EQ(Grocery({"list", "--selected"}).out.find("\t2\teggs"), std::string::npos);  // nothing was added
}

TEST_F(GroceryCommand, WritersTakeTheFolderAloneAndListingShares) {
  DataFolderLock reader(folder.Path());
  ASSERT_TRUE(reader.Acquire(FolderAccess::kRead, 0));
  EXPECT_EQ(Grocery({"list"}).status, kExitOk);
  EXPECT_EQ(Grocery({"export", "--format", "csv"}).status, kExitOk);
  const std::vector<uint8_t> before = File();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"add", "Tea"}, {"set", "Milk", "--quantity", "1"}, {"delete", "Milk"},
           {"find", "milk"}, {"new-list"}, {"add-recipe", "1"}}) {
    Outcome refused = Grocery(args);
    EXPECT_EQ(refused.status, kExitFailed) << args[0];
    EXPECT_NE(refused.err.find("close it first"), std::string::npos) << refused.err;
  }
  EXPECT_EQ(File(), before);
}

TEST_F(GroceryCommand, AnUnreadableCatalogueIsReportedAndKept) {
  std::remove(folder.File("Grocer30.dat").c_str());
  std::filesystem::create_directory(folder.File("Grocer30.dat"));
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"list"}, {"add", "Tea"}, {"new-list"}, {"export", "--format", "text"}}) {
    Outcome refused = Grocery(args);
    EXPECT_EQ(refused.status, kExitFailed) << args[0];
    EXPECT_NE(refused.err.find("cannot be read"), std::string::npos) << refused.err;
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("Grocer30.dat")));
}

}  // namespace
}  // namespace tovalia
