// The writers behind GroceryExportText, one per family of formats. Each
// returns the lines of the file without their line ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/clock.h"
#include "grocery/grocery_catalogue.h"

namespace tovalia {

// Text (format 0): a dated heading with the total, then the items in
// columns under store headings and location labels.
std::vector<std::string> TextListLines(const GroceryCatalogue& catalogue, const std::vector<int32_t>& order,
                                       const LocalDate& date);
// Indented List (format 4): an outline of level digit, tab, text.
std::vector<std::string> IndentedListLines(const GroceryCatalogue& catalogue,
                                           const std::vector<int32_t>& order, const LocalDate& date);
// CSV (1), CSV with field names (2), Tab Delimited (3), SplashShopper (5).
std::vector<std::string> DelimitedLines(const GroceryCatalogue& catalogue, const std::vector<int32_t>& order,
                                        int format);

// A field as one line: control characters (a tab or line end from a foreign
// file) become blanks, so a field never breaks a line or a column.
std::string OneLineField(const std::string& text);

}  // namespace tovalia
