// The Recipe screen's picture of one record: the viewer state, the layout
// (header band, photo band, two text columns, the command bar) and drawing.
#pragma once

#include <string>
#include <vector>

#include "db/byte_buffer.h"
#include "layout/line_breaker.h"
#include "platform/canvas.h"
#include "state/app_state.h"
#include "ui/scroll_bar.h"

namespace tovalia {

struct RecipeViewer {
  bool hasRecord = false;
  bool textRecord = false;
  ByteBuffer ingredientsTable;
  ByteBuffer directionsTable;
  Image photo;
  int topRow = 0;
  int rowsPerPage = 0;
  int photoRows = 0;
  int ingredientRows = 0;
  int directionRows = 0;
  int totalRows = 0;
  std::string findString;  // upper-cased; empty when no search is active
  // The word under the pointer, offered to the grocery list.
  std::string hoverWord;
  int hoverRow = -1;
  int hoverFirst = -1;
  int hoverLast = -1;
};

// Where a column's text is drawn: from left up to (not including) right.
struct TextColumn {
  int left = 0;
  int right = 0;
  int Width() const { return right - left; }
};

struct RecipeLayout {
  explicit RecipeLayout(Canvas& canvas);
  Rect header;
  Rect text;         // the text area
  int boundary = 0;  // x where the directions column starts
  int rowHeight = 24;
  std::vector<std::string> captions;  // the command bar, in the order tested
  std::vector<Rect> buttons;
  Rect status;
  TextColumn ingredients;
  TextColumn directions;
  TextColumn full;  // a text record's one column
  // Measures text in the face the rows are drawn in.
  TextMeasure measure;
};

// Loads the current list item (or nothing when the list is empty) into the
// record buffers and lays it out: line tables, photo, rows; clears the
// search and scrolls to the top.
void LoadViewedRecord(App& app, RecipeViewer& viewer, const RecipeLayout& layout);

// The texts of a display row (ingredients part, directions part).
std::pair<std::string, std::string> RowText(const App& app, const RecipeViewer& viewer, int textRow);

void DrawRecipeScreen(App& app, const RecipeViewer& viewer, const RecipeLayout& layout);

// The scroll bar down the text area's right edge.
ScrollBar PageBar(const RecipeViewer& viewer, const RecipeLayout& layout);

}  // namespace tovalia
