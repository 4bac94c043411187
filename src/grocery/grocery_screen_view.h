// The Grocery screen's geometry and drawing: the item list with its column
// captions and raise/lower buttons on every row, the "Display Mode" box
// with the three counts, the shopping list's total and the nine command
// buttons.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "state/app_state.h"

namespace tovalia {

struct GroceryView {
  explicit GroceryView(const Ui& ui);

  Rect list;    // the panel
  Rect header;  // the column captions, above the rows
  Rect rows;    // the rows
  int rowHeight = 22;
  int rowsShown = 1;
  // Columns, in window pixels: the two quantity buttons, the quantity's
  // right edge, then item, store and location from their left edges, and
  // the cost's right edge.
  int raiseX = 0, lowerX = 0, quantityRight = 0, itemX = 0, storeX = 0, locationX = 0, costRight = 0;

  Rect modeBox;
  std::vector<Rect> modeLines;  // All Items, Selected Items, Search Results
  int totalTop = 0;
  std::vector<std::string> captions;  // the command buttons, in the order they are tested
  std::vector<Rect> buttons;
  std::vector<int> hotKeys;           // the caption's letter that chooses it

  // The visible row under a point (0 = the top row shown), or -1.
  int RowAt(int x, int y) const;
  Rect RaiseButton(int visibleRow) const;
  Rect LowerButton(int visibleRow) const;
  // The display mode whose line is under the point, or -1.
  int ModeAt(int x, int y) const;
};

inline constexpr const char* kDisplayModeNames[] = {"All Items", "Selected Items", "Search Results"};

void DrawGroceryScreen(App& app, const GroceryView& view);

}  // namespace tovalia
