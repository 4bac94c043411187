#include "grocery/grocery_print_lines.h"

#include <algorithm>

#include "grocery/grocery_export_writers.h"
#include "grocery/grocery_money.h"
#include "grocery/shopping_list.h"

namespace tovalia {

GroceryPrintHeading GroceryPrintHeadingFor(int64_t totalCents, const LocalDate& date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string month = date.month >= 1 && date.month <= 12 ? kMonths[date.month - 1] : "???";
  return {"Grocery List:  $ " + FormatMoney(totalCents),
          month + " " + std::to_string(date.day) + " " + std::to_string(date.year)};
}

std::vector<GroceryPrintLine> GroceryPrintLines(const GroceryCatalogue& c, const std::vector<int32_t>& order) {
  std::vector<GroceryPrintLine> lines;
  std::string previousStore, previousLocation;
  bool first = true;
  for (int32_t item : order) {
    const std::string store = OneLineField(StoreHeading(c.image, item));
    if (!store.empty() && !SameGroceryText(store, previousStore)) {
      lines.push_back({true, store, "", "", ""});
      first = true;  // each store shows its first location again
    }
    previousStore = store;
    const std::string location = OneLineField(ItemLocation(c.image, item));
    GroceryPrintLine line;
    if (first || !SameGroceryText(location, previousLocation)) line.label = location + ":";
    first = false;
    previousLocation = location;
    line.text = OneLineField(ItemName(c.image, item));
    line.quantity = std::to_string(ItemQuantity(c.image, item));
    if (ItemCost(c.image, item) != 0) line.cost = FormatMoney(ItemCost(c.image, item));
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::vector<GroceryPrintLine>> GroceryPrintPages(const std::vector<GroceryPrintLine>& lines,
                                                             int linesPerPage) {
  const size_t perPage = static_cast<size_t>(std::max(linesPerPage, 1));
  std::vector<std::vector<GroceryPrintLine>> pages;
  size_t at = 0;
  while (at < lines.size()) {
    size_t end = std::min(at + perPage, lines.size());
    // A heading with its items still to come moves to the next page.
    if (end - at > 1 && end < lines.size() && lines[end - 1].storeHeading) --end;
    pages.emplace_back(lines.begin() + static_cast<long>(at), lines.begin() + static_cast<long>(end));
    at = end;
  }
  return pages;
}

}  // namespace tovalia
