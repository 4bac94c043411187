#include "ui/popup_menu.h"

#include <algorithm>

#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/fitted_text.h"
#include "ui/menu_model.h"
#include "ui/scroll_bar.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kRowHeight = 24;
constexpr int kArrowHeight = 16;
constexpr int kEdge = 4;      // kept clear of the window's edges
constexpr int kShadow = 4;
constexpr int kPadding = 4;   // inside the frame
constexpr int kBarWidth = 10;
constexpr int kWheelRows = 3;

struct MenuGeometry {
  Rect menu;
  Rect up, rows, down;  // the arrows exist only when the menu scrolls
  Rect track;
  int rowCount = 0;
  bool scrolls = false;
};

// Below and to the right of (x, y), moved and cut to fit the window.
MenuGeometry Arrange(Canvas& canvas, int x, int y, const std::vector<std::string>& entries) {
  MenuGeometry g;
  canvas.SetFont(theme::BodyFont());
  int widest = 0;
  for (const std::string& e : entries) widest = std::max(widest, canvas.TextWidth(e));
  const int count = static_cast<int>(entries.size());
  const int room = canvas.Height() - 2 * kEdge - kShadow - 2 * kPadding;
  g.scrolls = count * kRowHeight > room;
  g.rowCount = g.scrolls ? (room - 2 * kArrowHeight) / kRowHeight : count;
  const int arrows = g.scrolls ? kArrowHeight : 0;
  const int width = std::min(widest + 36 + (g.scrolls ? kBarWidth : 0), canvas.Width() - 2 * kEdge - kShadow);
  const int height = g.rowCount * kRowHeight + 2 * arrows + 2 * kPadding;
  g.menu = {std::clamp(x, kEdge, canvas.Width() - width - kEdge - kShadow),
            std::clamp(y, kEdge, canvas.Height() - height - kEdge - kShadow), width, height};
  const int inner = width - 2 * kPadding;
  g.up = {g.menu.x + kPadding, g.menu.y + kPadding, inner, arrows};
  g.rows = {g.up.x, g.up.y + arrows, inner - (g.scrolls ? kBarWidth : 0), g.rowCount * kRowHeight};
  g.down = {g.up.x, g.rows.y + g.rows.height, inner, arrows};
  g.track = {g.rows.x + g.rows.width, g.rows.y, kBarWidth, g.rows.height};
  return g;
}

void Draw(Ui& ui, const MenuGeometry& g, const MenuModel& model) {
  Canvas& canvas = ui.canvas;
  const Rect& menu = g.menu;
  canvas.FillRoundedRect({menu.x + kShadow, menu.y + kShadow, menu.width, menu.height}, 6, 0x9A9080);
  canvas.FillRoundedRect(menu, 6, 0xFFFFFF);
  canvas.StrokeRect(menu, theme::kButtonEdge, 1, 6);
  canvas.RecordButton(menu, "");
  for (int row = 0; row < g.rowCount; ++row) {
    const int index = model.First() + row;
    if (index >= model.Count()) break;
    const Rect r{g.rows.x, g.rows.y + row * kRowHeight, g.rows.width, kRowHeight};
    if (index == model.Current()) canvas.FillRoundedRect(r, 4, theme::kSelection);
    DrawFittedLine(canvas, {r.x + 14, r.y, r.width - 18, r.height}, model.Entry(index), theme::BodyFont(), 12,
                   theme::kInk);
    canvas.RecordButton(r, model.Entry(index));
  }
  if (g.scrolls) {
    DrawButton(ui, g.up, kScrollUpCaption);
    DrawButton(ui, g.down, kScrollDownCaption);
    DrawScrollBar(canvas, {g.track, model.First(), model.Rows(), model.Count()});
  }
}

// The entry under the pointer, or -1.
int EntryAt(const MenuGeometry& g, const MenuModel& model, int x, int y) {
  if (!g.rows.Contains(x, y)) return -1;
  const int index = model.First() + (y - g.rows.y) / kRowHeight;
  return index < model.Count() ? index : -1;
}

}  // namespace

int PopupMenu(Ui& ui, int x, int y, const std::vector<std::string>& entries) {
  if (entries.empty()) return -1;
  // The entry under the pointer is highlighted as it moves.
  const PointerFollowing following(ui, true);
  Canvas& canvas = ui.canvas;
  const MenuGeometry g = Arrange(canvas, x, y, entries);
  const SavedArea saved = canvas.SaveArea({g.menu.x - 1, g.menu.y - 1, g.menu.width + kShadow + 2,
                                           g.menu.height + kShadow + 2});
  MenuModel model(entries, g.rowCount);
  int chosen = -1;
  for (;;) {
    Draw(ui, g, model);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag || in.typedCharacter == typed::kEscape) break;
    if (in.buttonBits & (kLeftButton | kRightButton)) {
      if (!g.menu.Contains(in.mouseX, in.mouseY)) break;
      if (g.scrolls && g.up.Contains(in.mouseX, in.mouseY)) model.Scroll(-kWheelRows);
      if (g.scrolls && g.down.Contains(in.mouseX, in.mouseY)) model.Scroll(kWheelRows);
      if (g.scrolls && g.track.Contains(in.mouseX, in.mouseY)) {
        const ScrollBar bar{g.track, model.First(), model.Rows(), model.Count()};
        const int first = FollowScrollBar(ui, bar, [&](int now) {
          model.Scroll(now - model.First());
          Draw(ui, g, model);
          ui.Show();
        });
        model.Scroll(first - model.First());
      }
      if (int index = EntryAt(g, model, in.mouseX, in.mouseY); index >= 0) {
        chosen = index;
        break;
      }
      continue;
    }
    if (in.wheelStep != 0) {
      model.Scroll(-in.wheelStep);
      in.wheelStep = 0;
    }
    if (in.typedCharacter == typed::kEnter && model.Current() >= 0) {
      chosen = model.Current();
      break;
    }
    switch (in.keyCode) {
      case key::kUp: model.MoveHighlight(-1); break;
      case key::kDown: model.MoveHighlight(1); break;
      case key::kPageUp: model.MoveHighlight(-model.Rows()); break;
      case key::kPageDown: model.MoveHighlight(model.Rows()); break;
      case key::kHome: model.Highlight(0); break;
      case key::kEnd: model.Highlight(model.Count() - 1); break;
      default:
        if (in.typedCharacter > ' ') {
          model.JumpToLetter(in.typedCharacter);
        } else if (in.keyCode == 0 && in.typedCharacter == 0) {
          // The pointer moved (or the wheel turned under it).
          if (int index = EntryAt(g, model, in.mouseX, in.mouseY); index >= 0) model.Highlight(index);
        }
        break;
    }
  }
  CloseBox(ui, saved);
  return chosen;
}

}  // namespace tovalia
