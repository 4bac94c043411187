#include "ui/popup_menu.h"

#include <algorithm>

#include "ui/box.h"
#include "ui/event_wait.h"
#include "ui/theme.h"

namespace tovalia {

namespace {
constexpr int kRowHeight = 24;
constexpr int kMostRows = 20;
}  // namespace

int PopupMenu(Ui& ui, int x, int y, const std::vector<std::string>& entries) {
  if (entries.empty()) return -1;
  Canvas& canvas = ui.canvas;
  canvas.SetFont(theme::BodyFont());
  int widest = 0;
  for (const std::string& e : entries) widest = std::max(widest, canvas.TextWidth(e));
  const int count = static_cast<int>(entries.size());
  const int rows = std::min(count, kMostRows);
  Rect menu{x, y, widest + 36, rows * kRowHeight + 8};
  menu.x = std::clamp(menu.x, 2, canvas.Width() - menu.width - 8);
  menu.y = std::clamp(menu.y, 2, canvas.Height() - menu.height - 8);
  const SavedArea saved = canvas.SaveArea({menu.x - 1, menu.y - 1, menu.width + 8, menu.height + 8});

  int current = -1;
  int first = 0;
  int chosen = -1;
  for (;;) {
    canvas.FillRoundedRect({menu.x + 4, menu.y + 4, menu.width, menu.height}, 6, 0x9A9080);
    canvas.FillRoundedRect(menu, 6, 0xFFFFFF);
    canvas.StrokeRect(menu, theme::kButtonEdge, 1, 6);
    canvas.RecordButton(menu, "");
    canvas.SetFont(theme::BodyFont());
    for (int row = 0; row < rows; ++row) {
      int index = first + row;
      Rect r{menu.x + 4, menu.y + 4 + row * kRowHeight, menu.width - 8, kRowHeight};
      if (index == current) canvas.FillRoundedRect(r, 4, theme::kSelection);
      canvas.DrawText(r.x + 14, r.y + (kRowHeight - canvas.LineHeight()) / 2,
                      entries[static_cast<size_t>(index)], theme::kInk);
      canvas.RecordButton(r, entries[static_cast<size_t>(index)]);
    }
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag || in.typedCharacter == typed::kEscape) break;
    if (in.buttonBits & (kLeftButton | kRightButton)) {
      if (!menu.Contains(in.mouseX, in.mouseY)) break;
      int index = first + (in.mouseY - menu.y - 4) / kRowHeight;
      if (index >= first && index < first + rows && index < count) {
        chosen = index;
        break;
      }
      continue;
    }
    if (in.typedCharacter == typed::kEnter && current >= 0) {
      chosen = current;
      break;
    }
    if (in.keyCode == key::kDown) current = std::min(current + 1, count - 1);
    if (in.keyCode == key::kUp) current = std::max(current - 1, 0);
    if (current >= first + rows) first = current - rows + 1;
    if (current >= 0 && current < first) first = current;
  }
  CloseBox(ui, saved);
  return chosen;
}

}  // namespace tovalia
