// Timing the grocery list on a large generated catalogue: entering the
// Grocery screen, a quantity change (which rewrites Grocer30.dat), a find,
// adding an item and exporting the shopping list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovalia::bench {

struct GroceryFigures {
  int32_t items = 0;
  int64_t fileBytes = 0;
  int32_t onTheList = 0;
  std::vector<double> entryMs;     // read the file, build the view, draw the screen
  std::vector<double> quantityMs;  // one item raised or lowered, the file rewritten
  std::vector<double> rewriteMs;   // of which writing the file: temporary file, flush, rename
  std::vector<double> findMs;      // every item marked, the file rewritten, the results shown
  std::vector<double> addMs;       // a new item saved in name order
  std::vector<double> exportMs;    // the shopping list sorted and written as Text
};

// Writes a catalogue of `items` items into `folder` and times the figures
// above over `runs` runs each; throws when a result is wrong.
GroceryFigures MeasureGroceryList(const std::string& folder, int32_t items, int runs);

}  // namespace tovalia::bench
