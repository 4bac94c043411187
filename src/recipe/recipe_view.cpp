#include "recipe/recipe_view.h"

#include <algorithm>

#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "platform/bmp_codec.h"
#include "recipe/line_table.h"
#include "recipe/quantity.h"
#include "ui/button.h"
#include "ui/fitted_text.h"
#include "ui/frame.h"
#include "ui/scroll_bar.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kPhotoMinimumLength = 33;  // a photo counts only above 32 bytes
constexpr Color kMatchBackground = 0xF6E27A;
constexpr Color kHoverBackground = 0xCFE3BF;

Font TextFont() { return {FontFamily::kSans, 16, false}; }
Font QuantityFont() { return {FontFamily::kSans, 16, true}; }

std::string_view Text(const ByteBuffer& buffer, int32_t length) {
  if (!buffer.Holds(0, length)) return {};
  return {reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(length)};
}

std::string_view IngredientsText(const App& app) {
  return Text(app.db.ingredientsBuffer, GetI32(app.db.recordHeaderBuffer, header::kIngredientsLength));
}

std::string_view DirectionsText(const App& app) {
  return Text(app.db.directionsBuffer, GetI32(app.db.recordHeaderBuffer, header::kDirectionsLength));
}

// Draws a row's text from x, clipped at `right`: the matched search text and
// the hover word on their highlights, an ingredient's opening quantity bold.
void DrawRowText(Canvas& canvas, int x, int y, int right, const std::string& text,
                 const std::string& find, int hoverFirst, int hoverLast, bool ingredient,
                 int rowHeight) {
  canvas.PushClip({x, y, std::max(right - x, 0), rowHeight});
  const int textY = y + (rowHeight - 20) / 2;
  size_t match = std::string::npos;
  if (!find.empty()) match = UpperCase(text).find(find);
  auto highlight = [&](size_t first, size_t count, Color color) {
    canvas.SetFont(TextFont());
    int from = x + canvas.TextWidth(text.substr(0, first));
    int width = canvas.TextWidth(text.substr(first, count));
    canvas.FillRoundedRect({from - 1, y + 2, width + 2, rowHeight - 4}, 3, color);
  };
  if (match != std::string::npos) highlight(match, find.size(), kMatchBackground);
  if (hoverFirst >= 0) highlight(static_cast<size_t>(hoverFirst), static_cast<size_t>(hoverLast - hoverFirst + 1),
                                 kHoverBackground);
  size_t quantity = 0;
  if (ingredient) {
    LeadingQuantity q = ParseLeadingQuantity(text);
    if (q.value != 0 && text.size() >= q.rest.size() &&
        text.compare(text.size() - q.rest.size(), q.rest.size(), q.rest) == 0)
      quantity = text.size() - q.rest.size();
  }
  if (quantity > 0) {
    canvas.SetFont(QuantityFont());
    canvas.DrawText(x, textY, text.substr(0, quantity), theme::kAccent);
    // The rest continues where the plain face would have put it, so that
    // highlights and the pointer's word stay in place.
    canvas.SetFont(TextFont());
    canvas.DrawText(x + canvas.TextWidth(text.substr(0, quantity)), textY, text.substr(quantity),
                    theme::kInk);
  } else {
    canvas.SetFont(TextFont());
    canvas.DrawText(x, textY, text, theme::kInk);
  }
  canvas.PopClip();
}

// The header band: the title, shrunk a little, then on two lines, then cut
// short when it still does not fit; "Serves  N" below it. True when the
// title was cut short.
bool DrawHeader(App& app, const RecipeViewer& viewer, const RecipeLayout& layout) {
  Canvas& canvas = app.ui.canvas;
  const Rect& band = layout.header;
  canvas.FillRoundedRect(band, 8, theme::kPaper);
  canvas.StrokeRect(band, theme::kPanelEdge, 1, 8);
  Font titleFont{FontFamily::kSerif, 22, true};
  canvas.SetFont(titleFont);
  if (!viewer.hasRecord) {
    canvas.DrawTextCentred(band, "*** No Recipes In This Chapter ***", theme::kMutedInk);
    return false;
  }
  const ByteBuffer& h = app.db.recordHeaderBuffer;
  const std::string title(Text(app.db.titleBuffer, GetU8(h, header::kTitleLength)));
  const int servings = GetU8(h, header::kServings);
  const bool serves = !viewer.textRecord && servings != 0;
  const Rect titleBox{band.x + 12, band.y, band.width - 24, band.height};
  const FittedText fitted = FitText(title, titleBox.width, 2, 22, 17, MeasureIn(canvas, titleFont));
  titleFont.pixelSize = fitted.size;
  canvas.SetFont(titleFont);
  const int lines = static_cast<int>(fitted.lines.size());
  const int lineStep = lines > 1 ? canvas.LineHeight() - 2 : 28;
  const int servesHeight = serves ? (lines > 1 ? 17 : 28) : 0;
  int y = serves && lines == 1 ? band.y + 3 : band.y + (band.height - lineStep * lines - servesHeight) / 2;
  for (const std::string& line : fitted.lines) {
    canvas.DrawTextCentred({titleBox.x, y, titleBox.width, lineStep}, line, theme::kInk);
    y += lineStep;
  }
  if (serves) {
    canvas.SetFont({FontFamily::kSans, lines > 1 ? 14.0 : 15.0, false, true});
    // A number gets a blank for its sign: two blanks after "Serves".
    canvas.DrawTextCentred({band.x, lines > 1 ? y : band.y + 26, band.width, servesHeight},
                           "Serves  " + std::to_string(servings), theme::kMutedInk);
  }
  return fitted.shortened;
}

}  // namespace

