// The grocery catalogue: Grocer30.dat read whole into memory (records in
// name order, no header), its three views and their counts, the list
// total, and the one edit buffer through which an item is saved or
// deleted. Every change is written to the file at once; the catalogue is
// read back after every write, so memory never holds what the file does not.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "db/byte_buffer.h"
#include "grocery/grocery_item.h"

namespace tovalia {

// Display modes: which items the view shows.
inline constexpr int kAllItemsMode = 0;
inline constexpr int kSelectedItemsMode = 1;  // current quantity above 0: the shopping list
inline constexpr int kSearchResultsMode = 2;  // search hit set
inline constexpr int kDisplayModeCount = 3;

// StoreGroceryItem's modes.
inline constexpr int kWriteAllItems = -1;  // the image as it is
inline constexpr int kDeleteItem = 0;      // without the edit buffer's item
inline constexpr int kSaveItem = 1;        // with the edit buffer's item, in name order

struct GroceryCatalogue {
  explicit GroceryCatalogue(std::string filePath);

  std::string path;
  ByteBuffer image;  // count × 100 bytes
  int32_t count = 0;
  // The file exists but could not be read: nothing may be written over it.
  bool unreadable = false;

  std::vector<int32_t> view;  // byte offsets into the image of the shown items, in file order
  int displayMode = kAllItemsMode;
  std::array<int32_t, kDisplayModeCount> modeCounts{};
  int64_t listTotal = 0;  // cents: current quantity × cost over all items
  int currentRow = 0;     // index into the view
  int topRow = 0;
  int visibleRows = 1;

  ByteBuffer editBuffer;    // one item record
  int32_t editSource = -1;  // offset of the record the edit buffer was copied from; -1: a new item
};

// Reads Grocer30.dat whole (a trailing partial record is dropped); a missing
// file is an empty catalogue. False when the file exists but cannot be read.
bool LoadGroceryItems(GroceryCatalogue& catalogue);

// Rewrites the file in one of the modes above through a temporary file and a
// rename, then reads it back. The item saved or deleted is the record the
// edit buffer was copied from (or, for a buffer not copied from the image,
// the first record with its id). False when nothing could be written; the
// catalogue then holds what the file holds.
bool StoreGroceryItem(GroceryCatalogue& catalogue, int mode);

// Sets the mode, recounts the three counts and the list total over all
// items, and lists the items the mode selects.
void BuildGroceryView(GroceryCatalogue& catalogue, int mode);

// Marks the items whose field contains the trimmed text (upper-cased both),
// clears the mark of all others, writes the file and shows the search
// results from the top. An empty text does nothing (true).
bool FindGroceryItems(GroceryCatalogue& catalogue, const std::string& text, GroceryField field);

// The view row of the item with that id, or 0 when it is not shown.
int FindViewRow(const GroceryCatalogue& catalogue, int32_t id);

// The smallest id no item carries, or -1 when all 65,536 are taken.
int32_t NextGroceryId(const GroceryCatalogue& catalogue);

// The offset of the item on the current row; -1 when the view is empty.
int32_t CurrentItem(const GroceryCatalogue& catalogue);

// Keeps the current row inside the view and the top row where it shows
// the current row.
void KeepCurrentRowVisible(GroceryCatalogue& catalogue);

}  // namespace tovalia
