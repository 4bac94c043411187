#include "grocery/grocery_export.h"

#include "db/cp1252.h"
#include "db/data_file.h"
#include "grocery/grocery_export_writers.h"
#include "grocery/shopping_list.h"

namespace tovalia {

std::string GroceryExportExtension(int format) {
  const bool csv = format == kExportCsv || format == kExportCsvWithNames || format == kExportSplashShopper;
  return csv ? ".csv" : ".txt";
}

std::string GroceryExportFileName(const std::string& typed, int format) {
  const std::string extension = GroceryExportExtension(format);
  if (typed.empty()) return "Grocery List" + extension;
  if (typed.size() >= 4 && LowerCase(typed.substr(typed.size() - 4)) == extension) return typed;
  return typed + extension;
}

std::string GroceryExportText(const GroceryCatalogue& catalogue, const std::vector<int32_t>& order,
                              int format, const LocalDate& date) {
  std::vector<std::string> lines;
  if (format == kExportText) {
    lines = TextListLines(catalogue, order, date);
  } else if (format == kExportIndentedList) {
    lines = IndentedListLines(catalogue, order, date);
  } else {
    lines = DelimitedLines(catalogue, order, format);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

bool ExportGroceryList(GroceryCatalogue& catalogue, const std::string& path, int format) {
  const std::vector<int32_t> order = ShoppingListInOrder(catalogue);
  const std::string text = GroceryExportText(catalogue, order, format, Today());
  catalogue.currentRow = 0;
  catalogue.topRow = 0;
  return ReplaceFileContents(path, text.data(), text.size());
}

}  // namespace tovalia
