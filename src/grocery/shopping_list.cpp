#include "grocery/shopping_list.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

std::vector<int32_t> ShoppingListInOrder(GroceryCatalogue& c) {
  BuildGroceryView(c, kSelectedItemsMode);
  // Two stable passes, location first, then store: one store's items end up
  // together, by location, each location's items in name order. The keys
  // are upper-cased once, not at every comparison.
  struct Keyed {
    std::string store, location;
    int32_t item;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(c.view.size());
  for (int32_t item : c.view)
    keyed.push_back({UpperCase(ItemStore(c.image, item)), UpperCase(ItemLocation(c.image, item)), item});
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.location < b.location; });
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.store < b.store; });
  std::vector<int32_t> order;
  order.reserve(keyed.size());
  for (const Keyed& k : keyed) order.push_back(k.item);
  return order;
}

std::string StoreHeading(const ByteBuffer& image, int32_t item) { return TrimBlanks(ItemStore(image, item)); }

bool SameGroceryText(const std::string& a, const std::string& b) {
  return CompareUpperCased(TrimBlanks(a), TrimBlanks(b)) == 0;
}

}  // namespace tovalia
