// The input is a whole Grocer30.dat. The catalogue is read, viewed in every
// mode, searched, exported in every format, and an item is added, edited
// and deleted; every rewrite must keep the records it did not touch byte
// for byte, and the views must agree with the counts.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "grocery/grocery_edits.h"
#include "grocery/grocery_export.h"
#include "grocery/shopping_list.h"

namespace tovalia {
namespace {

using Record = std::vector<uint8_t>;

std::vector<Record> Records(const std::vector<uint8_t>& file) {
  std::vector<Record> records;
  for (size_t p = 0; p + 100 <= file.size(); p += 100) records.emplace_back(file.begin() + p, file.begin() + p + 100);
  return records;
}

// The records as a sorted multiset, for comparisons that ignore order.
std::vector<Record> Sorted(std::vector<Record> records) {
  std::sort(records.begin(), records.end());
  return records;
}

void CheckViews(GroceryCatalogue& c) {
  int64_t total = 0;
  int32_t selected = 0, found = 0;
  for (int32_t o = 0; o < c.count * 100; o += 100) {
    total += static_cast<int64_t>(ItemQuantity(c.image, o)) * ItemCost(c.image, o);
    selected += ItemQuantity(c.image, o) > 0;
    found += ItemSearchHit(c.image, o);
    FUZZ_CHECK(ItemName(c.image, o).size() <= 25);
    FUZZ_CHECK(ItemStore(c.image, o).size() <= 15 && ItemLocation(c.image, o).size() <= 15);
  }
  for (int mode = 0; mode < kDisplayModeCount; ++mode) {
    BuildGroceryView(c, mode);
    FUZZ_CHECK(c.modeCounts[0] == c.count && c.modeCounts[1] == selected && c.modeCounts[2] == found);
    FUZZ_CHECK(static_cast<int32_t>(c.view.size()) == c.modeCounts[static_cast<size_t>(mode)]);
    FUZZ_CHECK(c.listTotal == total);
    for (size_t row = 0; row < c.view.size(); ++row)
      FUZZ_CHECK(FindViewRow(c, ItemId(c.image, c.view[row])) <= static_cast<int>(row));
  }
}

}  // namespace
}  // namespace tovalia

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const std::string path = fuzz::ScratchFolder() + "Grocer30.dat";
  fuzz::WriteBytes(path, data, size);
  const std::vector<Record> original = Records(std::vector<uint8_t>(data, data + size));

  GroceryCatalogue c(path);
  FUZZ_CHECK(LoadGroceryItems(c));
  FUZZ_CHECK(c.count == static_cast<int32_t>(size / 100));
  CheckViews(c);

  // A search rewrites only the search hits; the partial record goes.
  FUZZ_CHECK(FindGroceryItems(c, "a", GroceryField::kStore));
  std::vector<Record> searched = Records(fuzz::ReadBytes(path));
  FUZZ_CHECK(searched.size() == original.size() && fuzz::ReadBytes(path).size() == original.size() * 100);
  for (size_t i = 0; i < searched.size(); ++i) {
    FUZZ_CHECK(searched[i][95] <= 1);
    searched[i][95] = original[i][95];
    FUZZ_CHECK(searched[i] == original[i]);
  }
  CheckViews(c);

  for (int format = 0; format < kGroceryExportFormatCount; ++format) {
    const std::vector<int32_t> order = ShoppingListInOrder(c);
    const std::string text = GroceryExportText(c, order, format, LocalDate{2026, 3, 14});
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    if (format == kExportCsv || format == kExportTabDelimited || format == kExportSplashShopper)
      FUZZ_CHECK(lines == order.size());
    FUZZ_CHECK(std::count(text.begin(), text.end(), '\r') == static_cast<long>(lines));
  }

  // Adding an item inserts one record and keeps every other.
  const std::vector<Record> before = Records(fuzz::ReadBytes(path));
  int32_t id = -1;
  const GroceryWrite added = AddGroceryItem(c, {"Mango", "Market", "Fruit", "1.25", "2"}, id);
  if (added == GroceryWrite::kCatalogueFull) return 0;
  FUZZ_CHECK(added == GroceryWrite::kWritten && id >= 0 && c.count == static_cast<int32_t>(before.size()) + 1);
  std::vector<Record> after = Records(fuzz::ReadBytes(path));
  const int32_t row = FindViewRow(c, id);
  const int32_t item = c.view[static_cast<size_t>(row)];
  FUZZ_CHECK(ItemId(c.image, item) == id && ItemName(c.image, item) == "Mango" && ItemCost(c.image, item) == 125);
  after.erase(after.begin() + item / 100);
  FUZZ_CHECK(after == before);

  // Editing the new item moves it into name order and keeps the others.
  StartEditingItem(c, item);
  FUZZ_CHECK(SaveEditedItem(c, {"Aaa mango", "", "", "0", "0"}) == GroceryWrite::kWritten);
  FUZZ_CHECK(c.count == static_cast<int32_t>(before.size()) + 1);
  const int32_t edited = CurrentItem(c);
  FUZZ_CHECK(edited >= 0 && ItemId(c.image, edited) == id && ItemName(c.image, edited) == "Aaa mango");
  after = Records(fuzz::ReadBytes(path));
  after.erase(after.begin() + edited / 100);
  FUZZ_CHECK(Sorted(after) == Sorted(before));

  // Deleting it leaves exactly what was there before it was added.
  StartEditingItem(c, edited);
  FUZZ_CHECK(DeleteEditedItem(c) == GroceryWrite::kWritten);
  FUZZ_CHECK(Records(fuzz::ReadBytes(path)) == before);
  CheckViews(c);
  return 0;
}
