// "Add to Grocery List": the ingredients of chosen recipes put on the
// shopping list. Each ingredient line is read as the import reads it; an
// item whose name is the ingredient's (case, and a plural "s", "es" or
// "ies", ignored) is raised by one, and an ingredient the catalogue does not
// know becomes a new item with quantity 1 and no store.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"
#include "grocery/grocery_catalogue.h"
#include "grocery/grocery_edits.h"

namespace tovalia {

// True when the names are one item: equal after upper-casing, or one is the
// other's plural ("apple"/"APPLES", "tomato"/"tomatoes", "berry"/"berries").
bool SameItemName(std::string_view a, std::string_view b);

// The item an ingredient line asks for: the ingredient after its amount and
// unit, without a leading note in parentheses, up to the first comma,
// semicolon or parenthesis, at most 25 characters. "" for a line that names
// nothing (blank, a heading ending in ":", a line without letters).
std::string GroceryNameFromIngredientLine(std::string_view line);

struct RecipeGroceryReport {
  int32_t recipes = 0;  // recipes read (text records are passed over)
  int32_t raised = 0;   // items already listed, raised by one
  int32_t added = 0;    // new items
  GroceryWrite write = GroceryWrite::kUnchanged;
};

// Puts the ingredients of the recipes behind the index entries on the list.
// Stops at the first write that fails; the report says so.
RecipeGroceryReport AddRecipesToGroceryList(Database& db, GroceryCatalogue& catalogue,
                                            const std::vector<int32_t>& entries);

// The summary a user sees afterwards (message lines separated by "|").
std::string RecipeGroceryMessage(const RecipeGroceryReport& report, const std::string& path);

}  // namespace tovalia