RecipeLayout::RecipeLayout(Canvas& canvas) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  const int barWidth = 112;
  header = {20, 60, width - 40 - barWidth - 12, 56};
  text = {20, 122, header.width, height - 122 - 36};
  text.height -= text.height % rowHeight;
  boundary = text.x + text.width * 2 / 5;
  status = {20, height - 30, width - 40, 24};
  captions = {kPreviousCaption, kNextCaption, "Edit", "Find", "Resize", "Delete", "New Meal", "Export", "Print"};
  const int barX = width - 20 - barWidth;
  buttons.push_back({barX, 64, barWidth / 2 - 3, 25});
  buttons.push_back({barX + barWidth / 2 + 3, 64, barWidth / 2 - 3, 25});
  for (size_t i = 2; i < captions.size(); ++i)
    buttons.push_back({barX, 122 + static_cast<int>(i - 2) * 33, barWidth, 25});
  // The scroll thumb runs down the right edge of the text area.
  ingredients = {text.x + 8, boundary - 5};
  directions = {boundary + 4, text.x + text.width - 10};
  full = {text.x + 8, text.x + text.width - 10};
  measure = [&canvas](std::string_view run) {
    canvas.SetFont(TextFont());
    return canvas.TextWidth(std::string(run));
  };
}

void LoadViewedRecord(App& app, RecipeViewer& viewer, const RecipeLayout& layout) {
  Database& db = app.db;
  viewer.hasRecord = false;
  viewer.findString.clear();
  viewer.topRow = 0;
  viewer.photo = Image{};
  viewer.hoverWord.clear();
  viewer.hoverRow = viewer.hoverFirst = viewer.hoverLast = -1;
  viewer.rowsPerPage = layout.text.height / layout.rowHeight;
  if (db.recipeList.empty()) {
    ClearCurrentRecord(db);
  } else {
    db.listPosition = std::clamp(db.listPosition, 0, static_cast<int32_t>(db.recipeList.size()) - 1);
    viewer.hasRecord =
        LoadRecord(db, EntryPosition(db, db.recipeList[static_cast<size_t>(db.listPosition)]));
  }
  viewer.textRecord = GetU8(db.recordHeaderBuffer, header::kRecordKind) == kKindTextRecord;
  // Lines are cut where they stop fitting their column, measured in the
  // face that draws them.
  CreateLineTable(viewer.ingredientsTable, kTextBufferSize + 1, line_table::kMostWrapWidth, kTextBufferSize);
  CreateLineTable(viewer.directionsTable, kTextBufferSize + 1, line_table::kMostWrapWidth, kTextBufferSize);
  // A row's parts are measured apart when an opening quantity is set bold,
  // and each width is rounded: two pixels spare keep such a row inside too.
  SetWrapPixels(viewer.ingredientsTable, (viewer.textRecord ? layout.full : layout.ingredients).Width() - 2);
  SetWrapPixels(viewer.directionsTable, layout.directions.Width() - 2);
  BuildLineTable(IngredientsText(app), viewer.ingredientsTable, layout.measure);
  BuildLineTable(viewer.textRecord ? std::string_view() : DirectionsText(app), viewer.directionsTable,
                 layout.measure);
  viewer.ingredientRows = LineCount(viewer.ingredientsTable);
  viewer.directionRows = LineCount(viewer.directionsTable);

  viewer.photoRows = 0;
  const int32_t photoLength = GetI32(db.recordHeaderBuffer, header::kPhotoLength);
  if (photoLength >= kPhotoMinimumLength &&
      DecodeBmp(db.photoBuffer.Data(), static_cast<size_t>(db.photoBuffer.Size()), viewer.photo))
    viewer.photoRows = 1 + viewer.photo.height / layout.rowHeight;
  viewer.totalRows = viewer.photoRows + std::max(viewer.ingredientRows, viewer.directionRows);
}

