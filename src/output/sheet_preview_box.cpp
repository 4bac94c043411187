#include "output/sheet_preview_box.h"

#include <algorithm>

#include "output/print_record.h"
#include "output/print_run.h"
#include "platform/cairo_print_device.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/message_box.h"
#include "ui/theme.h"

namespace tovalia {

void ShowFirstSheet(App& app, const ByteBuffer& record, const std::vector<int32_t>& entries) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  const PaperSetup paper = RecordPaper(record);
  // The sheet as large as the window allows, below a caption, above a button.
  const int roomWidth = canvas.Width() - 80, roomHeight = canvas.Height() - 150;
  const double pixelsPerInch = std::min(roomWidth * 1000.0 / paper.width, roomHeight * 1000.0 / paper.height);
  PrinterInfo printer;
  if (!app.printers->OpenPrinter(PrinterName(record), paper, printer)) app.printers->OpenPrinter(kSaveAsPdfPrinter, paper, printer);
  auto device = CairoPrintDevice::ToImages(printer, paper, pixelsPerInch);
  PrintOnDevice(app.db, record, *device, entries, 1);
  device->EndDocument();
  if (device->Pages().empty()) return ShowNotice(app.ui, "There is nothing to print?");
  const Image& sheet = device->Pages().front();

  const Rect box = CentredBox(ui, sheet.width + 40, sheet.height + 100);
  const Rect close{box.x + box.width / 2 - 40, box.y + box.height - 40, 80, 27};
  const SavedArea saved = OpenBox(ui, box);
  for (;;) {
    DrawBox(ui, box);
    canvas.SetFont({FontFamily::kSans, 16, true});
    canvas.DrawTextCentred({box.x, box.y + 10, box.width, 24}, "The first sheet as it will print", theme::kInk);
    canvas.FillRect({box.x + 23, box.y + 47, sheet.width, sheet.height}, 0xB9AE9A);
    canvas.DrawImage(sheet, box.x + 20, box.y + 44);
    DrawButton(ui, close, "Close");
    ShowAndWait(ui);
    if (ui.input.quitFlag || ButtonActivated(ui, "Close", close, 1) || ui.input.typedCharacter == typed::kEnter ||
        ui.input.typedCharacter == typed::kEscape)
      break;
  }
  CloseBox(ui, saved);
}

}  // namespace tovalia
