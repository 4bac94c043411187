// A screen that shows the shared frame around an empty page: what the tabs
// lead to until their screens are built.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// Runs until another tab is picked or the program quits; sets
// app.requestedScreen.
void RunFrameScreen(App& app);

}  // namespace tovalia
