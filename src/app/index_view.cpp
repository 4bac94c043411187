#include "app/index_view.h"

#include <algorithm>

#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/fitted_text.h"
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
constexpr int kCaptionPadding = 16;
constexpr double kSmallestRowText = 12;

// The whole text of the shortened row under the pointer, if any.
struct HoverTip {
  Rect place;
  std::string text;
  void Offer(const Rect& where, const std::string& whole, const InputState& in) {
    if (where.Contains(in.mouseX, in.mouseY)) place = where, text = whole;
  }
};

// The strip down a list's right edge, beside its rows.
Rect ScrollTrack(const Rect& list) { return {list.x + list.width - 12, list.y + 4, 10, list.height - 8}; }

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
  // Every caption in the buttons' one size: each column as wide as its
  // longest caption, and the room left shared out evenly.
  std::vector<int> columns(kButtonsPerRow, 0);
  ui.canvas.SetFont(theme::ButtonFont());
  for (size_t i = 0; i < captions.size(); ++i) {
    int& column = columns[i % kButtonsPerRow];
    column = std::max(column, ui.canvas.TextWidth(captions[i]) + kCaptionPadding);
  }
  int spare = width - 2 * kMargin;
  for (int column : columns) spare -= column;
  spare = std::max(spare, 0) / kButtonsPerRow;
  for (size_t i = 0; i < captions.size(); ++i) {
    const size_t column = i % kButtonsPerRow;
    int x = kMargin;
    for (size_t c = 0; c < column; ++c) x += columns[c] + spare;
    const int row = static_cast<int>(i) / kButtonsPerRow;
    buttons.push_back({x + 3, buttonsTop + row * (kButtonHeight + 8), columns[column] + spare - 6, kButtonHeight});
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

ScrollBar IndexView::ChapterBar(const Database& db) const {
  return {ScrollTrack(chapterList), db.firstVisibleChapterRow, chapterRowsShown,
          static_cast<int>(db.chapterTable.size())};
}

ScrollBar IndexView::RecipeBar(const Database& db) const {
  return {ScrollTrack(recipeList), db.firstVisibleTitle, recipeRowsShown, static_cast<int>(db.recipeList.size())};
}

void KeepScrollInRange(App& app, const IndexView& view) {
  Database& db = app.db;
  db.firstVisibleChapterRow = std::clamp(db.firstVisibleChapterRow, 0, view.ChapterBar(db).LastFirst());
  db.firstVisibleTitle = std::clamp(db.firstVisibleTitle, 0, view.RecipeBar(db).LastFirst());
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
  HoverTip tip;

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
    const Rect place{r.x + 10, r.y, r.width - 14, view.rowHeight};
    if (DrawFittedLine(canvas, place, chapter.name, {FontFamily::kSans, 14, current, reserved}, kSmallestRowText,
                       reserved ? theme::kHeaderBottom : theme::kInk))
      tip.Offer(place, chapter.name, ui.input);
    if (index == kReservedChapterRows - 1 && chapters > 0)
      canvas.DrawLine(r.x + 6, r.y + view.rowHeight - 1, r.x + r.width - 6, r.y + view.rowHeight - 1,
                      theme::kPanelEdge);
  }
  canvas.PopClip();
  DrawScrollBar(canvas, view.ChapterBar(db));
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
    const bool photo = EntryHasPhoto(db, o);
    const Rect place{r.x + 30, r.y, r.width - 34 - (photo ? 18 : 0), view.rowHeight};
    const std::string title(EntryTitle(db, o));
    if (DrawFittedLine(canvas, place, title, {FontFamily::kSans, 14, false, text}, kSmallestRowText, theme::kInk))
      tip.Offer(place, title, ui.input);
    if (photo) {
      canvas.FillRoundedRect({r.x + r.width - 18, r.y + 6, 12, 9}, 2, theme::kHeaderTop);
      canvas.FillRect({r.x + r.width - 14, r.y + 8, 4, 4}, 0xFFFFFF);
    }
  }
  canvas.PopClip();
  DrawScrollBar(canvas, view.RecipeBar(db));
  canvas.RecordButton(view.recipeList, "");

  for (size_t b = 0; b < view.buttons.size(); ++b) DrawButton(ui, view.buttons[b], view.captions[b]);
  // A name cut short shows whole while the pointer rests on it.
  if (!tip.text.empty()) DrawTip(ui, tip.place, tip.text);
}

}  // namespace tovalia
