#include "ui/event_wait.h"

#include "db/cp1252.h"
#include "ui/frame.h"
#include "ui/web_pages.h"

namespace tovalia {

namespace {

// Moves the window with the mouse until the left button is let go.
void DragWindow(Ui& ui) {
  int lastX = 0, lastY = 0;
  ui.platform.ScreenMousePosition(ui.input, lastX, lastY);
  while ((ui.input.buttonBits & kLeftButton) && !ui.input.quitFlag) {
    ui.Pump(1);
    int x = 0, y = 0;
    ui.platform.ScreenMousePosition(ui.input, x, y);
    if (x != lastX || y != lastY) ui.platform.MoveMainWindowBy(x - lastX, y - lastY);
    lastX = x;
    lastY = y;
  }
}

}  // namespace

int ShowAndWait(Ui& ui) {
  ui.Show();
  ui.input.typedCharacter = 0;
  ui.input.keyCode = 0;
  return WaitForNextEvent(ui);
}

int WaitForNextEvent(Ui& ui) {
  InputState& in = ui.input;
  for (;;) {
    while (!in.inputFlag && !in.quitFlag) ui.Pump(1);
    in.inputFlag = false;
    if (in.quitFlag) return -1;

    if (in.buttonBits & kLeftButton) {
      for (int tab = 0; tab < kTabCount; ++tab)
        if (TabRect(tab).Contains(in.mouseX, in.mouseY)) return tab;
      if (MinimizeButtonRect(ui).Contains(in.mouseX, in.mouseY)) {
        ui.platform.MinimizeMainWindow();
        continue;
      }
      if (QuitButtonRect(ui).Contains(in.mouseX, in.mouseY)) {
        in.quitFlag = true;
        return -1;
      }
      if (!ui.canvas.ButtonAt(in.mouseX, in.mouseY)) {
        DragWindow(ui);
        continue;
      }
    }
    if (in.typedCharacter > ' ' && !in.ctrl) {
      int letter = UpperCaseByte(static_cast<uint8_t>(in.typedCharacter));
      for (int tab = 0; tab < kTabCount; ++tab) {
        std::string caption = TabCaption(ui, tab);
        if (!caption.empty() && UpperCaseByte(static_cast<uint8_t>(caption[0])) == letter) return tab;
      }
    }
    if (in.keyCode == key::kF1) {
      OpenHelp(ui);
      continue;
    }
    return -1;
  }
}

}  // namespace tovalia
