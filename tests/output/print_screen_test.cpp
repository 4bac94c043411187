// The "Print Recipes" screen through the real program, headless at
// 1024 x 767: the letter sheet's preview is 170 x 220 pixels from (207, 298),
// and the list print setup in process.
#include "output/print_screen.h"

#include <gtest/gtest.h>

#include "output/list_print_screen.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "support/collection.h"
#include "support/program_run.h"
#include "support/recording_printer.h"
#include "support/scripted_ui.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::FakePrinters;
using namespace print_field;

class PrintScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    program.Cli({"add-chapter", "Cakes"});
    program.Cli({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée", "--servings", "6", "--ingredients",
                 program.File("i.txt", "2 cups cream\n5 egg yolks\n"), "--directions", program.File("d.txt", "Bake.\n")});
    program.Cli({"add-recipe", "--chapter", "1", "--title", "Scones", "--ingredients", program.File("s.txt", "2 cups flour\n")});
  }
  // The stored record of a layout, as the next opening would read it.
  ByteBuffer Stored(int32_t id) {
    Settings settings(program.Data().File("Setup50.dat"));
    ByteBuffer record = NewPrintRecord();
    LoadSetting(settings, id);
    MoveBytes(settings.settingsBuffer, 0, record, 0, record.Size());
    return record;
  }
  void Store(const ByteBuffer& record) {
    Settings settings(program.Data().File("Setup50.dat"));
    StorePrintRecord(settings, record);
  }
  testing::ProgramRun::Outcome Run(const std::string& script, const std::string& options = "") {
    return program.Run(script, options);
  }
  static constexpr char kOpenCakesAndPrint[] = "click 100 183\npress Print\nexpect Print Recipes\n";

  testing::ProgramRun program;
};

TEST_F(PrintScreen, FirstUseOpensLetterFullPageAndCancelKeepsTheMovedCards) {
  auto run = Run(std::string(kOpenCakesAndPrint) +
                 "expect Letter, Full Page\nexpect Save as PDF\nexpect Arial\nexpect 11 point\n"
                 "expect Drag preview to adjust card position and spacing.\n"
                 "key Right\nkey Up\nexpect 0.875\nexpect 0.375\n"
                 "key Right\nkey Right\nkey Right\nkey Right\nkey Right\nexpect 1.500\n"  // the right edge
                 "press Cancel\nexpect Locate Duplicates\npress Print\nexpect 1.500\nexpect 0.375\n"
                 "drag 300 400 200 395\nexpect 0.000\nexpect 0.125\n"  // to the corner, kept on the sheet
                 "press Cancel\n");
  EXPECT_EQ(run.status, 0) << run.err;
  Settings settings(program.Data().File("Setup50.dat"));
  EXPECT_EQ(GetNumberSetting(settings, setting::kPrintLayout), 50);
  ByteBuffer record = Stored(50);
  EXPECT_EQ(GetI32(record, kLeft), 0);
  EXPECT_EQ(GetI32(record, kTop), 125);
  EXPECT_EQ(PrinterName(record), "Save as PDF");
  EXPECT_EQ(GetI32(record, kLength), 556);
}

TEST_F(PrintScreen, TheBookletKeepsItsVerticalSpacingAtZeroAndEachLayoutItsOwnRecord) {
  auto run = Run(std::string(kOpenCakesAndPrint) +
                 "press Layout:\nexpect Choose a Layout\n"
                 "key Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Enter\n"
                 "expect Booklet, 2 per page\n"
                 "key ctrl+Right\nkey ctrl+Down\nkey ctrl+Down\npress Defaults\n"
                 "key ctrl+Down\nkey ctrl+Right\nexpect 0.875\n"
                 "press One Recipe Per Card\npress Print Card Outlines\n"
                 "press Layout:\nkey End\nkey Enter\nexpect A4, Full Page\npress Cancel\n");
  EXPECT_EQ(run.status, 0) << run.err;
  ByteBuffer booklet = Stored(58);
  EXPECT_EQ(GetI32(booklet, kHorizontalSpacing), 875);
  EXPECT_EQ(GetI32(booklet, kVerticalSpacing), 0);
  EXPECT_EQ(GetU8(booklet, kOnePerCard), 1);
  EXPECT_EQ(GetU8(booklet, kOutlines), 1);
  ByteBuffer a4 = Stored(59);
  EXPECT_EQ(GetU16(a4, kDeviceMode + device_mode::kPaperSize), 9);
  Settings settings(program.Data().File("Setup50.dat"));
  EXPECT_EQ(GetNumberSetting(settings, setting::kPrintLayout), 59);
}

