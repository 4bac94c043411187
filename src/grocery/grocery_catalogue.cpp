#include "grocery/grocery_catalogue.h"

#include <algorithm>

#include "db/cp1252.h"
#include "db/data_file.h"

namespace tovalia {

namespace {

using grocery_item::kSize;

// The record a save or delete replaces: the one the edit buffer came from
// while it still carries the buffer's id, else the first with that id.
int32_t RecordToReplace(const GroceryCatalogue& c) {
  const int32_t id = ItemId(c.editBuffer, 0);
  if (c.editSource >= 0 && c.editSource + kSize <= c.image.Size() && ItemId(c.image, c.editSource) == id)
    return c.editSource;
  for (int32_t o = 0; o < c.count * kSize; o += kSize)
    if (ItemId(c.image, o) == id) return o;
  return -1;
}

void Append(std::vector<uint8_t>& out, const ByteBuffer& from, int32_t offset) {
  out.insert(out.end(), from.Data() + offset, from.Data() + offset + kSize);
}

}  // namespace

GroceryCatalogue::GroceryCatalogue(std::string filePath) : path(std::move(filePath)) {
  CreateBuffer(kSize, editBuffer);
}

bool LoadGroceryItems(GroceryCatalogue& c) {
  FreeBuffer(c.image);
  c.count = 0;
  c.unreadable = false;
  c.editSource = -1;
  if (!FileExists(c.path)) return true;
  if (!ReadWholeFile(c.path, c.image)) {
    c.unreadable = true;
    return false;
  }
  c.count = c.image.Size() / kSize;
  if (c.count == 0) {
    FreeBuffer(c.image);
  } else {
    ResizeBuffer(c.count * kSize, c.image);
  }
  return true;
}

bool StoreGroceryItem(GroceryCatalogue& c, int mode) {
  if (c.unreadable || (mode != kWriteAllItems && mode != kDeleteItem && mode != kSaveItem)) return false;
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(c.count + 1) * kSize);
  if (mode == kWriteAllItems) {
    if (c.count > 0) out.assign(c.image.Data(), c.image.Data() + c.count * kSize);
  } else {
    const int32_t replaced = RecordToReplace(c);
    const std::string name = UpperCase(ItemName(c.editBuffer, 0));
    bool placed = mode != kSaveItem;
    for (int32_t o = 0; o < c.count * kSize; o += kSize) {
      if (o == replaced) continue;
      if (!placed && CompareUpperCased(ItemName(c.image, o), name) > 0) {
        Append(out, c.editBuffer, 0);
        placed = true;
      }
      Append(out, c.image, o);
    }
    if (!placed) Append(out, c.editBuffer, 0);
  }
  const bool written = ReplaceFileContents(c.path, out.data(), out.size());
  LoadGroceryItems(c);
  return written;
}

void BuildGroceryView(GroceryCatalogue& c, int mode) {
  c.displayMode = std::clamp(mode, 0, kDisplayModeCount - 1);
  c.modeCounts = {c.count, 0, 0};
  c.listTotal = 0;
  c.view.clear();
  for (int32_t o = 0; o < c.count * kSize; o += kSize) {
    const int32_t quantity = ItemQuantity(c.image, o);
    const bool hit = ItemSearchHit(c.image, o);
    if (quantity > 0) ++c.modeCounts[kSelectedItemsMode];
    if (hit) ++c.modeCounts[kSearchResultsMode];
    c.listTotal += static_cast<int64_t>(quantity) * ItemCost(c.image, o);
    if (c.displayMode == kAllItemsMode || (c.displayMode == kSelectedItemsMode && quantity > 0) ||
        (c.displayMode == kSearchResultsMode && hit))
      c.view.push_back(o);
  }
}

bool FindGroceryItems(GroceryCatalogue& c, const std::string& text, GroceryField field) {
  const std::string wanted = UpperCase(TrimBlanks(text));
  if (wanted.empty()) return true;
  const uint8_t* upper = UpperCaseTable();
  std::string value;  // one buffer for every item's upper-cased field
  for (int32_t o = 0; o < c.count * kSize; o += kSize) {
    value = ItemText(c.image, o, field);
    for (char& ch : value) ch = static_cast<char>(upper[static_cast<uint8_t>(ch)]);
    SetU8(c.image, o + grocery_item::kSearchHit, value.find(wanted) != std::string::npos ? 1 : 0);
  }
  const bool written = StoreGroceryItem(c, kWriteAllItems);
  c.currentRow = 0;
  c.topRow = 0;
  BuildGroceryView(c, kSearchResultsMode);
  return written;
}

int FindViewRow(const GroceryCatalogue& c, int32_t id) {
  for (size_t row = 0; row < c.view.size(); ++row)
    if (ItemId(c.image, c.view[row]) == id) return static_cast<int>(row);
  return 0;
}

int32_t NextGroceryId(const GroceryCatalogue& c) {
  std::vector<bool> used(grocery_item::kIdCount, false);
  for (int32_t o = 0; o < c.count * kSize; o += kSize) used[static_cast<size_t>(ItemId(c.image, o))] = true;
  auto free = std::find(used.begin(), used.end(), false);
  return free == used.end() ? -1 : static_cast<int32_t>(free - used.begin());
}

int32_t CurrentItem(const GroceryCatalogue& c) {
  if (c.currentRow < 0 || c.currentRow >= static_cast<int>(c.view.size())) return -1;
  return c.view[static_cast<size_t>(c.currentRow)];
}

void KeepCurrentRowVisible(GroceryCatalogue& c) {
  const int rows = static_cast<int>(c.view.size());
  const int visible = std::max(c.visibleRows, 1);
  c.currentRow = std::clamp(c.currentRow, 0, std::max(rows - 1, 0));
  if (c.currentRow < c.topRow) c.topRow = c.currentRow;
  if (c.currentRow >= c.topRow + visible) c.topRow = c.currentRow - visible + 1;
  c.topRow = std::clamp(c.topRow, 0, std::max(rows - visible, 0));
}

}  // namespace tovalia
