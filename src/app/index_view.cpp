#include "app/index_view.h"

#include <algorithm>

#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "ui/button.h"
#include "ui/frame.h"
#include "ui/list_panel.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kMargin = 20;
constexpr int kTop = 80;
constexpr int kGap = 16;
constexpr int kButtonHeight = 28;
constexpr int kButtonsPerRow = 7;

void DrawCheckBox(Canvas& canvas, const Rect& r, bool ticked) {
  if (ticked) {
    canvas.FillRoundedRect(r, 3, theme::kAccent);
    canvas.DrawLine(r.x + 3, r.y + 7, r.x + 6, r.y + 10, 0xFFFFFF, 2);
    canvas.DrawLine(r.x + 6, r.y + 10, r.x + 11, r.y + 4, 0xFFFFFF, 2);
  } else {
    canvas.FillRoundedRect(r, 3, 0xFFFFFF);
    canvas.StrokeRect(r, theme::kButtonEdge, 1, 3);
  }
}

}  // namespace

IndexView::IndexView(const Ui& ui) {
  const int width = ui.canvas.Width();
  const int height = ui.canvas.Height();
  const int buttonsTop = height - 2 * kButtonHeight - 22;
  const int panelWidth = (width - 2 * kMargin - kGap) / 2;
  const int listHeight = buttonsTop - kTop - 14;
  chapterList = {kMargin, kTop, panelWidth, listHeight};
  recipeList = {kMargin + panelWidth + kGap, kTop, width - 2 * kMargin - panelWidth - kGap, listHeight};
  chapterRowsShown = (listHeight - 8) / rowHeight;
  recipeRowsShown = chapterRowsShown;

  captions = {"Chapter", "Find",   "Add Recipe", "Add Text", "Edit",   "Delete",
              "Move",    "Copy",   "New Meal",   "Print",    "Import", "Export",
              "Locate Duplicates", "Save PDF Book"};
  const int slot = (width - 2 * kMargin) / kButtonsPerRow;
  for (size_t i = 0; i < captions.size(); ++i) {
    int column = static_cast<int>(i) % kButtonsPerRow;
    int row = static_cast<int>(i) / kButtonsPerRow;
    buttons.push_back({kMargin + column * slot + 3, buttonsTop + row * (kButtonHeight + 8), slot - 6,
                       kButtonHeight});
  }
}

int IndexView::ChapterRowAt(int x, int y) const {
  if (!chapterList.Contains(x, y) || y < chapterList.y + 4) return -1;
  int row = (y - chapterList.y - 4) / rowHeight;
  return row < chapterRowsShown ? row : -1;
}

int IndexView::RecipeRowAt(int x, int y) const {
  if (!recipeList.Contains(x, y) || y < recipeList.y + 4) return -1;
  int row = (y - recipeList.y - 4) / rowHeight;
  return row < recipeRowsShown ? row : -1;
}

Rect IndexView::CheckBox(int visibleRow) const {
  return {recipeList.x + 10, recipeList.y + 4 + visibleRow * rowHeight + (rowHeight - 14) / 2, 14, 14};
}

void ScrollIntoView(App& app, const IndexView& view) {
  Database& db = app.db;
  const int chapters = static_cast<int>(db.chapterTable.size());
  db.currentChapterRow = std::clamp(db.currentChapterRow, 0, std::max(chapters - 1, 0));
  if (db.currentChapterRow < db.firstVisibleChapterRow) db.firstVisibleChapterRow = db.currentChapterRow;
  if (db.currentChapterRow >= db.firstVisibleChapterRow + view.chapterRowsShown)
    db.firstVisibleChapterRow = db.currentChapterRow - view.chapterRowsShown + 1;
  db.firstVisibleChapterRow =
      std::clamp(db.firstVisibleChapterRow, 0, std::max(chapters - view.chapterRowsShown, 0));

  const int titles = static_cast<int>(db.recipeList.size());
  db.listPosition = std::clamp(db.listPosition, 0, std::max(titles - 1, 0));
  if (db.listPosition < db.firstVisibleTitle) db.firstVisibleTitle = db.listPosition;
  if (db.listPosition >= db.firstVisibleTitle + view.recipeRowsShown)
    db.firstVisibleTitle = db.listPosition - view.recipeRowsShown + 1;
  db.firstVisibleTitle = std::clamp(db.firstVisibleTitle, 0, std::max(titles - view.recipeRowsShown, 0));
}