std::pair<std::string, std::string> RowText(const App& app, const RecipeViewer& viewer, int textRow) {
  std::pair<std::string, std::string> row;
  if (!viewer.hasRecord) return row;
  row.first = std::string(ShownLine(IngredientsText(app), viewer.ingredientsTable, textRow));
  if (!viewer.textRecord)
    row.second = std::string(ShownLine(DirectionsText(app), viewer.directionsTable, textRow));
  return row;
}

ScrollBar PageBar(const RecipeViewer& viewer, const RecipeLayout& layout) {
  return {{layout.text.x + layout.text.width - 9, layout.text.y, 8, layout.text.height}, viewer.topRow,
          viewer.rowsPerPage, viewer.totalRows};
}

void DrawRecipeScreen(App& app, const RecipeViewer& viewer, const RecipeLayout& layout) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  const ByteBuffer& h = app.db.recordHeaderBuffer;
  DrawFrame(ui, kRecipeScreen);

  const bool titleShortened = DrawHeader(app, viewer, layout);

  // The text area: photo band, then the two columns.
  canvas.FillRoundedRect({layout.text.x, layout.text.y - 4, layout.text.width, layout.text.height + 8}, 8,
                         0xFFFFFF);
  canvas.StrokeRect({layout.text.x, layout.text.y - 4, layout.text.width, layout.text.height + 8},
                    theme::kPanelEdge, 1, 8);
  if (viewer.hasRecord && !viewer.textRecord)
    canvas.DrawLine(layout.boundary - 4, layout.text.y + 2, layout.boundary - 4,
                    layout.text.y + layout.text.height - 2, 0xE3DACB);
  canvas.PushClip(layout.text);
  if (viewer.photoRows > viewer.topRow) {
    const int y = layout.text.y - viewer.topRow * layout.rowHeight;
    canvas.DrawImage(viewer.photo, layout.text.x + (layout.text.width - viewer.photo.width) / 2, y);
  }
  for (int r = viewer.topRow; r < viewer.topRow + viewer.rowsPerPage && r < viewer.totalRows; ++r) {
    if (r < viewer.photoRows) continue;
    const int t = r - viewer.photoRows;
    const int y = layout.text.y + (r - viewer.topRow) * layout.rowHeight;
    auto [ingredients, directions] = RowText(app, viewer, t);
    const bool hovered = t == viewer.hoverRow && !viewer.hoverWord.empty();
    const TextColumn& left = viewer.textRecord ? layout.full : layout.ingredients;
    DrawRowText(canvas, left.left, y, left.right, ingredients, viewer.findString,
                hovered ? viewer.hoverFirst : -1, viewer.hoverLast, !viewer.textRecord, layout.rowHeight);
    if (!viewer.textRecord)
      DrawRowText(canvas, layout.directions.left, y, layout.directions.right, directions, viewer.findString,
                  -1, -1, false, layout.rowHeight);
  }
  canvas.PopClip();
  canvas.RecordButton(layout.text, "");

  // Where the page lies in the whole record.
  DrawScrollBar(canvas, PageBar(viewer, layout));

  if (!viewer.hoverWord.empty()) {
    canvas.SetFont({FontFamily::kSans, 14, false});
    int x = layout.status.x + canvas.DrawText(layout.status.x, layout.status.y + 3, "Click to find ", theme::kInk);
    canvas.SetFont({FontFamily::kSans, 14, true});
    x += canvas.DrawText(x, layout.status.y + 3, viewer.hoverWord, theme::kAccent);
    canvas.SetFont({FontFamily::kSans, 14, false});
    canvas.DrawText(x, layout.status.y + 3, " in grocery list", theme::kInk);
  } else if (viewer.hasRecord) {
    canvas.SetFont({FontFamily::kSans, 13, false});
    canvas.DrawText(layout.status.x, layout.status.y + 4,
                    std::to_string(app.db.listPosition + 1) + " of " + std::to_string(app.db.recipeList.size()),
                    theme::kMutedInk);
  }

  for (size_t b = 0; b < layout.buttons.size(); ++b) DrawButton(ui, layout.buttons[b], layout.captions[b]);

  // A title cut short shows whole while the pointer rests on it.
  if (titleShortened && layout.header.Contains(ui.input.mouseX, ui.input.mouseY))
    DrawTip(ui, layout.header, std::string(Text(app.db.titleBuffer, GetU8(h, header::kTitleLength))));
}

}  // namespace tovalia
