// "Locate Duplicates" on the window: the accuracy asked for, the search
// with its progress, and the review of the pairs found, side by side, where
// the user marks either recipe of a pair and deletes the marked ones.
#pragma once

#include <cstdint>

#include "interchange/duplicate_finder.h"
#include "state/app_state.h"

namespace tovalia {

// Finds the pairs at the threshold and opens the review; "No Duplicate
// Recipes Were Found" when there are none. The caller rebuilds its list.
void LocateAndReviewDuplicates(App& app, int32_t threshold);

// The review of the pairs found. True when marked recipes were deleted.
bool ReviewDuplicates(App& app, DuplicateFinding& finding);

}  // namespace tovalia
