#include "app/frame_screen.h"

#include "ui/event_wait.h"
#include "ui/frame.h"
#include "ui/theme.h"

namespace tovalia {

void RunFrameScreen(App& app) {
  Ui& ui = app.ui;
  for (;;) {
    DrawFrame(ui, app.currentScreen);
    Rect content = ContentRect(ui);
    Rect page{content.x + 20, content.y + 20, content.width - 40, content.height - 40};
    ui.canvas.FillRoundedRect(page, 10, theme::kPaper);
    ui.canvas.StrokeRect(page, theme::kPanelEdge, 1, 10);
    ui.canvas.SetFont(theme::HeadingFont());
    static const char* const kTitles[] = {"Help", "Recipe Index", "Recipe", "Grocery List",
                                          "Meal Calendar"};
    ui.canvas.DrawText(page.x + 24, page.y + 18, kTitles[app.currentScreen], theme::kInk);
    int tab = ShowAndWait(ui);
    if (ui.input.quitFlag) return;
    if (tab >= 0 && tab != app.currentScreen) {
      app.requestedScreen = tab;
      return;
    }
  }
}

}  // namespace tovalia
