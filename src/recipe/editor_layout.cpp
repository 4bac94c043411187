#include "recipe/editor_layout.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/record_format.h"
#include "recipe/photo_commands.h"
#include "recipe/recipe_view.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/frame.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kBarWidth = 112;
constexpr int kButtonStep = 29;
constexpr int kPhotoHeight = 84;
constexpr Color kBlockBackground = 0xBFD6F0;
constexpr Color kFieldBackground = 0xFFFFFF;
constexpr char kReturnMark = static_cast<char>(182);  // the pilcrow

int Index(EditorFocus which) { return static_cast<int>(which); }

// The pixel width of the field's text from its row start up to `offset`.
int WidthUpTo(const EditorLayout& layout, const EditorText& field, int32_t row, int32_t offset) {
  const int32_t start = RowStart(field, row);
  if (offset <= start) return 0;
  return layout.measure(std::string_view(field.text).substr(static_cast<size_t>(start),
                                                              static_cast<size_t>(offset - start)));
}

void DrawTextRows(Canvas& canvas, const EditorLayout& layout, const EditorText& field, EditorFocus which,
                  bool focused, const EditorView& view) {
  const Rect& column = layout.columns[Index(which)];
  canvas.PushClip({column.x - 2, column.y, column.width + 12, layout.visibleRows * layout.rowHeight});
  const int rows = RowCount(field);
  for (int r = 0; r < layout.visibleRows && field.firstVisible + r < rows; ++r) {
    const int32_t row = field.firstVisible + r;
    const int y = column.y + r * layout.rowHeight;
    const std::string_view text = RowText(field, row);
    const int32_t start = RowStart(field, row);
    if (field.HasBlock()) {
      const int32_t rowEnd = start + static_cast<int32_t>(text.size()) + (RowEndsWithReturn(field, row) ? 1 : 0);
      const int32_t from = std::max(field.blockStart, start), to = std::min(field.blockEnd, rowEnd);
      if (from < to || (from == to && from < rowEnd)) {
        const int x0 = WidthUpTo(layout, field, row, std::min(from, start + static_cast<int32_t>(text.size())));
        int x1 = WidthUpTo(layout, field, row, std::min(to, start + static_cast<int32_t>(text.size())));
        if (to > start + static_cast<int32_t>(text.size())) x1 += 6;  // the marked CR
        canvas.FillRect({column.x + x0, y + 1, std::max(x1 - x0, 2), layout.rowHeight - 2}, kBlockBackground);
      }
    }
    canvas.SetFont(layout.textFont);
    const int textWidth = canvas.DrawText(column.x, y + (layout.rowHeight - 19) / 2, std::string(text), theme::kInk);
    if (view.showReturns && RowEndsWithReturn(field, row)) {
      canvas.SetFont({FontFamily::kSans, 12, false});
      canvas.DrawText(column.x + textWidth + 1, y + (layout.rowHeight - 14) / 2, std::string(1, kReturnMark),
                      theme::kAccent);
    }
  }
  if (focused && view.caretShown) {
    const int32_t row = RowOf(field, field.cursor);
    if (row >= field.firstVisible && row < field.firstVisible + layout.visibleRows) {
      const int x = column.x + WidthUpTo(layout, field, row, field.cursor);
      const int y = column.y + (row - field.firstVisible) * layout.rowHeight;
      canvas.FillRect({x, y + 2, 2, layout.rowHeight - 4}, theme::kAccent);
    }
  }
  canvas.PopClip();
  // Where the view lies in a text longer than the field.
  if (rows > layout.visibleRows) {
    const int track = layout.visibleRows * layout.rowHeight - 8;
    const int thumb = std::max(16, track * layout.visibleRows / rows);
    const int top = column.y + 4 + (track - thumb) * field.firstVisible / std::max(rows - layout.visibleRows, 1);
    const Rect& area = layout.hitAreas[Index(which)];
    canvas.FillRoundedRect({area.x + area.width - 7, top, 4, thumb}, 2, 0xB8AD9A);
  }
}

