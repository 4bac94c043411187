// The print settings records in Setup50.dat, byte for byte, and the
// placing of the cards: applying a layout, arrow steps, spacing, dragging.
#include "output/print_record.h"

#include <gtest/gtest.h>

#include "output/print_geometry.h"
#include "output/print_layouts.h"
#include "support/recording_printer.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::FakePrinters;
using testing::I32At;
using testing::ReadBytes;
using testing::TempFolder;
using testing::U16At;
using namespace print_field;

class PrintRecords : public ::testing::Test {
 protected:
  PrintRecords() : settings(folder.File("Setup50.dat")), record(NewPrintRecord()) {
    PrinterInfo laser;
    laser.dpiX = 1200;
    laser.dpiY = 600;
    printers.printers["Kitchen Laser"] = laser;
    printers.defaultPrinter = "Kitchen Laser";
  }
  // The stored record of that number, as bytes.
  std::vector<uint8_t> Stored(int32_t number) {
    std::vector<uint8_t> bytes = ReadBytes(settings.path);
    for (size_t p = 0; p + 8 <= bytes.size(); p += static_cast<size_t>(I32At(bytes, p)))
      if (I32At(bytes, p + 4) == number)
        return std::vector<uint8_t>(bytes.begin() + static_cast<long>(p),
                                    bytes.begin() + static_cast<long>(p) + I32At(bytes, p));
    return {};
  }
  SheetSize Open(int32_t id) {
    LoadPrintRecord(settings, id, record, printers);
    return ApplyLayout(record);
  }

  TempFolder folder;
  Settings settings;
  FakePrinters printers;
  ByteBuffer record;
};

TEST_F(PrintRecords, FirstUseCreatesLayoutFiftyWithTheDefaultPrinterAndArial) {
  EXPECT_EQ(CurrentRecipeLayout(settings), 50);
  EXPECT_EQ(Stored(6), (std::vector<uint8_t>{12, 0, 0, 0, 6, 0, 0, 0, 50, 0, 0, 0}));
  Open(50);
  ASSERT_TRUE(StorePrintRecord(settings, record));
  const std::vector<uint8_t> b = Stored(50);
  ASSERT_EQ(b.size(), 556u);  // 400 + a device-mode block of 156 bytes
  EXPECT_EQ(I32At(b, 0), 556);
  EXPECT_EQ(I32At(b, 4), 50);
  EXPECT_EQ(I32At(b, 8), 750);
  EXPECT_EQ(I32At(b, 12), 500);
  EXPECT_EQ(I32At(b, 16), 11);
  EXPECT_EQ(b[20], 0);  // one recipe per card
  EXPECT_EQ(b[21], 0);  // outlines
  EXPECT_EQ(U16At(b, 22), 1);
  EXPECT_EQ(I32At(b, 24), 7000);
  EXPECT_EQ(I32At(b, 28), 10000);
  EXPECT_EQ(I32At(b, 32), 1);
  EXPECT_EQ(I32At(b, 36), 1);
  EXPECT_EQ(b[40], 1);  // photos
  EXPECT_EQ(b[41], 0);  // separate columns
  EXPECT_EQ(I32At(b, 44), 0);
  EXPECT_EQ(I32At(b, 48), 0);
  EXPECT_EQ(b[100], 13);
  EXPECT_EQ(std::string(b.begin() + 101, b.begin() + 114), "Kitchen Laser");
  EXPECT_EQ(I32At(b, 300), 11);   // font height
  EXPECT_EQ(I32At(b, 316), 400);  // weight
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[328])), "Arial");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[400])), "Kitchen Laser");
  EXPECT_EQ(U16At(b, 436), 156);   // the block's own size
  EXPECT_EQ(U16At(b, 444), 1);     // orientation
  EXPECT_EQ(U16At(b, 446), 1);     // letter
  EXPECT_EQ(U16At(b, 448), 0);
  EXPECT_EQ(U16At(b, 450), 0);
  EXPECT_EQ(U16At(b, 458), 1200);  // resolution
  EXPECT_EQ(U16At(b, 464), 600);
  for (size_t offset : {size_t{42}, size_t{52}, size_t{99}, size_t{114}, size_t{299}, size_t{334}, size_t{399}})
    EXPECT_EQ(b[offset], 0) << offset;
}

