// The Index screen's geometry and drawing: the chapter list and the recipe
// list side by side, their captions with counts, and the command buttons.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "state/app_state.h"
#include "ui/scroll_bar.h"

namespace tovalia {

enum class IndexFocus { kChapters, kRecipes };

struct IndexView {
  explicit IndexView(const Ui& ui);

  Rect chapterList;
  Rect recipeList;
  int rowHeight = 22;
  int chapterRowsShown = 0;
  int recipeRowsShown = 0;
  std::vector<std::string> captions;  // the command buttons, in the order they are tested
  std::vector<Rect> buttons;
  IndexFocus focus = IndexFocus::kRecipes;

  // The list row under a point, or -1.
  int ChapterRowAt(int x, int y) const;
  int RecipeRowAt(int x, int y) const;
  // The check box of a visible recipe row.
  Rect CheckBox(int visibleRow) const;
  // The scroll bars down the right edge of each list.
  ScrollBar ChapterBar(const Database& db) const;
  ScrollBar RecipeBar(const Database& db) const;
  // The row a Shift+click ticks from: the last title clicked or box toggled.
  int tickAnchor = -1;
};

void DrawIndexScreen(App& app, const IndexView& view);

// Keeps the current chapter row and list position inside the visible rows.
void ScrollIntoView(App& app, const IndexView& view);
// Keeps the first visible rows within the lists, wherever the current rows
// are (after scrolling, they may lie out of view).
void KeepScrollInRange(App& app, const IndexView& view);

}  // namespace tovalia
