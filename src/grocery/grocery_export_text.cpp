// The two formats meant for reading: the Text list in columns and the
// Indented List outline.
#include <algorithm>

#include "grocery/grocery_export_writers.h"
#include "grocery/grocery_money.h"
#include "grocery/shopping_list.h"

namespace tovalia {

namespace {

struct Columns {
  size_t quantity = 0;
  size_t name = 0;
  size_t label = 0;  // the location and its colon
  size_t cost = 0;
};

std::string PadRight(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}
std::string PadLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string FormatLongDate(const LocalDate& date) { return FormatDate(date.year, date.month, date.day); }

}  // namespace

std::vector<std::string> TextListLines(const GroceryCatalogue& c, const std::vector<int32_t>& order,
                                       const LocalDate& date) {
  Columns width;
  for (int32_t item : order) {
    width.quantity = std::max(width.quantity, std::to_string(ItemQuantity(c.image, item)).size());
    width.name = std::max(width.name, OneLineField(ItemName(c.image, item)).size());
    width.label = std::max(width.label, ItemLocation(c.image, item).size() + 1);
    width.cost = std::max(width.cost, FormatMoney(ItemCost(c.image, item)).size());
  }
  std::vector<std::string> lines{"Grocery List:  $ " + FormatMoney(c.listTotal) + "    (" +
                                 FormatLongDate(date) + ")"};
  std::string previousStore, previousLabel;
  for (int32_t item : order) {
    const std::string store = OneLineField(StoreHeading(c.image, item));
    if (!store.empty() && !SameGroceryText(store, previousStore)) {
      lines.insert(lines.end(), {"", store, std::string(store.size(), '=')});
      previousLabel.clear();  // each store lists its first location again
    }
    previousStore = store;
    const std::string label = PadRight(OneLineField(ItemLocation(c.image, item)) + ":", width.label);
    const std::string entry = PadLeft(std::to_string(ItemQuantity(c.image, item)), width.quantity) + "  " +
                              PadRight(OneLineField(ItemName(c.image, item)), width.name) + "  " +
                              PadLeft(FormatMoney(ItemCost(c.image, item)), width.cost);
    if (!SameGroceryText(label, previousLabel)) {
      lines.push_back("");
      lines.push_back(label + "  " + entry);
    } else {
      lines.push_back(std::string(width.label + 2, ' ') + entry);
    }
    previousLabel = label;
  }
  return lines;
}

std::vector<std::string> IndentedListLines(const GroceryCatalogue& c, const std::vector<int32_t>& order,
                                           const LocalDate& date) {
  std::vector<std::string> lines{"0\tGrocery List: $" + FormatMoney(c.listTotal) + " - " + FormatLongDate(date)};
  std::string previousStore, previousLocation;
  for (int32_t item : order) {
    const std::string store = OneLineField(StoreHeading(c.image, item));
    if (!store.empty() && !SameGroceryText(store, previousStore)) {
      lines.push_back("0\t" + store);
      previousLocation.clear();
    }
    previousStore = store;
    const std::string location = OneLineField(ItemLocation(c.image, item));
    if (!SameGroceryText(location, previousLocation)) lines.push_back("1\t" + location);
    previousLocation = location;
    lines.push_back("2\t" + std::to_string(ItemQuantity(c.image, item)) + " - " +
                    OneLineField(ItemName(c.image, item)) + " - " + FormatMoney(ItemCost(c.image, item)));
  }
  return lines;
}

}  // namespace tovalia
