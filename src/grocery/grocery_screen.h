// The Grocery screen: the item catalogue, the shopping list and its total,
// and the commands on both.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// Reads the catalogue afresh (looking for the word the Recipe screen handed
// over, if any) and runs until another tab is picked or the program quits;
// sets app.requestedScreen.
void RunGroceryScreen(App& app);

}  // namespace tovalia
