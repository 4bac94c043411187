// The changes a user makes to the catalogue: quantities up and down, adding,
// editing and deleting an item through the form's five texts, renaming a
// store or location on every item, and starting a new list. Each is written
// to Grocer30.dat at once.
#pragma once

#include <cstdint>
#include <string>

#include "grocery/grocery_catalogue.h"

namespace tovalia {

enum class GroceryWrite {
  kUnchanged,        // nothing to do (a blank name, an empty view, no change)
  kWritten,
  kFailed,           // the file could not be written; it holds what it held
  kUnreadable,       // the file could not be read, so it is not written over
  kCatalogueFull,    // every item id is taken
};

// The message a screen or command shows for an outcome, or "" when there is
// nothing to say.
std::string GroceryWriteMessage(GroceryWrite outcome, const std::string& path);

// The item form's fields as typed.
struct GroceryItemForm {
  std::string name;
  std::string store;
  std::string location;
  std::string cost;             // dollars
  std::string defaultQuantity;
};

// The form pre-filled from an item: its texts, the cost as "0.00" and the
// default quantity.
GroceryItemForm FormFromItem(const ByteBuffer& image, int32_t item);

// Raises (+1) or lowers (-1) the current row's quantity within 0..255,
// rebuilds the view in its mode and writes the file.
GroceryWrite StepCurrentQuantity(GroceryCatalogue& catalogue, int step);

// Sets an item's current quantity (0..255) and writes the file.
GroceryWrite SetItemQuantity(GroceryCatalogue& catalogue, int32_t item, int32_t quantity);

// Adds a new item from the form (a blank name does nothing) with the
// smallest free id; id receives it. The view becomes "All Items" with the
// new item's row current.
GroceryWrite AddGroceryItem(GroceryCatalogue& catalogue, const GroceryItemForm& form, int32_t& id);

// Copies an item into the edit buffer for SaveEditedItem or DeleteEditedItem.
void StartEditingItem(GroceryCatalogue& catalogue, int32_t item);
// Updates the five fields (a blank name does nothing) and saves the item in
// name order; the view keeps its mode with the item's row current.
GroceryWrite SaveEditedItem(GroceryCatalogue& catalogue, const GroceryItemForm& form);
// Removes the item; the view keeps its mode and the current row stays
// within it.
GroceryWrite DeleteEditedItem(GroceryCatalogue& catalogue);

// Every item whose trimmed store (or location) equals the trimmed `from`,
// compared in lower case, gets the trimmed `to`; nothing happens when the
// two texts are the same. changed receives how many items changed.
GroceryWrite ReplaceMatching(GroceryCatalogue& catalogue, GroceryField field, const std::string& from,
                             const std::string& to, int32_t& changed);

enum class NewListChoice { kDefaults, kZero, kOne };

// Sets every item's quantity to its default, to 0 or to 1, writes the file
// and shows "Selected Items" from the top.
GroceryWrite StartNewList(GroceryCatalogue& catalogue, NewListChoice choice);

}  // namespace tovalia
