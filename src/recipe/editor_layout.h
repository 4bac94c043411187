// Where the recipe editor puts things and how it draws them. The text
// columns have the Recipe screen's widths and face, so a line breaks in the
// editor where it breaks on the Recipe screen.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "recipe/editor_model.h"
#include "state/app_state.h"

namespace tovalia {

struct EditorLayout {
  EditorLayout(Canvas& canvas, bool textRecord);

  Rect titleField;
  Rect textFrame;  // around the text columns
  Rect columns[3];  // per field (title, ingredients, directions): its text's left edge and wrap width
  Rect hitAreas[3];  // per field: where a click lands in it
  int boundary = 0;  // x of the line between the two columns
  int rowHeight = 20;
  int visibleRows = 1;
  EditorWrap wrap;
  std::vector<std::string> captions;  // the side bar's buttons, in the order tested
  std::vector<Rect> buttons;
  Rect photoArea;
  Rect showReturnsBox;
  TextMeasure measure;
  Font textFont;
};

// What the screen shows besides the record: caret, option, photo preview.
struct EditorView {
  bool caretShown = true;
  bool showReturns = false;
  int titleScroll = 0;  // the first title character shown
  Image photo;          // the record's photo when it is sound
};

// The caption of the servings button.
std::string ServingsCaption(int servings);

void DrawEditor(App& app, const EditorModel& model, const EditorLayout& layout, EditorView& view);

// The row and column a point in a field stands for (row may lie outside
// the visible rows when the point is above or below the field).
void FieldPosition(const EditorLayout& layout, const EditorText& field, EditorFocus which, const EditorView& view,
                   int x, int y, int& row, int& column);
// Where the caret of a field is drawn (its top left), for the context menu.
void CaretPoint(const EditorLayout& layout, const EditorText& field, EditorFocus which, const EditorView& view,
                int& x, int& y);

}  // namespace tovalia
