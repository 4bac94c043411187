// Writing the shopping list to a file for other programs and devices, in
// six formats: Text, CSV, CSV with field names, Tab Delimited, Indented
// List and SplashShopper CSV. Lines end with CR LF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/clock.h"
#include "grocery/grocery_catalogue.h"

namespace tovalia {

enum GroceryExportFormat : int {
  kExportText = 0,
  kExportCsv = 1,
  kExportCsvWithNames = 2,
  kExportTabDelimited = 3,
  kExportIndentedList = 4,
  kExportSplashShopper = 5,
};
inline constexpr int kGroceryExportFormatCount = 6;

// The entries of the format choice, in format order.
inline constexpr char kGroceryExportChoices[] =
    "Text|Comma Delimited (CSV)|Comma Delimited (with field names)|Tab Delimited|Indented List|"
    "SplashShopper (CSV)";

// ".txt" or ".csv".
std::string GroceryExportExtension(int format);

// The name a typed file name becomes: "Grocery List" + extension when empty;
// the extension appended unless the name already ends in it (case ignored).
std::string GroceryExportFileName(const std::string& typed, int format);

// The file's contents for the items in `order` (export order), dated `date`.
std::string GroceryExportText(const GroceryCatalogue& catalogue, const std::vector<int32_t>& order,
                              int format, const LocalDate& date);

// Writes the shopping list in export order to path, replacing any file
// there (through a temporary file and a rename). The view is left as
// "Selected Items" from the top. False when the file could not be written.
bool ExportGroceryList(GroceryCatalogue& catalogue, const std::string& path, int format);

}  // namespace tovalia
