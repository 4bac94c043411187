// Grocer30.dat's item record: 100 bytes with name, store, location, the
// current and default quantities, the unit cost in cents, the item id and
// the search hit. Every field is reached through the ByteBuffer accessors;
// texts are short texts capped at their field's width, so a damaged length
// byte never reads into the next field.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"

namespace tovalia {

namespace grocery_item {
inline constexpr int32_t kSize = 100;
inline constexpr int32_t kName = 0;            // length byte + up to 25 characters
inline constexpr int32_t kStore = 26;          // length byte + up to 15
inline constexpr int32_t kLocation = 42;       // length byte + up to 15
inline constexpr int32_t kQuantity = 58;       // u8, 0 = not on the shopping list
inline constexpr int32_t kDefaultQuantity = 59;
inline constexpr int32_t kCost = 60;           // u16, cents
inline constexpr int32_t kId = 62;             // u16
inline constexpr int32_t kSearchHit = 95;      // u8

inline constexpr int32_t kNameLimit = 25;
inline constexpr int32_t kStoreLimit = 15;
inline constexpr int32_t kLocationLimit = 15;
inline constexpr int32_t kMostQuantity = 255;
inline constexpr int32_t kMostCost = 32767;
inline constexpr int32_t kIdCount = 65536;
}  // namespace grocery_item

// Which text of an item a search or a replacement looks at.
enum class GroceryField { kName = 0, kStore = 1, kLocation = 2 };

std::string ItemName(const ByteBuffer& image, int32_t item);
std::string ItemStore(const ByteBuffer& image, int32_t item);
std::string ItemLocation(const ByteBuffer& image, int32_t item);
std::string ItemText(const ByteBuffer& image, int32_t item, GroceryField field);
inline int32_t ItemQuantity(const ByteBuffer& image, int32_t item) {
  return GetU8(image, item + grocery_item::kQuantity);
}
inline int32_t ItemDefaultQuantity(const ByteBuffer& image, int32_t item) {
  return GetU8(image, item + grocery_item::kDefaultQuantity);
}
inline int32_t ItemCost(const ByteBuffer& image, int32_t item) {
  return GetU16(image, item + grocery_item::kCost);
}
inline int32_t ItemId(const ByteBuffer& image, int32_t item) {
  return GetU16(image, item + grocery_item::kId);
}
inline bool ItemSearchHit(const ByteBuffer& image, int32_t item) {
  return GetU8(image, item + grocery_item::kSearchHit) != 0;
}

// Writes the text cut to the field's width, with the rest of the field zeroed.
void SetItemText(ByteBuffer& image, int32_t item, GroceryField field, const std::string& text);

}  // namespace tovalia
