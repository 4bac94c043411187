// The Grocery screen's item commands, each a form or question over the
// screen: Add, Edit (also a right click on a row), Delete, Find, and
// changing every matching store or location.
#pragma once

#include "grocery/grocery_edits.h"
#include "state/app_state.h"

namespace tovalia {

// Shows the message for an outcome that needs one (a failed write, an
// unreadable file, a full catalogue).
void ReportGroceryWrite(App& app, GroceryWrite outcome);

void AddItemCommand(App& app);
void EditItemCommand(App& app);
void DeleteItemCommand(App& app);
void FindItemsCommand(App& app);
// field: kStore for "Stores", kLocation for "Locations".
void ReplaceMatchingCommand(App& app, GroceryField field);

}  // namespace tovalia
