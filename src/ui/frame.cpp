#include "ui/frame.h"

#include "ui/button.h"
#include "ui/theme.h"

namespace tovalia {

Rect TabRect(int tab) { return {2 + 80 * tab, 20, 80, 30}; }

std::string TabCaption(const Ui& ui, int tab) {
  std::string field = ui.tabCaptions.substr(static_cast<size_t>(tab) * 12, 12);
  size_t end = field.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : field.substr(0, end + 1);
}

Rect MinimizeButtonRect(const Ui& ui) { return {ui.canvas.Width() - 172, 21, 80, 26}; }
Rect QuitButtonRect(const Ui& ui) { return {ui.canvas.Width() - 86, 21, 76, 26}; }

Rect ContentRect(const Ui& ui) {
  return {0, theme::kHeaderHeight, ui.canvas.Width(), ui.canvas.Height() - theme::kHeaderHeight};
}

void DrawFrame(Ui& ui, int currentScreen) {
  Canvas& canvas = ui.canvas;
  const int width = canvas.Width();
  const int height = canvas.Height();
  if (ui.background.Empty()) {
    canvas.FillRect({0, 0, width, height}, theme::kPaper);
  } else {
    canvas.DrawImageScaled(ui.background, {0, 0, width, height});
  }
  canvas.FillVerticalGradient({0, 0, width, theme::kHeaderHeight}, theme::kHeaderTop,
                              theme::kHeaderBottom);
  canvas.DrawLine(0, theme::kHeaderHeight - 1, width, theme::kHeaderHeight - 1, 0x2F4422);
  canvas.SetFont({FontFamily::kSerif, 14, true, true});
  canvas.DrawText(10, 2, "Tovalia", theme::kHeaderInk);

  canvas.SetFont(theme::TabFont());
  for (int tab = 0; tab < kTabCount; ++tab) {
    Rect r = TabRect(tab);
    Rect shape{r.x + 2, r.y, r.width - 4, theme::kHeaderHeight - r.y + 6};
    bool current = tab == currentScreen;
    canvas.PushClip({r.x, r.y, r.width, theme::kHeaderHeight - r.y});
    canvas.FillRoundedRect(shape, 7, current ? theme::kPaper : theme::kTabIdle);
    canvas.PopClip();
    Rect label{r.x, r.y + 1, r.width, r.height};
    canvas.DrawTextCentred(label, TabCaption(ui, tab),
                           current ? theme::kInk : theme::kTabIdleInk);
    // Underline the letter that picks the tab from the keyboard.
    std::string caption = TabCaption(ui, tab);
    int textWidth = canvas.TextWidth(caption);
    int first = canvas.TextWidth(caption.substr(0, 1));
    int x = label.x + (label.width - textWidth) / 2;
    canvas.DrawLine(x, label.y + 22, x + first, label.y + 22,
                    current ? theme::kAccent : theme::kTabIdleInk);
  }
  canvas.FillRect({0, theme::kHeaderHeight, width, 1}, theme::kPaper);

  // The thin border of a window without the desktop's decorations.
  canvas.StrokeRect({0, 0, width, height}, theme::kHeaderBottom, 1);

  DrawButton(ui, MinimizeButtonRect(ui), "Minimize");
  DrawButton(ui, QuitButtonRect(ui), "Quit");
}

}  // namespace tovalia