TEST_F(PrintRecords, ADefaultPrinterThatCannotBeOpenedLeavesNoPrinterAndLength400) {
  printers.defaultPrinter = "Gone";
  Open(57);
  EXPECT_EQ(GetI32(record, kLength), 400);
  EXPECT_EQ(PrinterName(record), "");
  EXPECT_FALSE(HasDeviceMode(record));
  StorePrintRecord(settings, record);
  EXPECT_EQ(Stored(57).size(), 400u);
}

TEST_F(PrintRecords, TheListLayoutsStartAtAQuarterInchWithTheirFontSizes) {
  Open(70);
  EXPECT_EQ(GetI32(record, kLeft), 250);
  EXPECT_EQ(GetI32(record, kTop), 250);
  EXPECT_EQ(GetI32(record, kCardWidth), 7500);
  EXPECT_EQ(GetI32(record, kCardHeight), 10000);
  EXPECT_EQ(FontSize(record), 11);
  Open(80);
  EXPECT_EQ(FontSize(record), 14);
  EXPECT_EQ(GetU16(record, kOrientation), 1);
}

TEST_F(PrintRecords, EachLayoutKeepsItsOwnRecordAndRecordSixIsReadBack) {
  Open(55);
  SetI32(record, kLeft, 1000);
  StorePrintRecord(settings, record);
  Open(58);
  StorePrintRecord(settings, record);
  PutNumberSetting(settings, setting::kPrintLayout, 58);
  EXPECT_EQ(CurrentRecipeLayout(settings), 58);
  Open(55);
  EXPECT_EQ(GetI32(record, kLeft), 1000);
  // A record filed under another number than its own id is not trusted.
  Open(58);
  SetI32(record, kLayoutId, 58);
  SetI32(record, kLeft, 4000);
  SetI32(settings.settingsBuffer, 0, 0);
  PutNumberSetting(settings, setting::kPrintLayout, 12);
  EXPECT_EQ(CurrentRecipeLayout(settings), 50);
}

TEST(PrintLayouts, TheTenNamesInOrderKeepTheirDoubleBlanks) {
  EXPECT_EQ(RecipeLayoutNames(),
            "Letter, Full Page|3x5 Card|4x6 Card|5x8 Card|3x5 Cards, 3 per page  (Avery 5388)|"
            "3x5 Cards, 4 per page|4x6 Cards, 2 per page  (Avery 5389 or 8386)|5x8 Cards, 2 per page|"
            "Booklet, 2 per page|A4, Full Page");
}

TEST_F(PrintRecords, ApplyingALayoutSnapsPositionsToTheEighthInchGrid) {
  Open(50);
  SetI32(record, kTop, 2650);
  SetI32(record, kLeft, 2640);
  ApplyLayout(record);
  EXPECT_EQ(GetI32(record, kTop), 2750);
  EXPECT_EQ(GetI32(record, kLeft), 2625);
}

TEST_F(PrintRecords, AFourPaperAndItsSheet) {
  const SheetSize sheet = Open(59);
  EXPECT_EQ(sheet.width, 8270);
  EXPECT_EQ(sheet.height, 11690);
  EXPECT_EQ(GetU16(record, kDeviceMode + device_mode::kPaperSize), 9);
  EXPECT_EQ(RecordPaper(record).paperCode, 9);
  const SheetSize landscape = Open(55);
  EXPECT_EQ(landscape.width, 11000);
  EXPECT_EQ(GetU16(record, kDeviceMode + device_mode::kPaperSize), 1);
  EXPECT_TRUE(RecordPaper(record).landscape);
}

