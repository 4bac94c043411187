#include "ui/choice_list.h"

#include <algorithm>
#include <vector>

#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/fitted_text.h"
#include "ui/text_split.h"
#include "ui/theme.h"

namespace tovalia {

namespace {
constexpr int kRowHeight = 24;
constexpr int kMostRowsShown = 12;
constexpr int kButtonSlot = 80;
}  // namespace

void ChooseFromList(Ui& ui, const std::string& heading, const std::string& entries,
                    const std::string& buttons, int& result, int& selection) {
  ui.platform.ShowMainWindow();
  const PointerFollowing still(ui, false);
  Canvas& canvas = ui.canvas;
  const std::vector<std::string> items = SplitBars(entries);
  const std::vector<std::string> captions = SplitBars(buttons);
  const int count = static_cast<int>(items.size());
  const int rowsShown = std::min(count, kMostRowsShown);

  canvas.SetFont({FontFamily::kSans, 17, true});
  const int headingWidth = canvas.TextWidth(heading);
  canvas.SetFont(theme::BodyFont());
  int widest = 0;
  for (const std::string& item : items) widest = std::max(widest, canvas.TextWidth(item));
  const int width = std::min(canvas.Width() - 20,
                             40 + std::max({headingWidth, widest + 40,
                                            kButtonSlot * static_cast<int>(captions.size())}));
  const int height = 16 + 24 + 12 + rowsShown * kRowHeight + 16 + 25 + 14;
  const Rect box = CentredBox(ui, width, height);
  const Rect list{box.x + 20, box.y + 52, box.width - 40, rowsShown * kRowHeight};
  std::vector<Rect> buttonRects;
  const int buttonsLeft = box.x + (box.width - kButtonSlot * static_cast<int>(captions.size())) / 2;
  for (size_t b = 0; b < captions.size(); ++b)
    buttonRects.push_back({buttonsLeft + kButtonSlot * static_cast<int>(b) + 4,
                           box.y + box.height - 39, kButtonSlot - 8, 25});

  const SavedArea saved = OpenBox(ui, box);
  selection = std::clamp(selection, 0, std::max(count - 1, 0));
  int first = std::clamp(selection - rowsShown + 1, 0, std::max(count - rowsShown, 0));
  int chosen = -1;
  while (chosen < 0) {
    DrawBox(ui, box);
    canvas.SetFont({FontFamily::kSans, 17, true});
    canvas.DrawTextCentred({box.x, box.y + 16, box.width, 24}, heading, theme::kInk);
    canvas.FillRoundedRect(list, 4, 0xFFFFFF);
    canvas.StrokeRect(list, theme::kButtonEdge, 1, 4);
    canvas.SetFont(theme::BodyFont());
    for (int row = 0; row < rowsShown; ++row) {
      int item = first + row;
      Rect r{list.x + 1, list.y + row * kRowHeight, list.width - 2, kRowHeight};
      if (item == selection) canvas.FillRect(r, theme::kSelection);
      DrawFittedLine(canvas, {r.x + 8, r.y, r.width - 16, kRowHeight}, items[static_cast<size_t>(item)],
                     theme::BodyFont(), 12, item == selection ? theme::kInk : theme::kMutedInk);
    }
    canvas.RecordButton(list, "");
    for (size_t b = 0; b < captions.size(); ++b) DrawButton(ui, buttonRects[b], captions[b]);
    ShowAndWait(ui);
    if (ui.input.quitFlag) break;
    InputState& in = ui.input;
    for (size_t b = 0; b < captions.size() && chosen < 0; ++b)
      if (ButtonActivated(ui, captions[b], buttonRects[b], 1)) chosen = static_cast<int>(b);
    if (chosen >= 0) break;
    switch (in.keyCode) {
      case key::kUp: --selection; break;
      case key::kDown: ++selection; break;
      case key::kPageUp: selection -= rowsShown; break;
      case key::kPageDown: selection += rowsShown; break;
      case key::kHome: selection = 0; break;
      case key::kEnd: selection = count - 1; break;
      default: break;
    }
    if (in.wheelStep != 0) {
      selection -= in.wheelStep > 0 ? 1 : -1;
      in.wheelStep = 0;
    }
    if ((in.buttonBits & kLeftButton) && list.Contains(in.mouseX, in.mouseY)) {
      int item = first + (in.mouseY - list.y) / kRowHeight;
      if (item < count) {
        if (item == selection) chosen = 0;
        selection = item;
      }
    }
    selection = std::clamp(selection, 0, std::max(count - 1, 0));
    if (selection < first) first = selection;
    if (selection >= first + rowsShown) first = selection - rowsShown + 1;
  }
  CloseBox(ui, saved);
  if (chosen >= 0) result = chosen;
}

}  // namespace tovalia