void DrawTitle(Canvas& canvas, const EditorLayout& layout, const EditorModel& model, EditorView& view) {
  const EditorText& title = model.title;
  const bool focused = model.focus == EditorFocus::kTitle;
  const Rect& r = layout.titleField;
  canvas.FillRoundedRect(r, 5, kFieldBackground);
  canvas.StrokeRect(r, focused ? theme::kAccent : theme::kPanelEdge, focused ? 2 : 1, 5);
  canvas.RecordButton(r, "");
  // The title scrolls sideways to keep the cursor in view.
  const int room = r.width - 16;
  view.titleScroll = std::clamp(view.titleScroll, 0, std::min(title.cursor, title.Length()));
  while (view.titleScroll < title.cursor &&
         layout.measure(std::string_view(title.text).substr(static_cast<size_t>(view.titleScroll),
                                                            static_cast<size_t>(title.cursor - view.titleScroll))) > room)
    ++view.titleScroll;
  EditorLayout shifted = layout;
  const int scrolled = WidthUpTo(layout, title, 0, view.titleScroll);
  shifted.columns[0].x = r.x + 8 - scrolled;
  shifted.columns[0].width += scrolled;
  shifted.visibleRows = 1;
  canvas.PushClip({r.x + 4, r.y, r.width - 8, r.height});
  DrawTextRows(canvas, shifted, title, EditorFocus::kTitle, focused, view);
  canvas.PopClip();
}

}  // namespace

std::string ServingsCaption(int servings) { return "Serves " + std::to_string(servings); }

EditorLayout::EditorLayout(Canvas& canvas, bool textRecord) {
  const RecipeLayout viewer(canvas);
  textFont = {FontFamily::kSans, 16, false};
  measure = [&canvas, font = textFont](std::string_view run) {
    canvas.SetFont(font);
    return canvas.TextWidth(std::string(run));
  };
  titleField = {viewer.header.x + 58, viewer.header.y + 6, viewer.header.width - 58, 30};
  textFrame = {viewer.text.x, viewer.text.y - 4, viewer.text.width, 0};
  const int textHeight = canvas.Height() - viewer.text.y - 36;
  visibleRows = std::max(textHeight / rowHeight, 1);
  textFrame.height = visibleRows * rowHeight + 8;
  boundary = viewer.boundary;
  const int top = viewer.text.y;
  const int height = visibleRows * rowHeight;
  // The same columns, and the same two spare pixels, as the Recipe screen.
  const TextColumn& first = textRecord ? viewer.full : viewer.ingredients;
  columns[0] = {titleField.x + 8, titleField.y + (titleField.height - rowHeight) / 2, titleField.width - 16, rowHeight};
  columns[1] = {first.left, top, first.Width() - 2, height};
  columns[2] = {viewer.directions.left, top, viewer.directions.Width() - 2, height};
  hitAreas[0] = titleField;
  if (textRecord) {
    hitAreas[1] = {textFrame.x, top, textFrame.width, height};
    hitAreas[2] = {};
  } else {
    hitAreas[1] = {textFrame.x, top, boundary - 4 - textFrame.x, height};
    hitAreas[2] = {boundary - 4, top, textFrame.x + textFrame.width - (boundary - 4), height};
  }
  wrap.ingredientsPixels = columns[1].width;
  wrap.directionsPixels = columns[2].width;
  wrap.measure = measure;
  wrap.visibleRows = visibleRows;

  const int barX = canvas.Width() - 20 - kBarWidth;
  int y = viewer.header.y + 4;
  auto button = [&](const std::string& caption) {
    captions.push_back(caption);
    buttons.push_back({barX, y, kBarWidth, 25});
    y += kButtonStep;
  };
  if (!textRecord) {
    button("Serves");  // its caption carries the servings; see ServingsCaption
    button("Resize");
  }
  photoArea = {barX, y + 2, kBarWidth, kPhotoHeight};
  y += kPhotoHeight + 8;
  for (const char* caption : kPhotoCaptions) button(caption);
  y += 6;
  button("Spell Check");
  showReturnsBox = {barX + 4, y + 4, 16, 16};
  y += kButtonStep;
  y += 6;
  button("Save");
  button("Cancel");
}

