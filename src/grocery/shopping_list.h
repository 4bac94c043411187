// The shopping list as it is exported and printed: the items with a
// quantity above 0, ordered by store and then by location (both compared
// upper-cased), items of one store and location keeping their name order.
// Also the grouping both use: where a store heading or a location label
// starts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grocery/grocery_catalogue.h"

namespace tovalia {

// Builds the "Selected Items" view and returns its items in export order.
std::vector<int32_t> ShoppingListInOrder(GroceryCatalogue& catalogue);

// The trimmed store, and whether two stores are one (case ignored), so that
// "Market" and "MARKET", which the order puts together, share one heading.
std::string StoreHeading(const ByteBuffer& image, int32_t item);
bool SameGroceryText(const std::string& a, const std::string& b);

}  // namespace tovalia
