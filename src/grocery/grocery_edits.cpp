#include "grocery/grocery_edits.h"

#include <algorithm>

#include "db/cp1252.h"
#include "grocery/grocery_money.h"

namespace tovalia {

namespace {

using grocery_item::kSize;

GroceryWrite Written(const GroceryCatalogue& c, bool ok) {
  if (ok) return GroceryWrite::kWritten;
  return c.unreadable ? GroceryWrite::kUnreadable : GroceryWrite::kFailed;
}

// The five fields of the form into the edit buffer; false for a blank name.
bool PutFormIntoEditBuffer(GroceryCatalogue& c, const GroceryItemForm& form) {
  if (TrimBlanks(form.name).empty()) return false;
  ByteBuffer& item = c.editBuffer;
  SetItemText(item, 0, GroceryField::kName, form.name);
  SetItemText(item, 0, GroceryField::kStore, form.store);
  SetItemText(item, 0, GroceryField::kLocation, form.location);
  SetU16(item, grocery_item::kCost, ParseCents(form.cost));
  SetU8(item, grocery_item::kDefaultQuantity, ParseItemQuantity(form.defaultQuantity));
  return true;
}

// After a save: the view in the mode with the item's row current.
void ShowItem(GroceryCatalogue& c, int mode, int32_t id) {
  BuildGroceryView(c, mode);
  c.currentRow = FindViewRow(c, id);
  KeepCurrentRowVisible(c);
}

}  // namespace

std::string GroceryWriteMessage(GroceryWrite outcome, const std::string& path) {
  switch (outcome) {
    case GroceryWrite::kFailed:
      return "The grocery list could not be saved in|" + path + "||Nothing was changed.";
    case GroceryWrite::kUnreadable:
      return "The grocery list " + path + "|cannot be read, so it is left as it is.";
    case GroceryWrite::kCatalogueFull:
      return "The grocery list is full:|all 65536 item numbers are in use.";
    case GroceryWrite::kUnchanged:
    case GroceryWrite::kWritten:
      break;
  }
  return "";
}

GroceryItemForm FormFromItem(const ByteBuffer& image, int32_t item) {
  return {ItemName(image, item), ItemStore(image, item), ItemLocation(image, item),
          FormatMoney(ItemCost(image, item)), std::to_string(ItemDefaultQuantity(image, item))};
}

GroceryWrite StepCurrentQuantity(GroceryCatalogue& c, int step) {
  const int32_t item = CurrentItem(c);
  if (item < 0) return GroceryWrite::kUnchanged;
  const int32_t before = ItemQuantity(c.image, item);
  const int32_t after = std::clamp(before + step, 0, grocery_item::kMostQuantity);
  if (after == before) return GroceryWrite::kUnchanged;
  SetU8(c.image, item + grocery_item::kQuantity, after);
  const bool ok = StoreGroceryItem(c, kWriteAllItems);
  BuildGroceryView(c, c.displayMode);
  KeepCurrentRowVisible(c);
  return Written(c, ok);
}

GroceryWrite SetItemQuantity(GroceryCatalogue& c, int32_t item, int32_t quantity) {
  if (item < 0 || item + kSize > c.image.Size()) return GroceryWrite::kUnchanged;
  SetU8(c.image, item + grocery_item::kQuantity, std::clamp(quantity, 0, grocery_item::kMostQuantity));
  const bool ok = StoreGroceryItem(c, kWriteAllItems);
  BuildGroceryView(c, c.displayMode);
  return Written(c, ok);
}

GroceryWrite AddGroceryItem(GroceryCatalogue& c, const GroceryItemForm& form, int32_t& id) {
  if (TrimBlanks(form.name).empty()) return GroceryWrite::kUnchanged;
  if (c.unreadable) return GroceryWrite::kUnreadable;
  id = NextGroceryId(c);
  if (id < 0) return GroceryWrite::kCatalogueFull;
  FillBytes(c.editBuffer, 0, kSize, 0);
  c.editSource = -1;
  PutFormIntoEditBuffer(c, form);
  SetU16(c.editBuffer, grocery_item::kId, id);
  const bool ok = StoreGroceryItem(c, kSaveItem);
  ShowItem(c, kAllItemsMode, id);
  return Written(c, ok);
}

void StartEditingItem(GroceryCatalogue& c, int32_t item) {
  MoveBytes(c.image, item, c.editBuffer, 0, kSize);
  c.editSource = item;
}

GroceryWrite SaveEditedItem(GroceryCatalogue& c, const GroceryItemForm& form) {
  if (!PutFormIntoEditBuffer(c, form)) return GroceryWrite::kUnchanged;
  const int32_t id = ItemId(c.editBuffer, 0);
  const bool ok = StoreGroceryItem(c, kSaveItem);
  ShowItem(c, c.displayMode, id);
  return Written(c, ok);
}

GroceryWrite DeleteEditedItem(GroceryCatalogue& c) {
  const bool ok = StoreGroceryItem(c, kDeleteItem);
  BuildGroceryView(c, c.displayMode);
  KeepCurrentRowVisible(c);
  return Written(c, ok);
}

GroceryWrite ReplaceMatching(GroceryCatalogue& c, GroceryField field, const std::string& from,
                             const std::string& to, int32_t& changed) {
  changed = 0;
  const std::string oldText = TrimBlanks(from);
  const std::string newText = TrimBlanks(to);
  if (oldText == newText) return GroceryWrite::kUnchanged;
  const std::string wanted = LowerCase(oldText);
  for (int32_t o = 0; o < c.count * kSize; o += kSize) {
    if (LowerCase(TrimBlanks(ItemText(c.image, o, field))) != wanted) continue;
    SetItemText(c.image, o, field, newText);
    ++changed;
  }
  const bool ok = StoreGroceryItem(c, kWriteAllItems);
  BuildGroceryView(c, c.displayMode);
  KeepCurrentRowVisible(c);
  if (!ok) changed = 0;
  return Written(c, ok);
}

GroceryWrite StartNewList(GroceryCatalogue& c, NewListChoice choice) {
  for (int32_t o = 0; o < c.count * kSize; o += kSize) {
    const int32_t quantity = choice == NewListChoice::kDefaults ? ItemDefaultQuantity(c.image, o)
                             : choice == NewListChoice::kOne    ? 1
                                                                : 0;
    SetU8(c.image, o + grocery_item::kQuantity, quantity);
  }
  const bool ok = StoreGroceryItem(c, kWriteAllItems);
  BuildGroceryView(c, kSelectedItemsMode);
  c.currentRow = 0;
  c.topRow = 0;
  return Written(c, ok);
}

}  // namespace tovalia
