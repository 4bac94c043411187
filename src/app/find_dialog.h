// The "Find" dialog of the Index screen: a query and the parts and chapters
// to search; OK runs the search and opens "Search Results".
#pragma once

#include "state/app_state.h"

namespace tovalia {

// True when a search ran.
bool ShowFindDialog(App& app);

}  // namespace tovalia