void DrawEditor(App& app, const EditorModel& model, const EditorLayout& layout, EditorView& view) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, app.currentScreen);
  // The screen's caption sits in the header band, after the tabs.
  canvas.SetFont({FontFamily::kSerif, 17, true});
  canvas.DrawText(TabRect(kTabCount).x + 14, 26, model.textRecord ? "Edit Informational Text" : "Edit Recipe",
                  theme::kHeaderInk);

  canvas.SetFont({FontFamily::kSans, 15, true});
  canvas.DrawText(layout.titleField.x - 50, layout.titleField.y + 6, "Title:", theme::kInk);
  DrawTitle(canvas, layout, model, view);

  if (!model.textRecord) {
    canvas.SetFont({FontFamily::kSans, 14, true});
    canvas.DrawText(layout.columns[1].x, layout.textFrame.y - 20, "Ingredients", theme::kMutedInk);
    canvas.DrawText(layout.columns[2].x, layout.textFrame.y - 20, "Directions", theme::kMutedInk);
  }
  canvas.FillRoundedRect(layout.textFrame, 8, kFieldBackground);
  canvas.StrokeRect(layout.textFrame, theme::kPanelEdge, 1, 8);
  const int fields = model.textRecord ? 2 : 3;
  for (int f = 1; f < fields; ++f) {
    const EditorFocus which = static_cast<EditorFocus>(f);
    const bool focused = model.focus == which;
    const Rect& area = layout.hitAreas[f];
    if (focused) canvas.StrokeRect({area.x + 2, area.y - 2, area.width - 4, area.height + 4}, theme::kAccent, 2, 6);
    canvas.RecordButton(area, "");
    DrawTextRows(canvas, layout, model.Field(which), which, focused, view);
  }
  if (!model.textRecord)
    canvas.DrawLine(layout.boundary - 4, layout.textFrame.y + 6, layout.boundary - 4,
                    layout.textFrame.y + layout.textFrame.height - 6, 0xE3DACB);

  // The side bar: servings, photo, spell check, the option, Save and Cancel.
  const int servings = GetU8(app.db.recordHeaderBuffer, header::kServings);
  for (size_t b = 0; b < layout.buttons.size(); ++b)
    DrawButton(ui, layout.buttons[b], layout.captions[b] == "Serves" ? ServingsCaption(servings) : layout.captions[b]);
  canvas.FillRoundedRect(layout.photoArea, 5, theme::kPaper);
  canvas.StrokeRect(layout.photoArea, theme::kPanelEdge, 1, 5);
  if (view.photo.Empty()) {
    canvas.SetFont({FontFamily::kSans, 13, false});
    canvas.DrawTextCentred(layout.photoArea, "No Photo", theme::kMutedInk);
  } else {
    const Rect& a = layout.photoArea;
    const double f = std::min(static_cast<double>(a.width - 6) / view.photo.width,
                              static_cast<double>(a.height - 6) / view.photo.height);
    const int w = std::max(1, static_cast<int>(view.photo.width * f));
    const int h = std::max(1, static_cast<int>(view.photo.height * f));
    canvas.DrawImageScaled(view.photo, {a.x + (a.width - w) / 2, a.y + (a.height - h) / 2, w, h});
  }
  DrawCheckBox(canvas, layout.showReturnsBox, view.showReturns);
  canvas.SetFont(theme::BodyFont());
  canvas.DrawText(layout.showReturnsBox.x + 24, layout.showReturnsBox.y - 1, "Show C/R", theme::kInk);
  canvas.RecordButton({layout.showReturnsBox.x, layout.showReturnsBox.y, 96, 18}, "Show C/R");
}

void FieldPosition(const EditorLayout& layout, const EditorText& field, EditorFocus which, const EditorView& view,
                   int x, int y, int& row, int& column) {
  const Rect& c = layout.columns[Index(which)];
  const int offsetY = y - c.y;
  row = field.firstVisible + (offsetY >= 0 ? offsetY / layout.rowHeight : -1);
  const int32_t shownRow = std::clamp(row, 0, RowCount(field) - 1);
  const std::string_view text = RowText(field, shownRow);
  int target = x - c.x;
  if (which == EditorFocus::kTitle) target += WidthUpTo(layout, field, 0, view.titleScroll);
  // The character boundary nearest the point.
  column = 0;
  int previous = 0;
  for (size_t i = 1; i <= text.size(); ++i) {
    const int width = layout.measure(text.substr(0, i));
    if ((previous + width) / 2 > target) break;
    column = static_cast<int>(i);
    previous = width;
  }
}

void CaretPoint(const EditorLayout& layout, const EditorText& field, EditorFocus which, const EditorView& view,
                int& x, int& y) {
  const Rect& c = layout.columns[Index(which)];
  const int32_t row = RowOf(field, field.cursor);
  x = c.x + WidthUpTo(layout, field, row, field.cursor);
  y = c.y + (std::clamp(row - field.firstVisible, 0, layout.visibleRows - 1) + 1) * layout.rowHeight;
  if (which == EditorFocus::kTitle) x -= WidthUpTo(layout, field, 0, view.titleScroll);
}

}  // namespace tovalia
