#include "grocery/grocery_screen_view.h"

#include <algorithm>

#include "grocery/grocery_money.h"
#include "ui/button.h"
#include "ui/frame.h"
#include "ui/list_panel.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kMargin = 20;
constexpr int kTop = 80;
constexpr int kGap = 16;
constexpr int kHeaderHeight = 26;
constexpr int kModeLineHeight = 26;
constexpr int kButtonHeight = 28;
constexpr int kGlyphWidth = 20;

Font RowFont(bool bold = false) { return {FontFamily::kSans, 13, bold}; }
Font CaptionFont() { return {FontFamily::kSans, 12, true}; }

// Text inside a column, cut off at its edge rather than running into the next.
void DrawCell(Canvas& canvas, int x, int width, int y, int height, const std::string& text, Color color) {
  canvas.PushClip({x, y, std::max(width - 6, 0), height});
  canvas.DrawText(x, y + (height - canvas.LineHeight()) / 2, text, color);
  canvas.PopClip();
}

void DrawRightAligned(Canvas& canvas, int right, int y, int height, const std::string& text, Color color) {
  canvas.DrawText(right - canvas.TextWidth(text), y + (height - canvas.LineHeight()) / 2, text, color);
}

void DrawColumnCaptions(Canvas& canvas, const GroceryView& v) {
  canvas.FillRoundedRect(v.header, 4, 0xF1ECE1);
  canvas.SetFont(CaptionFont());
  const int y = v.header.y, h = v.header.height;
  canvas.DrawTextCentred({v.raiseX, y, v.quantityRight - v.raiseX, h}, "Quantity", theme::kMutedInk);
  DrawCell(canvas, v.itemX, v.storeX - v.itemX, y, h, "Item", theme::kMutedInk);
  DrawCell(canvas, v.storeX, v.locationX - v.storeX, y, h, "Store", theme::kMutedInk);
  DrawCell(canvas, v.locationX, v.costRight - 60 - v.locationX, y, h, "Location", theme::kMutedInk);
  DrawRightAligned(canvas, v.costRight, y, h, "Cost", theme::kMutedInk);
}

void DrawRows(Ui& ui, const GroceryCatalogue& c, const GroceryView& v) {
  Canvas& canvas = ui.canvas;
  for (int row = 0; row < v.rowsShown; ++row) {
    const size_t index = static_cast<size_t>(c.topRow + row);
    if (index >= c.view.size()) break;
    const int32_t item = c.view[index];
    const int y = v.rows.y + row * v.rowHeight;
    if (static_cast<int>(index) == c.currentRow)
      canvas.FillRoundedRect({v.list.x + 4, y, v.list.width - 16, v.rowHeight}, 4, theme::kSelection);
    DrawButton(ui, v.RaiseButton(row), kScrollUpCaption);
    DrawButton(ui, v.LowerButton(row), kScrollDownCaption);
    const int32_t quantity = ItemQuantity(c.image, item);
    canvas.SetFont(RowFont(true));
    if (quantity > 0) DrawRightAligned(canvas, v.quantityRight, y, v.rowHeight, std::to_string(quantity), theme::kAccent);
    canvas.SetFont(RowFont(quantity > 0));
    DrawCell(canvas, v.itemX, v.storeX - v.itemX, y, v.rowHeight, ItemName(c.image, item), theme::kInk);
    canvas.SetFont(RowFont());
    DrawCell(canvas, v.storeX, v.locationX - v.storeX, y, v.rowHeight, ItemStore(c.image, item), theme::kInk);
    DrawCell(canvas, v.locationX, v.costRight - 60 - v.locationX, y, v.rowHeight, ItemLocation(c.image, item),
             theme::kMutedInk);
    DrawRightAligned(canvas, v.costRight, y, v.rowHeight, FormatMoney(ItemCost(c.image, item)), theme::kInk);
  }
}

void DrawEmptyList(Canvas& canvas, const GroceryCatalogue& c, const GroceryView& v) {
  static const char* const kEmpty[] = {"No grocery items yet: Add puts the first one in the catalogue.",
                                       "Nothing is on the shopping list.",
                                       "No items matched the last search."};
  canvas.SetFont({FontFamily::kSans, 14, false, true});
  canvas.DrawTextCentred({v.rows.x, v.rows.y + 20, v.rows.width, 30}, kEmpty[c.displayMode], theme::kMutedInk);
}

void DrawModeBox(Canvas& canvas, const GroceryCatalogue& c, const GroceryView& v) {
  canvas.FillRoundedRect(v.modeBox, 6, theme::kPaper);
  canvas.StrokeRect(v.modeBox, theme::kPanelEdge, 1, 6);
  canvas.SetFont({FontFamily::kSerif, 16, true});
  canvas.DrawText(v.modeBox.x + 10, v.modeBox.y + 7, "Display Mode", theme::kInk);
  for (int mode = 0; mode < kDisplayModeCount; ++mode) {
    const Rect& line = v.modeLines[static_cast<size_t>(mode)];
    const bool current = mode == c.displayMode;
    if (current) canvas.FillRoundedRect(line, 4, theme::kSelection);
    canvas.SetFont(RowFont(current));
    canvas.DrawText(line.x + 8, line.y + (line.height - canvas.LineHeight()) / 2, kDisplayModeNames[mode],
                    current ? theme::kInk : theme::kMutedInk);
    DrawRightAligned(canvas, line.x + line.width - 8, line.y, line.height,
                     std::to_string(c.modeCounts[static_cast<size_t>(mode)]), current ? theme::kInk : theme::kMutedInk);
  }
  canvas.RecordButton(v.modeBox, "");
}

}  // namespace

