#include "output/list_print_screen.h"

#include "output/print_geometry.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "output/print_setup_view.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/event_wait.h"
#include "ui/frame.h"
#include "ui/message_box.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr char kMealListOption[] = "Print meal list after groceries";
constexpr int kSheetX = 20, kSheetY = theme::kHeaderHeight + 40;

struct Places {
  int valueX;
  Rect option, ok, cancel;
};

Places Arrange() {
  Places p;
  p.valueX = kSheetX + 170 + 170;
  p.option = {p.valueX - 110, 290, 260, 24};
  p.ok = {p.valueX - 20, 340, 80, 28};
  p.cancel = {p.valueX + 70, 340, 80, 28};
  return p;
}

void Draw(App& app, const Places& p, const std::string& title, int32_t id, const ByteBuffer& r,
          const Rect& sheet) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, app.currentScreen);
  const Rect content = ContentRect(ui);
  canvas.FillRoundedRect({10, content.y + 8, canvas.Width() - 20, content.height - 16}, 8, theme::kPaper);
  DrawSheetPreview(canvas, sheet, r);
  canvas.SetFont({FontFamily::kSans, 13, true});
  canvas.DrawTextCentred({sheet.x, sheet.y + sheet.height / 2 + 14, sheet.width, 18}, "7.5x10", theme::kInk);
  const int x = p.valueX;
  canvas.SetFont(theme::HeadingFont());
  canvas.DrawText(x - 110, 70, title, theme::kInk);
  DrawValueRow(canvas, x, 114, "Printer:", NameOrNone(PrinterName(r)), true);
  DrawValueRow(canvas, x, 140, "Font:", NameOrNone(FontFace(r)), true);
  DrawValueRow(canvas, x, 166, "Font Size:", std::to_string(FontSize(r)) + " point", true);
  DrawValueRow(canvas, x, 200, "Top Position:", Inches(GetI32(r, print_field::kTop)), false);
  DrawValueRow(canvas, x, 224, "Left Position:", Inches(GetI32(r, print_field::kLeft)), false);
  canvas.SetFont({FontFamily::kSans, 13, false});
  canvas.DrawText(x - 110, 258, "Drag preview or use cursor keys to adjust position", theme::kMutedInk);
  if (id == kGroceryListLayout) DrawCheckOption(canvas, p.option, kMealListOption, GetU8(r, print_field::kPhotos) != 0);
  DrawButton(ui, p.ok, "OK");
  DrawButton(ui, p.cancel, "Cancel");
}

// A printer for a list prints on letter paper as the driver measures it.
void ChooseListPrinter(App& app, ByteBuffer& r) {
  ChoosePrinter(app, r);
  if (!HasDeviceMode(r)) return;
  SetU16(r, print_field::kDeviceMode + device_mode::kPaperSize, kPaperLetter);
  SetU16(r, print_field::kDeviceMode + device_mode::kPaperLength, 0);
  SetU16(r, print_field::kDeviceMode + device_mode::kPaperWidth, 0);
}

}  // namespace

int ListPrintSetup(App& app, const std::string& title, int32_t recordId, ByteBuffer& record) {
  Ui& ui = app.ui;
  if (record.Size() < kPrintWorkingSize) record = NewPrintRecord();
  LoadPrintRecord(app.settings, recordId, record, *app.printers);
  SheetSize sheet = ApplyLayout(record);
  const Places p = Arrange();
  const Rect sheetRect = SheetAt(kSheetX, kSheetY, sheet);
  int accepted = 0;
  bool done = false;
  while (!done) {
    Draw(app, p, title, recordId, record, sheetRect);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    if (ButtonActivated(ui, "OK", p.ok, 0)) {
      if (PrinterName(record).empty() || FontFace(record).empty()) {
        ShowNotice(ui, "You must select a printer and|a font before you can print");
      } else {
        SetU16(record, print_field::kOrientation, kPortrait);
        if (HasDeviceMode(record)) SetU16(record, print_field::kDeviceMode + device_mode::kOrientation, kPortrait);
        accepted = 1;
        done = true;
      }
    } else if (ButtonActivated(ui, "Cancel", p.cancel, 0)) {
      done = true;
    } else if (ClickedOn(ui, "Printer:")) {
      ChooseListPrinter(app, record);
    } else if (ClickedOn(ui, "Font:")) {
      ChooseFont(app, record);
    } else if (ClickedOn(ui, "Font Size:")) {
      ChooseFontSize(app, record);
    } else if (ArrowKeyStep(in, record, sheet, false)) {
    } else if (in.buttonBits & kLeftButton) {
      if (recordId == kGroceryListLayout && ClickedOn(ui, kMealListOption))
        SetU8(record, print_field::kPhotos, GetU8(record, print_field::kPhotos) ? 0 : 1);
      DragInPreview(ui, record, sheetRect, sheet, false, [&] {
        Draw(app, p, title, recordId, record, sheetRect);
        ui.Show();
      });
    }
  }
  StorePrintRecord(app.settings, record);
  return accepted;
}

}  // namespace tovalia
