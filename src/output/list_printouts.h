// The page layouts of the two printed lists, drawn through a
// ListPagePrinter.
//
// Grocery list: every page is headed "Grocery List:  $ total" with the date
// on the right; a store's name stands in bold on a line of its own after an
// empty line; item lines carry the location's label in a first column
// (where a location starts, and again at the top of a page), the quantity
// right-aligned, the name, and the cost right-aligned at the area's right
// edge. A page never ends on a store's name.
//
// Meal list: every page is headed "Meal List" with the dates it covers
// (years included) on the right; a meal's line has the day name, the date
// and the meal's text, which wraps within its column and never splits
// across pages.
#pragma once

#include <vector>

#include "calendar/meal_printout.h"
#include "grocery/grocery_print_lines.h"
#include "output/list_page_printer.h"

namespace tovalia {

// Each prints its lines on pages of their own; false when the device
// failed or the page hook stopped the list.
bool PrintGroceryPages(ListPagePrinter& pages, const GroceryPrintHeading& heading,
                       const std::vector<GroceryPrintLine>& lines);
bool PrintMealPages(ListPagePrinter& pages, const std::vector<MealPrintLine>& lines);

}  // namespace tovalia