TEST_F(PrintRecords, FixedSpacingComesBackAfterEveryStep) {
  const SheetSize sheet = Open(58);
  LayoutDefaults(record, 58, printers);
  ApplyLayout(record);
  EXPECT_EQ(GetI32(record, kHorizontalSpacing), 750);
  EXPECT_EQ(GetI32(record, kVerticalSpacing), 0);
  StepSpacing(record, sheet, Direction::kDown);
  ApplyLayout(record);
  EXPECT_EQ(GetI32(record, kVerticalSpacing), 0);
  StepSpacing(record, sheet, Direction::kRight);
  ApplyLayout(record);
  EXPECT_EQ(GetI32(record, kHorizontalSpacing), 875);
  // The widest gap keeps the second booklet page on the sheet.
  for (int i = 0; i < 40; ++i) StepSpacing(record, sheet, Direction::kRight);
  EXPECT_EQ(GetI32(record, kHorizontalSpacing), 1125);  // (11000 - 375 - 9500) / 1 floored to the grid
  for (int i = 0; i < 40; ++i) StepSpacing(record, sheet, Direction::kLeft);
  EXPECT_EQ(GetI32(record, kHorizontalSpacing), 0);
}

TEST_F(PrintRecords, ArrowsKeepTheBlockOnTheSheet) {
  const SheetSize sheet = Open(55);  // 2 x 2 cards of 5000 x 3000 on 11000 x 8500
  for (int i = 0; i < 100; ++i) StepPosition(record, sheet, Direction::kRight);
  EXPECT_EQ(GetI32(record, kLeft), 1000);
  for (int i = 0; i < 100; ++i) StepPosition(record, sheet, Direction::kDown);
  EXPECT_EQ(GetI32(record, kTop), 2500);
  SetI32(record, kLeft, 130);
  StepPosition(record, sheet, Direction::kLeft);
  EXPECT_EQ(GetI32(record, kLeft), 0);
  StepPosition(record, sheet, Direction::kLeft);
  EXPECT_EQ(GetI32(record, kLeft), 0);
  SetI32(record, kTop, 260);
  StepPosition(record, sheet, Direction::kUp);
  EXPECT_EQ(GetI32(record, kTop), 125);
  // A layout one card across has no spacing to widen.
  const SheetSize page = Open(50);
  StepSpacing(record, page, Direction::kRight);
  EXPECT_EQ(GetI32(record, kHorizontalSpacing), 0);
}

TEST_F(PrintRecords, DraggingTheFirstCardMovesTheBlockAndALaterCardTheSpacing) {
  const SheetSize sheet = Open(55);
  const ByteBuffer start = CopyPrintRecord(record);
  CardCell cell;
  ASSERT_TRUE(CardAt(record, 600, 1300, cell));
  EXPECT_EQ(cell.column, 0);
  EXPECT_EQ(cell.row, 0);
  DragTo(record, start, sheet, cell, 7, 3, true);  // 350 and 150 thousandths
  EXPECT_EQ(GetI32(record, kLeft), 750);
  EXPECT_EQ(GetI32(record, kTop), 1375);
  DragTo(record, start, sheet, cell, -100, 900, true);
  EXPECT_EQ(GetI32(record, kLeft), 0);
  EXPECT_EQ(GetI32(record, kTop), 2500);

  const ByteBuffer second = CopyPrintRecord(record);
  ASSERT_TRUE(CardAt(record, 5500, 5600, cell));  // the card at the bottom right
  EXPECT_EQ(cell.column, 1);
  EXPECT_EQ(cell.row, 1);
  DragTo(record, second, sheet, cell, 10, -4, true);
  EXPECT_EQ(GetI32(record, kHorizontalSpacing), 500);
  EXPECT_EQ(GetI32(record, kVerticalSpacing), 0);
  EXPECT_FALSE(CardAt(record, 10900, 100, cell));
}

TEST_F(PrintRecords, TheListScreenRecordMovesOnlyAsABlock) {
  const SheetSize sheet = Open(70);
  const ByteBuffer start = CopyPrintRecord(record);
  CardCell cell;
  ASSERT_TRUE(CardAt(record, 300, 300, cell));
  DragTo(record, start, sheet, cell, 40, 40, false);
  EXPECT_EQ(GetI32(record, kLeft), 1000);  // at most 8500 - 7500
  EXPECT_EQ(GetI32(record, kTop), 1000);
}

}  // namespace
}  // namespace tovalia
