#include "app/help_screen.h"

#include "app/index_messages.h"
#include "db/cp1252.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "state/database_lifecycle.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/fitted_text.h"
#include "ui/frame.h"
#include "ui/message_box.h"
#include "ui/theme.h"
#include "upgrade/upgrade_offer.h"
#include "ui/web_pages.h"

namespace tovalia {

namespace {

struct HelpButton {
  const char* caption;
  std::string explanation;
};

std::vector<HelpButton> Buttons() {
  return {
      {"FAQ", "Answers to Frequently Asked Questions"},
      {"Web Site", std::string("Visit us online at  ") + kWebSite},
      {"Send Email", "Write to us with a question, a wish or a recipe that will not import."},
      {"Cleanup", "Repair database errors, remove deleted recipes, and rebuild the index."},
      {"Upgrade", "Transfer recipes and other data from an older version of Tovalia."},
  };
}

const char* const kGuide[] = {
    "Index: your chapters on the left, their recipes on the right. Tick recipes to delete,",
    "move, copy, print or export several at once; click the highlighted title to open it.",
    "Recipe: read a recipe while you cook, resize it, or send its ingredients to the list.",
    "Grocery: your shopping list, with stores, aisles and prices.",
    "Meals: plan meals on a calendar and print the week's menu.",
};

Rect ButtonRect(const Rect& page, size_t i) {
  return {page.x + 30, page.y + 210 + static_cast<int>(i) * 40, 110, 28};
}

void Draw(App& app, const Rect& page) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, kHelpScreen);
  canvas.FillRoundedRect(page, 10, theme::kPaper);
  canvas.StrokeRect(page, theme::kPanelEdge, 1, 10);
  canvas.SetFont(theme::HeadingFont());
  canvas.DrawText(page.x + 30, page.y + 18, "Version 5.8", theme::kInk);
  canvas.SetFont({FontFamily::kSans, 14, false, true});
  canvas.DrawText(page.x + 30, page.y + 54, "Tovalia keeps your recipes, notes, shopping and meal plans.",
                  theme::kMutedInk);
  canvas.SetFont(theme::BodyFont());
  int y = page.y + 86;
  for (const char* line : kGuide) {
    canvas.DrawText(page.x + 30, y, line, theme::kInk);
    y += 21;
  }
  const std::vector<HelpButton> buttons = Buttons();
  for (size_t i = 0; i < buttons.size(); ++i) {
    Rect r = ButtonRect(page, i);
    DrawButton(ui, r, buttons[i].caption);
    canvas.SetFont(theme::BodyFont());
    canvas.DrawText(r.x + r.width + 18, r.y + (r.height - canvas.LineHeight()) / 2,
                    buttons[i].explanation, theme::kInk);
  }
  // Where the collection is kept, and why there.
  const Rect folderLine{page.x + 30, page.y + page.height - 76, page.width - 60, 24};
  const std::string folder = "Your recipes are kept in " + Utf8ToCp1252(app.db.paths.dataFolder) +
                             (app.dataFolderOrigin.empty() ? "" : "  (" + app.dataFolderOrigin + ")");
  DrawFittedLine(canvas, folderLine, folder, theme::BodyFont(), 11, theme::kMutedInk);
  canvas.SetFont({FontFamily::kSans, 15, true});
  canvas.DrawText(page.x + 30, page.y + page.height - 40, "Press F1 at any time to view documentation",
                  theme::kHeaderBottom);
}

void Run(App& app, const std::string& caption) {
  Platform& platform = app.ui.platform;
  int answer = 0;
  if (caption == "FAQ") {
    OpenWebPage(app.ui, std::string(kWebSite) + "/tv_faq.htm?source=program+help");
  } else if (caption == "Web Site") {
    OpenWebPage(app.ui, std::string(kWebSite) + "/index.htm?source=program+help");
  } else if (caption == "Send Email") {
    if (!platform.SendEmail(kSupportAddress, "Tovalia 5.8", ""))
      ShowNotice(app.ui, "Unable to open email program?");
  } else if (caption == "Cleanup") {
    CompactDatabase(app.db);
    FindChapterRow(app.db, kAllRecipes);
    BuildCurrentList(app.db);
    SelectOnly(app.db, 0);
  } else if (caption == "Upgrade") {
    ShowMessage(app.ui, message::kUpgradeWarning, "", 1, "Yes|Cancel", 0, answer);
    if (answer == 1 && OfferUpgrade(app, UpgradeAsker::kUser)) {
      // The copied recipe file brings its own dead space and needs its index rebuilt.
      PutNumberSetting(app.settings, setting::kWastedBytes, 0);
      BringDatabaseUp(app.db, app.settings);
    }
  }
}

}  // namespace

void RunHelpScreen(App& app) {
  Ui& ui = app.ui;
  const Rect content = ContentRect(ui);
  const Rect page{content.x + 20, content.y + 16, content.width - 40, content.height - 32};
  const std::vector<HelpButton> buttons = Buttons();
  for (;;) {
    Draw(app, page);
    int tab = ShowAndWait(ui);
    if (ui.input.quitFlag) return;
    if (tab >= 0 && tab != kHelpScreen) {
      app.requestedScreen = tab;
      return;
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (ButtonActivated(ui, buttons[i].caption, ButtonRect(page, i), 0)) {
        Run(app, buttons[i].caption);
        break;
      }
    }
  }
}

}  // namespace tovalia
