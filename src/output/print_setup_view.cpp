#include "output/print_setup_view.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "output/print_record.h"
#include "ui/choice_list.h"
#include "ui/message_box.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr Color kSheetPaper = 0xFFFFFF;
constexpr Color kSheetShadow = 0xB9AE9A;
constexpr Color kCardFill = 0xF3E3CF;
constexpr Color kFirstCardFill = 0xEBCBAA;
constexpr int kRowHeight = 24;

Rect CardRect(const Rect& sheet, const ByteBuffer& r, int column, int row) {
  using namespace print_field;
  const int32_t x = GetI32(r, kLeft) + column * (GetI32(r, kCardWidth) + GetI32(r, kHorizontalSpacing));
  const int32_t y = GetI32(r, kTop) + row * (GetI32(r, kCardHeight) + GetI32(r, kVerticalSpacing));
  return {sheet.x + x / kPreviewScale, sheet.y + y / kPreviewScale, GetI32(r, kCardWidth) / kPreviewScale,
          GetI32(r, kCardHeight) / kPreviewScale};
}

}  // namespace

Rect SheetCentredOn(int x, int y, const SheetSize& sheet) {
  const int width = sheet.width / kPreviewScale, height = sheet.height / kPreviewScale;
  return {x - width / 2, y - height / 2, width, height};
}

Rect SheetAt(int x, int y, const SheetSize& sheet) {
  return {x, y, sheet.width / kPreviewScale, sheet.height / kPreviewScale};
}

void DrawSheetPreview(Canvas& canvas, const Rect& sheet, const ByteBuffer& record) {
  canvas.FillRect({sheet.x + 4, sheet.y + 4, sheet.width, sheet.height}, kSheetShadow);
  canvas.FillRect(sheet, kSheetPaper);
  canvas.StrokeRect(sheet, theme::kButtonEdge);
  canvas.PushClip(sheet);
  const int across = std::max(1, GetI32(record, print_field::kAcross));
  const int down = std::max(1, GetI32(record, print_field::kDown));
  canvas.SetFont({FontFamily::kSans, 12, true});
  int number = 1;
  for (int column = 0; column < across && column < 10; ++column) {
    for (int row = 0; row < down && row < 10; ++row, ++number) {
      const Rect card = CardRect(sheet, record, column, row);
      canvas.FillRect(card, column == 0 && row == 0 ? kFirstCardFill : kCardFill);
      canvas.StrokeRect(card, theme::kAccent);
      canvas.DrawTextCentred(card, std::to_string(number), theme::kMutedInk);
    }
  }
  canvas.PopClip();
  // The preview takes its own clicks: a press there never drags the window.
  canvas.RecordButton(sheet, "");
}

bool DragInPreview(Ui& ui, ByteBuffer& record, const Rect& sheet, const SheetSize& size, bool spacing,
                   const std::function<void()>& redraw) {
  InputState& in = ui.input;
  CardCell cell;
  if (!sheet.Contains(in.mouseX, in.mouseY) ||
      !CardAt(record, (in.mouseX - sheet.x) * kPreviewScale, (in.mouseY - sheet.y) * kPreviewScale, cell))
    return false;
  const ByteBuffer start = CopyPrintRecord(record);
  const int startX = in.mouseX, startY = in.mouseY;
  while ((in.buttonBits & kLeftButton) && !in.quitFlag) {
    ui.Pump(1);
    DragTo(record, start, size, cell, in.mouseX - startX, in.mouseY - startY, spacing);
    ApplyLayout(record);
    redraw();
  }
  return true;
}

bool ArrowKeyStep(const InputState& in, ByteBuffer& record, const SheetSize& size, bool spacing) {
  Direction direction;
  switch (in.keyCode) {
    case key::kLeft: direction = Direction::kLeft; break;
    case key::kRight: direction = Direction::kRight; break;
    case key::kUp: direction = Direction::kUp; break;
    case key::kDown: direction = Direction::kDown; break;
    default: return false;
  }
  if (in.ctrl) {
    if (spacing) StepSpacing(record, size, direction);
  } else {
    StepPosition(record, size, direction);
  }
  ApplyLayout(record);
  return true;
}

