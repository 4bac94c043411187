#include "output/pdf_book_screen.h"

#include <algorithm>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/record_format.h"
#include "output/pdf_book.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/event_wait.h"
#include "ui/file_chooser.h"
#include "ui/frame.h"
#include "ui/message_box.h"
#include "ui/text_split.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr char kPrompt[] =
    "Save a print ready PDF Cookbook||Enter a title for your cookbook then|"
    "click on the book size you want to create.|";
constexpr int kRowHeight = 22;

// The selection screen's geometry, from the window's size.
struct BookScreen {
  explicit BookScreen(const Ui& ui) {
    const Rect content = ContentRect(ui);
    list = {content.x + 20, content.y + 44, content.width - 40, content.height - 44 - 60};
    rowsShown = std::max(1, (list.height - 8) / kRowHeight);
    const int slot = (content.width - 40) / static_cast<int>(std::size(kCaptions));
    for (size_t i = 0; i < std::size(kCaptions); ++i)
      buttons.push_back({content.x + 20 + static_cast<int>(i) * slot + 4, list.y + list.height + 16, slot - 8, 28});
  }
  Rect Row(int visible) const { return {list.x + 4, list.y + 4 + visible * kRowHeight, list.width - 8, kRowHeight}; }
  Rect Box(int visible) const { const Rect r = Row(visible); return {r.x + 6, r.y + 4, 14, 14}; }

  static constexpr const char* kCaptions[] = {"< Previous", "Next >", "Select All", "Save", "Cancel"};
  Rect list;
  int rowsShown = 1;
  std::vector<Rect> buttons;
};

void DrawBookScreen(App& app, const BookScreen& s, const std::vector<BookRow>& rows, int first, int current) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, app.currentScreen);
  const Rect content = ContentRect(ui);
  canvas.SetFont({FontFamily::kSerif, 20, true});
  canvas.DrawText(s.list.x + 2, content.y + 10, "Select Recipes To Include In PDF Cookbook", theme::kInk);
  canvas.FillRoundedRect(s.list, 6, 0xFFFFFF);
  canvas.StrokeRect(s.list, theme::kPanelEdge, 1, 6);
  canvas.PushClip(s.list, 6);
  for (int v = 0; v < s.rowsShown && first + v < static_cast<int>(rows.size()); ++v) {
    const BookRow& row = rows[static_cast<size_t>(first + v)];
    const Rect r = s.Row(v);
    if (first + v == current) canvas.FillRect(r, theme::kSelection);
    DrawCheckBox(canvas, s.Box(v), row.marked);
    const bool chapter = row.kind == kKindChapter;
    canvas.SetFont({FontFamily::kSans, 14, chapter});
    const std::string text = chapter ? "(" + row.chapterName + ")" : row.title + "  (" + row.chapterName + ")";
    canvas.DrawText(r.x + 30, r.y + 3, text, chapter ? theme::kHeaderBottom : theme::kInk);
  }
  canvas.PopClip();
  canvas.SetFont({FontFamily::kSans, 13, false});
  const int marked = static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const BookRow& r) {
    return r.marked && r.kind != kKindChapter;
  }));
  const int pages = std::max(1, (static_cast<int>(rows.size()) + s.rowsShown - 1) / s.rowsShown);
  const std::string status = std::to_string(marked) + (marked == 1 ? " recipe" : " recipes") + " ticked, page " +
                             std::to_string(first / s.rowsShown + 1) + " of " + std::to_string(pages);
  canvas.DrawText(s.list.x + s.list.width - canvas.TextWidth(status) - 2, content.y + 16, status, theme::kMutedInk);
  for (size_t b = 0; b < s.buttons.size(); ++b) DrawButton(ui, s.buttons[b], BookScreen::kCaptions[b]);
}

// Asks for the file until a usable name is given; empty when the user leaves.
std::string ChooseBookFile(App& app) {
  std::string folder = GetTextSetting(app.settings, setting::kExportFolder);
  for (;;) {
    std::string name;
    int result = 0;
    ChooseFile(app.ui, "Where do you want to save your PDF Cookbook?", kChooserPlain, folder, name, result);
    if (result != 1 || app.ui.input.quitFlag) return {};
    if (TrimBlanks(name).empty()) {
      ShowNotice(app.ui, "Please enter a filename for your PDF cookbook.");
      continue;
    }
    const std::string path = folder + PdfFileName(name);
    if (FileExists(path)) {
      int answer = 0;
      ShowMessage(app.ui, OneItem(Utf8ToCp1252(PdfFileName(name)), 70) + "|Already Exists!|Do you want to overwrite it?",
                  "", 1, "OK|Cancel", 0, answer);
      if (answer != 1) continue;
      DeleteDataFile(path);
      if (FileExists(path)) {
        ShowNotice(app.ui, "Could not delete existing file?|You may have it open for viewing.");
        continue;
      }
    }
    PutTextSetting(app.settings, setting::kExportFolder, folder);
    return path;
  }
}

