#include "grocery/grocery_item.h"

#include <algorithm>

namespace tovalia {

namespace {

struct FieldPlace {
  int32_t offset;
  int32_t limit;
};

FieldPlace PlaceOf(GroceryField field) {
  switch (field) {
    case GroceryField::kStore: return {grocery_item::kStore, grocery_item::kStoreLimit};
    case GroceryField::kLocation: return {grocery_item::kLocation, grocery_item::kLocationLimit};
    case GroceryField::kName: break;
  }
  return {grocery_item::kName, grocery_item::kNameLimit};
}

}  // namespace

std::string ItemText(const ByteBuffer& image, int32_t item, GroceryField field) {
  const FieldPlace place = PlaceOf(field);
  const int32_t length = std::min(GetU8(image, item + place.offset), place.limit);
  return GetBytes(image, item + place.offset + 1, length);
}

std::string ItemName(const ByteBuffer& image, int32_t item) {
  return ItemText(image, item, GroceryField::kName);
}
std::string ItemStore(const ByteBuffer& image, int32_t item) {
  return ItemText(image, item, GroceryField::kStore);
}
std::string ItemLocation(const ByteBuffer& image, int32_t item) {
  return ItemText(image, item, GroceryField::kLocation);
}

void SetItemText(ByteBuffer& image, int32_t item, GroceryField field, const std::string& text) {
  const FieldPlace place = PlaceOf(field);
  FillBytes(image, item + place.offset, place.limit + 1, 0);
  PutShortText(image, item + place.offset, text.substr(0, static_cast<size_t>(place.limit)));
}

}  // namespace tovalia