std::string Inches(int32_t thousandths) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%d.%03d", thousandths < 0 ? "-" : "", std::abs(thousandths) / 1000,
                std::abs(thousandths) % 1000);
  return text;
}

Rect ValueRowRect(Canvas& canvas, int x, int y, const std::string& value) {
  canvas.SetFont({FontFamily::kSans, 14, false});
  return {x - 4, y - 2, canvas.TextWidth(value) + 8, kRowHeight - 2};
}

void DrawValueRow(Canvas& canvas, int x, int y, const std::string& label, const std::string& whole,
                  bool clickable) {
  canvas.SetFont({FontFamily::kSans, 14, true});
  canvas.DrawText(x - 10 - canvas.TextWidth(label), y, label, theme::kMutedInk);
  // A long printer or font name ends in "..." at the window's edge.
  canvas.SetFont({FontFamily::kSans, 14, false});
  std::string value = whole;
  const int room = canvas.Width() - 30 - x;
  for (size_t keep = whole.size(); keep > 1 && canvas.TextWidth(value) > room;) value = whole.substr(0, --keep) + "...";
  const Rect r = ValueRowRect(canvas, x, y, value);
  if (clickable) {
    canvas.FillRoundedRect(r, 4, 0xFFFFFF);
    canvas.StrokeRect(r, theme::kPanelEdge, 1, 4);
    canvas.RecordButton(r, label);
  }
  canvas.SetFont({FontFamily::kSans, 14, false});
  canvas.DrawText(x, y, value, clickable ? theme::kAccent : theme::kInk);
}

bool ClickedOn(const Ui& ui, const std::string& caption) {
  const InputState& in = ui.input;
  if (!(in.buttonBits & kLeftButton)) return false;
  const DrawnButton* b = ui.canvas.ButtonAt(in.mouseX, in.mouseY);
  return b && b->caption == caption;
}

std::string NameOrNone(const std::string& name) { return name.empty() ? "NONE SELECTED" : name; }

namespace {

// Offers the names in a list with `current` selected; the chosen name, or
// nothing when the list was cancelled.
std::optional<std::string> ChooseName(Ui& ui, const std::string& heading, const std::vector<std::string>& names,
                                      const std::string& current) {
  std::string entries;
  int selection = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) entries += '|';
    entries += names[i];
    if (names[i] == current) selection = static_cast<int>(i);
  }
  int result = 1;
  ChooseFromList(ui, heading, entries, "OK|Cancel", result, selection);
  if (result != 0) return std::nullopt;
  return names[static_cast<size_t>(selection)];
}

}  // namespace

void ChoosePrinter(App& app, ByteBuffer& record) {
  const std::vector<std::string> names = app.printers->PrinterNames();
  if (names.empty()) return ShowNotice(app.ui, "No printers found?");
  const std::optional<std::string> chosen = ChooseName(app.ui, "Choose a Printer", names, PrinterName(record));
  PrinterInfo info;
  // A printer that cannot be opened leaves the record as it was.
  if (chosen && app.printers->OpenPrinter(*chosen, RecordPaper(record), info)) SetPrinter(record, info);
}

void ChooseFont(App& app, ByteBuffer& record) {
  if (PrinterName(record).empty()) return ShowNotice(app.ui, "You must select a printer first");
  const std::vector<std::string> faces = app.printers->FontFamilies();
  if (faces.empty()) return;
  if (auto chosen = ChooseName(app.ui, "Choose a Font", faces, FontFace(record))) SetFontFace(record, *chosen);
}

void ChooseFontSize(App& app, ByteBuffer& record) {
  std::string entries;
  for (int size = 6; size <= 24; ++size) entries += (size > 6 ? "|" : "") + std::to_string(size) + " Point";
  int result = 1;
  int selection = std::clamp(FontSize(record) - 6, 0, 18);
  ChooseFromList(app.ui, "Font Size", entries, "OK|Cancel", result, selection);
  if (result == 0) SetFontSize(record, 6 + selection);
}

}  // namespace tovalia
