#include "grocery/shopping_list.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

std::vector<int32_t> ShoppingListInOrder(GroceryCatalogue& c) {
  BuildGroceryView(c, kSelectedItemsMode);
  std::vector<int32_t> order = c.view;
  // Two stable passes, location first, then store: one store's items end up
  // together, by location, each location's items in name order.
  auto byField = [&c](GroceryField field) {
    return [&c, field](int32_t a, int32_t b) {
      return CompareUpperCased(ItemText(c.image, a, field), ItemText(c.image, b, field)) < 0;
    };
  };
  std::stable_sort(order.begin(), order.end(), byField(GroceryField::kLocation));
  std::stable_sort(order.begin(), order.end(), byField(GroceryField::kStore));
  return order;
}

std::string StoreHeading(const ByteBuffer& image, int32_t item) { return TrimBlanks(ItemStore(image, item)); }

bool SameGroceryText(const std::string& a, const std::string& b) {
  return CompareUpperCased(TrimBlanks(a), TrimBlanks(b)) == 0;
}

}  // namespace tovalia
