// What the printed grocery list holds, before it meets a page: the heading
// every page starts with, then in export order a heading for each store,
// and item lines that carry the location's label where a location starts.
// The print back end lays these out with the font and positions of the
// list's print settings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/clock.h"
#include "grocery/grocery_catalogue.h"

namespace tovalia {

struct GroceryPrintHeading {
  std::string title;  // "Grocery List:  $ 26.12"
  std::string date;   // "Mar 14 2026"
};

struct GroceryPrintLine {
  bool storeHeading = false;
  std::string text;      // the store (heading) or the item's name
  std::string label;     // "Dairy:" on the first item of a location, else ""
  std::string quantity;  // items only
  std::string cost;      // "0.00" form; "" when the item costs nothing
};

GroceryPrintHeading GroceryPrintHeadingFor(int64_t totalCents, const LocalDate& date);

// The lines of the items in `order` (export order).
std::vector<GroceryPrintLine> GroceryPrintLines(const GroceryCatalogue& catalogue, const std::vector<int32_t>& order);

// The lines cut into pages of at most linesPerPage lines below the heading
// (at least one line a page); a store heading is never the last line of a
// page while items follow it.
std::vector<std::vector<GroceryPrintLine>> GroceryPrintPages(const std::vector<GroceryPrintLine>& lines,
                                                             int linesPerPage);

}  // namespace tovalia
