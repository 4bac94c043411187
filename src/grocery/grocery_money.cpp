#include "grocery/grocery_money.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "db/cp1252.h"
#include "grocery/grocery_item.h"

namespace tovalia {

namespace {

// The number a text opens with (after blanks and, for money, a dollar
// sign), read digit by digit so that a typed 0.295 is exactly that: the
// value in units of 10^-decimals, rounded half up at the next digit and
// kept within 0..most. A minus sign, or no digits, gives 0.
int32_t LeadingDecimal(std::string_view text, int decimals, int32_t most, bool money) {
  std::string t = TrimBlanks(text);
  if (money && !t.empty() && t[0] == '$') t = TrimBlanks(t.substr(1));
  size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
    if (t[i] == '-') return 0;
    ++i;
  }
  auto digit = [&t](size_t at) { return at < t.size() && std::isdigit(static_cast<unsigned char>(t[at])); };
  int64_t value = 0;
  for (; digit(i); ++i) value = std::min<int64_t>(value * 10 + (t[i] - '0'), most + 1);
  int fraction = 0;
  bool roundUp = false;
  if (i < t.size() && t[i] == '.') {
    for (++i; digit(i); ++i, ++fraction) {
      if (fraction < decimals) value = value * 10 + (t[i] - '0');
      if (fraction == decimals) roundUp = t[i] >= '5';
    }
  }
  for (; fraction < decimals; ++fraction) value *= 10;
  if (roundUp) ++value;
  return static_cast<int32_t>(std::min<int64_t>(value, most));
}

}  // namespace

std::string FormatMoney(int64_t cents) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(cents / 100),
                static_cast<long long>(cents % 100));
  return text;
}

int32_t ParseCents(std::string_view text) {
  return LeadingDecimal(text, 2, grocery_item::kMostCost, true);
}

int32_t ParseItemQuantity(std::string_view text) {
  return LeadingDecimal(text, 0, grocery_item::kMostQuantity, false);
}

}  // namespace tovalia