// The selection screen; true when the user saved a book.
bool SelectAndSave(App& app, std::vector<BookRow>& rows, const BookOptions& options) {
  Ui& ui = app.ui;
  const BookScreen s(ui);
  int first = 0, current = 0;
  const int count = static_cast<int>(rows.size());
  auto page = [&](int by) {
    first = std::clamp(first + by * s.rowsShown, 0, std::max(0, count - 1) / s.rowsShown * s.rowsShown);
    current = std::clamp(current, first, std::min(count - 1, first + s.rowsShown - 1));
  };
  for (;;) {
    DrawBookScreen(app, s, rows, first, current);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) return false;
    std::string pressed;
    for (size_t b = 0; b < s.buttons.size() && pressed.empty(); ++b)
      if (ButtonActivated(ui, BookScreen::kCaptions[b], s.buttons[b], 0)) pressed = BookScreen::kCaptions[b];
    if (pressed == "< Previous" || in.keyCode == key::kLeft) {
      page(-1);
    } else if (pressed == "Next >" || in.keyCode == key::kRight) {
      page(1);
    } else if (pressed == "Select All") {
      ToggleAllBookRows(rows);
    } else if (pressed == "Cancel" || in.typedCharacter == typed::kEscape) {
      return false;
    } else if (pressed == "Save") {
      if (!MarkChaptersOfMarkedRecords(rows)) {
        ShowNotice(ui, "You have not selected any recipes.||Check the box next to the recipes you|"
                       "want to include in your PDF cookbook.");
        continue;
      }
      const std::string path = ChooseBookFile(app);
      if (path.empty()) return false;
      const BookOutcome outcome = BuildPdfCookbook(app.db, rows, options, path);
      ShowNotice(ui, BookOutcomeMessage(outcome));
      return outcome.result == BookResult::kSaved || outcome.result == BookResult::kTooLong;
    } else if ((in.typedCharacter == ' ' || in.typedCharacter == typed::kEnter) && count > 0) {
      ToggleBookRow(rows, static_cast<size_t>(current));
    } else if (in.keyCode == key::kUp || in.keyCode == key::kDown) {
      current = std::clamp(current + (in.keyCode == key::kUp ? -1 : 1), 0, std::max(0, count - 1));
      if (current < first) page(-1);
      if (current >= first + s.rowsShown) page(1);
    } else if (in.wheelStep != 0) {
      page(in.wheelStep > 0 ? -1 : 1);
      in.wheelStep = 0;
    } else if (in.buttonBits & kLeftButton) {
      for (int v = 0; v < s.rowsShown && first + v < count; ++v) {
        if (!s.Row(v).Contains(in.mouseX, in.mouseY)) continue;
        current = first + v;
        Rect box = s.Box(v);
        box.x -= 4, box.y -= 4, box.width += 8, box.height += 8;
        if (box.Contains(in.mouseX, in.mouseY)) ToggleBookRow(rows, static_cast<size_t>(current));
      }
    }
  }
}

}  // namespace

void SavePdfBook(App& app) {
  Ui& ui = app.ui;
  BookOptions options;
  for (;;) {
    int size = 0;
    ShowMessage(ui, kPrompt, "Book Title:|Subtitle:|Author:", 1, "6x9|8.5x11|A4|Cancel", 40, size);
    if (size < 1 || size > 3 || ui.input.quitFlag) return;
    options.size = static_cast<BookSize>(size);
    options.title = TrimBlanks(ui.fieldValues[0]);
    options.subtitle = TrimBlanks(ui.fieldValues[1]);
    options.author = TrimBlanks(ui.fieldValues[2]);
    if (!options.title.empty()) break;
  }
  app.db.progress->ShowProgress("Sorting Records", "", 0, 1);
  std::vector<BookRow> rows = BuildBookList(app.db);
  app.db.progress->CloseProgress();
  SelectAndSave(app, rows, options);
}

}  // namespace tovalia