TEST_F(PrintScreen, OkWantsAPrinterAndAFontThenSavesTheTickedRecipesAsPdf) {
  Settings settings(program.Data().File("Setup50.dat"));
  PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  FakePrinters none;
  none.defaultPrinter = "Gone";  // the default printer cannot be opened
  ByteBuffer record = NewPrintRecord();
  LayoutDefaults(record, 55, none);
  SetFontFace(record, "");
  Store(record);
  PutNumberSetting(settings, setting::kPrintLayout, 55);
  auto run = Run(std::string(kOpenCakesAndPrint) +
                 "expect NONE SELECTED\n"
                 "press OK\nexpect You must select a printer and\nexpect a font before you can print\npress OK\n"
                 "press Font:\nexpect You must select a printer first\npress OK\n"
                 "press Printer:\nexpect Choose a Printer\nkey Enter\nexpect Save as PDF\n"
                 "press Font:\nexpect Choose a Font\nkey Enter\n"
                 "press Font Size:\nkey Down\nkey Down\nkey Enter\nexpect 13 point\n"
                 "press OK\nexpect Where do you want to save your PDF?\nkey Escape\ntype cards\nkey Enter\n"
                 "expect Locate Duplicates\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Exists(program.Temp().File("cards.pdf")));
  EXPECT_EQ(FontSize(Stored(55)), 13);
  EXPECT_FALSE(FontFace(Stored(55)).empty());
}

TEST_F(PrintScreen, TheRecipeScreenPrintsItsRecipeAndThePreviewShowsTheFirstSheet) {
  Settings settings(program.Data().File("Setup50.dat"));
  PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  auto run = Run("click 100 183\ntype r\nexpect Crème Brûlée\ntype p\nexpect Print Recipes\n"
                 "press Preview\nexpect The first sheet as it will print\npress Close\n"
                 "press OK\nkey Escape\ntype brulee.PDF\nkey Enter\nexpect Crème Brûlée\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Exists(program.Temp().File("brulee.PDF")));
}

TEST_F(PrintScreen, ALongPrinterNameEndsInAnEllipsisAtTheWindowsEdge) {
  FakePrinters printers;
  ByteBuffer record = NewPrintRecord();
  LayoutDefaults(record, 50, printers);
  PrinterInfo wide;
  wide.name = "Office_Colour_LaserJet_Second_Floor_Near_The_Kitchen_Window";
  SetPrinter(record, wide);
  Store(record);
  auto run = Run(std::string(kOpenCakesAndPrint) + "expect Office_Colour_LaserJet\nexpect ...\n"
                 "absent Near_The_Kitchen_Window\npress Cancel\n", "--screen 800x600");
  EXPECT_EQ(run.status, 0) << run.err;
}

class ListSetup : public ::testing::Test {
 protected:
  int Open(const std::string& script, const std::string& title, int32_t id) {
    testing::ScriptedUi scripted(script, 800, 599);
    App app(scripted.ui(), books.db(), settings, meals);
    app.printers = &printers;
    const int accepted = ListPrintSetup(app, title, id, record);
    passed = scripted.Passed();
    return accepted;
  }
  testing::Collection books;
  Settings settings{books.folder().File("Setup50.dat")};
  MealCalendar meals{books.folder().File("Event40.dat")};
  FakePrinters printers;
  ByteBuffer record;
  bool passed = false;
};

TEST_F(ListSetup, TheGroceryListMovesItsAreaAndAcceptsWithPrinterAndFont) {
  // The sheet's preview starts at (20, 94); the area's corner is 5 pixels in.
  EXPECT_EQ(Open("expect Print Grocery List\nexpect 7.5x10\nexpect Print meal list after groceries\n"
                 "expect Drag preview or use cursor keys to adjust position\nexpect 0.250\n"
                 "key Right\nkey Right\nkey ctrl+Right\nexpect 0.500\n"
                 "drag 100 200 100 210\nexpect 0.750\n"
                 "press Print meal list after groceries\npress OK\n",
                 kGroceryListTitle, kGroceryListLayout),
            1);
  EXPECT_TRUE(passed);
  EXPECT_EQ(GetI32(record, kLeft), 500);
  EXPECT_EQ(GetI32(record, kTop), 750);
  EXPECT_EQ(GetU8(record, kPhotos), 1);
  EXPECT_EQ(GetU16(record, kOrientation), 1);
  EXPECT_EQ(GetU16(record, kDeviceMode + device_mode::kOrientation), 1);
  ByteBuffer stored = NewPrintRecord();
  LoadPrintRecord(settings, kGroceryListLayout, stored, printers);
  EXPECT_EQ(GetI32(stored, kLeft), 500);
}

TEST_F(ListSetup, TheMealListHasNoOptionAndCancelOrNoPrinterIsNotAccepted) {
  EXPECT_EQ(Open("expect Print Meal List\nabsent Print meal list after groceries\nexpect 14 point\nkey Down\npress Cancel\n",
                 kMealListTitle, kMealListLayout),
            0);
  EXPECT_TRUE(passed);
  ByteBuffer kept = NewPrintRecord();
  LoadPrintRecord(settings, kMealListLayout, kept, printers);
  EXPECT_EQ(GetI32(kept, kTop), 375);  // kept after Cancel

  printers.defaultPrinter = "Gone";
  LayoutDefaults(kept, kMealListLayout, printers);
  StorePrintRecord(settings, kept);
  EXPECT_EQ(Open("expect NONE SELECTED\npress OK\nexpect You must select a printer and\npress OK\n"
                 "press Printer:\nkey Enter\nexpect Save as PDF\npress OK\n",
                 kMealListTitle, kMealListLayout),
            1);
  EXPECT_TRUE(passed);
  EXPECT_EQ(GetU16(record, kDeviceMode + device_mode::kPaperSize), 1);
}

}  // namespace
}  // namespace tovalia
