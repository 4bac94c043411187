// The window's side of bringing a collection over from an earlier
// installation: the search with its progress box, the choice, the copy and
// the message that says what happened.
#pragma once

#include "state/app_state.h"

namespace tovalia {

enum class UpgradeAsker { kFirstStart, kUser };

// Looks for earlier installations and offers them. At the first start a
// search that finds nothing shows nothing; asked by the user, it says so.
// True when files were copied (the caller then brings the database up).
bool OfferUpgrade(App& app, UpgradeAsker asker);

}  // namespace tovalia
