// The Help screen: where to find help, the web site, mail to the makers,
// database cleanup and the upgrade from an earlier version.
#pragma once

#include "state/app_state.h"

namespace tovalia {

inline constexpr char kSupportAddress[] = "support@tovalia.example.org";

// Runs until another tab is picked (app.requestedScreen) or the program quits.
void RunHelpScreen(App& app);

}  // namespace tovalia
