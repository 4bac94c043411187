// Scrolling the Index screen's lists: the wheel over a list, and a press
// in a list's scroll bar (dragging its thumb, or a page at a time in its
// track). Scrolling moves the view only: the current rows and the ticks
// stay as they are, so recipes far apart can be ticked together.
#pragma once

#include "app/index_view.h"
#include "state/app_state.h"

namespace tovalia {

// True when the latest input scrolled a list (and has been handled).
bool ScrollIndexLists(App& app, IndexView& view);

}  // namespace tovalia
