// The Recipe screen: one record of the current chapter at a time, to read
// while cooking, with the commands that act on it.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// Shows the current list item; Enter goes back to the Index screen. Runs
// until another screen is requested (app.requestedScreen) or the program quits.
void RunRecipeScreen(App& app);

}  // namespace tovalia
