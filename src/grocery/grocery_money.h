// Money and counts as the grocery list shows and reads them: cents written
// as dollars with two decimals, and the numbers a user types for a cost or
// a quantity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovalia {

// 1234 cents → "12.34"; 5 → "0.05".
std::string FormatMoney(int64_t cents);

// A typed cost in dollars ("1.5", "$2.25", " 3 ") as cents, rounded to the
// nearest cent and kept within 0..32767; a negative amount or one that is
// no number gives 0.
int32_t ParseCents(std::string_view text);

// A typed quantity, rounded and kept within 0..255; a negative number or
// none gives 0.
int32_t ParseItemQuantity(std::string_view text);

}  // namespace tovalia