void DrawIndexScreen(App& app, const IndexView& view) {
  Ui& ui = app.ui;
  Database& db = app.db;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, kIndexScreen);

  const int chapters = static_cast<int>(db.chapterTable.size()) - kReservedChapterRows;
  DrawListCaption(canvas, view.chapterList, "Chapters", std::to_string(chapters) + " Chapters");
  DrawListCaption(canvas, view.recipeList, "Recipes", std::to_string(db.recipeList.size()) + " Recipes");

  const bool chaptersFocused = view.focus == IndexFocus::kChapters;
  DrawListPanel(canvas, view.chapterList, chaptersFocused);
  canvas.PushClip(view.chapterList, 6);
  for (int row = 0; row < view.chapterRowsShown; ++row) {
    const size_t index = static_cast<size_t>(db.firstVisibleChapterRow + row);
    if (index >= db.chapterTable.size()) break;
    const ChapterRow& chapter = db.chapterTable[index];
    Rect r{view.chapterList.x + 4, view.chapterList.y + 4 + row * view.rowHeight,
           view.chapterList.width - 16, view.rowHeight};
    const bool current = static_cast<int>(index) == db.currentChapterRow;
    if (current) canvas.FillRoundedRect(r, 4, chaptersFocused ? theme::kSelection : 0xEEE8DC);
    const bool reserved = chapter.number < 0;
    canvas.SetFont({FontFamily::kSans, 14, current, reserved});
    canvas.DrawText(r.x + 10, r.y + (view.rowHeight - canvas.LineHeight()) / 2, chapter.name,
                    reserved ? theme::kHeaderBottom : theme::kInk);
    if (index == kReservedChapterRows - 1 && chapters > 0)
      canvas.DrawLine(r.x + 6, r.y + view.rowHeight - 1, r.x + r.width - 6, r.y + view.rowHeight - 1,
                      theme::kPanelEdge);
  }
  canvas.PopClip();
  DrawScrollThumb(canvas, view.chapterList, db.firstVisibleChapterRow, view.chapterRowsShown,
                  static_cast<int>(db.chapterTable.size()));
  canvas.RecordButton(view.chapterList, "");

  DrawListPanel(canvas, view.recipeList, !chaptersFocused);
  canvas.PushClip(view.recipeList, 6);
  for (int row = 0; row < view.recipeRowsShown; ++row) {
    const size_t item = static_cast<size_t>(db.firstVisibleTitle + row);
    if (item >= db.recipeList.size()) break;
    const int32_t o = db.recipeList[item];
    Rect r{view.recipeList.x + 4, view.recipeList.y + 4 + row * view.rowHeight,
           view.recipeList.width - 16, view.rowHeight};
    const bool current = static_cast<int>(item) == db.listPosition;
    if (current) canvas.FillRoundedRect(r, 4, chaptersFocused ? 0xEEE8DC : theme::kSelection);
    DrawCheckBox(canvas, view.CheckBox(row), db.selectionFlags[item] != 0);
    const bool text = EntryKind(db, o) == kKindTextRecord;
    canvas.SetFont({FontFamily::kSans, 14, false, text});
    canvas.DrawText(r.x + 30, r.y + (view.rowHeight - canvas.LineHeight()) / 2,
                    std::string(EntryTitle(db, o)), theme::kInk);
    if (EntryHasPhoto(db, o)) {
      canvas.FillRoundedRect({r.x + r.width - 18, r.y + 6, 12, 9}, 2, theme::kHeaderTop);
      canvas.FillRect({r.x + r.width - 14, r.y + 8, 4, 4}, 0xFFFFFF);
    }
  }
  canvas.PopClip();
  DrawScrollThumb(canvas, view.recipeList, db.firstVisibleTitle, view.recipeRowsShown,
                  static_cast<int>(db.recipeList.size()));
  canvas.RecordButton(view.recipeList, "");

  for (size_t b = 0; b < view.buttons.size(); ++b) DrawButton(ui, view.buttons[b], view.captions[b]);
}

}  // namespace tovalia