GroceryView::GroceryView(const Ui& ui) {
  const int width = ui.canvas.Width();
  const int height = ui.canvas.Height();
  const int side = width >= 1000 ? 214 : 184;
  list = {kMargin, kTop, width - 2 * kMargin - kGap - side, height - kTop - kMargin};
  header = {list.x + 4, list.y + 4, list.width - 16, kHeaderHeight};
  rows = {list.x + 4, header.y + header.height + 2, list.width - 8, 0};
  rowsShown = std::max(1, (list.y + list.height - 4 - rows.y) / rowHeight);
  rows.height = rowsShown * rowHeight;

  raiseX = list.x + 10;
  lowerX = raiseX + kGlyphWidth + 3;
  quantityRight = lowerX + kGlyphWidth + 40;
  itemX = quantityRight + 14;
  costRight = list.x + list.width - 22;
  const int texts = costRight - 66 - itemX;
  storeX = itemX + texts * 44 / 100;
  locationX = storeX + texts * 28 / 100;

  const int sideX = list.x + list.width + kGap;
  modeBox = {sideX, list.y, side, 34 + kDisplayModeCount * kModeLineHeight + 8};
  for (int mode = 0; mode < kDisplayModeCount; ++mode)
    modeLines.push_back({sideX + 6, modeBox.y + 32 + mode * kModeLineHeight, side - 12, kModeLineHeight - 2});
  totalTop = modeBox.y + modeBox.height + 14;

  captions = {"Find", "Add", "Edit", "Delete", "Print", "Export", "New List", "Stores", "Locations"};
  hotKeys = {1, 1, 1, 1, 1, 2, 1, 1, 1};
  const int buttonsTop = totalTop + 62;
  const int buttonWidth = (side - 8) / 2;
  for (size_t i = 0; i < captions.size(); ++i) {
    const int column = static_cast<int>(i) % 2;
    const int row = static_cast<int>(i) / 2;
    buttons.push_back({sideX + column * (buttonWidth + 8), buttonsTop + row * (kButtonHeight + 8), buttonWidth,
                       kButtonHeight});
  }
}

int GroceryView::RowAt(int x, int y) const {
  if (!rows.Contains(x, y)) return -1;
  return (y - rows.y) / rowHeight;
}

Rect GroceryView::RaiseButton(int visibleRow) const {
  return {raiseX, rows.y + visibleRow * rowHeight + 2, kGlyphWidth, rowHeight - 4};
}

Rect GroceryView::LowerButton(int visibleRow) const {
  return {lowerX, rows.y + visibleRow * rowHeight + 2, kGlyphWidth, rowHeight - 4};
}

int GroceryView::ModeAt(int x, int y) const {
  for (size_t mode = 0; mode < modeLines.size(); ++mode)
    if (modeLines[mode].Contains(x, y)) return static_cast<int>(mode);
  return -1;
}

void DrawGroceryScreen(App& app, const GroceryView& v) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  const GroceryCatalogue& c = app.grocery;
  DrawFrame(ui, kGroceryScreen);

  const int shown = static_cast<int>(c.view.size());
  DrawListCaption(canvas, v.list, kDisplayModeNames[c.displayMode],
                  std::to_string(shown) + (shown == 1 ? " Item" : " Items"));
  DrawListPanel(canvas, v.list, true);
  DrawColumnCaptions(canvas, v);
  canvas.PushClip(v.list, 6);
  if (c.view.empty()) {
    DrawEmptyList(canvas, c, v);
  } else {
    DrawRows(ui, c, v);
  }
  canvas.PopClip();
  DrawScrollThumb(canvas, {v.list.x, v.rows.y - 4, v.list.width, v.rows.height + 8}, c.topRow, v.rowsShown, shown);
  canvas.RecordButton(v.list, "");

  DrawModeBox(canvas, c, v);
  canvas.SetFont({FontFamily::kSans, 13, true});
  canvas.DrawText(v.modeBox.x + 4, v.totalTop, "Current Shopping List:", theme::kInk);
  canvas.SetFont({FontFamily::kSerif, 24, true});
  canvas.DrawText(v.modeBox.x + 4, v.totalTop + 20, "$" + FormatMoney(c.listTotal), theme::kAccent);

  for (size_t b = 0; b < v.buttons.size(); ++b) DrawButton(ui, v.buttons[b], v.captions[b]);
}

}  // namespace tovalia
