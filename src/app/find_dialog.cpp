#include "app/find_dialog.h"

#include <algorithm>
#include <array>

#include "db/cp1252.h"
#include "db/record_search.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/event_wait.h"
#include "ui/message_box.h"
#include "ui/text_field.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kQueryLimit = 50;
constexpr int kCaretPeriodMs = 300;

const char* const kHelpLines[] = {
    "Enter the words you want to look for (i.e. butter sugar).",
    "To find a specific phrase, enclose it in quotes (i.e. \"peanut butter\")",
    "To exclude a word or phrase, use the - character (i.e. -butter).",
    "To find any of a list of words, use the / character (i.e. /butter /margarine).",
};
const char* const kBoxCaptions[] = {"Titles", "Ingredients", "Directions", "All Chapters"};

Font CheckFont() { return {FontFamily::kSans, 14, true}; }
constexpr int kCaptionLeft = 22;  // a check box's caption starts this far right of it
constexpr int kMostCheckGap = 40;

struct Layout {
  Rect box, field;
  std::array<Rect, 4> checks;
  Rect ok, cancel;
};

Layout Arrange(const Ui& ui) {
  Layout l;
  l.box = CentredBox(ui, 560, 286);
  l.field = {l.box.x + (l.box.width - (kFieldCharWidth * kQueryLimit + 8)) / 2, l.box.y + 52,
             kFieldCharWidth * kQueryLimit + 8, 24};
  // The check boxes side by side with even gaps between them, centred.
  std::array<int, 4> widths{};
  int total = 0;
  ui.canvas.SetFont(CheckFont());
  for (size_t i = 0; i < widths.size(); ++i) {
    widths[i] = kCaptionLeft + ui.canvas.TextWidth(kBoxCaptions[i]);
    total += widths[i];
  }
  const int gap = std::min(kMostCheckGap, (l.box.width - 60 - total) / 3);
  int x = l.box.x + (l.box.width - total - 3 * gap) / 2;
  for (size_t i = 0; i < l.checks.size(); ++i) {
    l.checks[i] = {x, l.box.y + 196, widths[i], 22};
    x += widths[i] + gap;
  }
  l.ok = {l.box.x + l.box.width / 2 - 84, l.box.y + l.box.height - 44, 80, 27};
  l.cancel = {l.box.x + l.box.width / 2 + 4, l.box.y + l.box.height - 44, 80, 27};
  return l;
}

}  // namespace

bool ShowFindDialog(App& app) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  const PointerFollowing still(ui, false);
  const Layout l = Arrange(ui);
  std::array<bool, 4> on = {true, false, false, true};
  TextField query{"", 0, kQueryLimit};
  bool caretShown = true;
  int outcome = 0;  // 1 OK, -1 Cancel

  ui.platform.ShowMainWindow();
  const SavedArea saved = OpenBox(ui, l.box);
  ui.platform.StartCaretTimer(kCaretPeriodMs);
  while (outcome == 0) {
    DrawBox(ui, l.box);
    canvas.SetFont({FontFamily::kSans, 18, true});
    canvas.DrawTextCentred({l.box.x, l.box.y + 14, l.box.width, 26}, "Find", theme::kInk);
    DrawField(ui, l.field, query.text, true, query.cursor, caretShown);
    canvas.SetFont({FontFamily::kSans, 13, false});
    for (size_t i = 0; i < 4; ++i)
      canvas.DrawText(l.box.x + 30, l.box.y + 92 + static_cast<int>(i) * 22, kHelpLines[i], theme::kMutedInk);
    for (size_t i = 0; i < 4; ++i) DrawCheckOption(canvas, l.checks[i], kBoxCaptions[i], on[i]);
    DrawButton(ui, l.ok, "OK");
    DrawButton(ui, l.cancel, "Cancel");
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    if (in.typedCharacter == 0 && in.keyCode == 0 && !(in.buttonBits & kLeftButton)) {
      caretShown = !caretShown;  // a caret tick
      continue;
    }
    caretShown = true;
    ui.platform.StartCaretTimer(kCaretPeriodMs);

    bool ok = ButtonActivated(ui, "OK", l.ok, 0);
    if (!ok && ButtonActivated(ui, "Cancel", l.cancel, 0)) outcome = -1;
    if (in.buttonBits & kLeftButton) {
      for (size_t i = 0; i < 4; ++i)
        if (l.checks[i].Contains(in.mouseX, in.mouseY)) on[i] = !on[i];
      if (l.field.Contains(in.mouseX, in.mouseY)) {
        query.cursor = (in.mouseX - l.field.x - 4 + kFieldCharWidth / 2) / kFieldCharWidth;
        ClampCursor(query);
      }
    } else if (!ok && in.typedCharacter != typed::kEnter) {
      const std::string before = query.text;
      FieldAction action = EditField(query, in);
      if (action == FieldAction::kCopy || action == FieldAction::kCut) ui.platform.SetClipboardText(before);
      if (action == FieldAction::kPaste) PasteIntoField(query, ui.platform.ClipboardText());
    }
    if (!ok) continue;
    const int32_t chapter = app.db.chapterTable[static_cast<size_t>(app.db.currentChapterRow)].number;
    if (!on[3] && chapter < 0) {
      ShowNotice(ui, "Select a chapter first|or click ALL CHAPTERS");
    } else if (!on[0] && !on[1] && !on[2]) {
      ShowNotice(ui, "You must select at least one field to search");
    } else {
      outcome = 1;
    }
  }
  ui.platform.StopCaretTimer();
  CloseBox(ui, saved);
  const std::string text = TrimBlanks(query.text);
  if (outcome != 1 || text.empty()) return false;
  if (SearchRecords(app.db, text, {on[0], on[1], on[2], on[3]}) == 0) ShowNotice(ui, NoMatchesMessage(text));
  return true;
}

}  // namespace tovalia
