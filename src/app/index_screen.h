// The Index screen: chapters and recipe titles side by side, with the
// commands that work on the collection.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// Runs until another tab is picked (app.requestedScreen) or the program quits.
void RunIndexScreen(App& app);

}  // namespace tovalia
