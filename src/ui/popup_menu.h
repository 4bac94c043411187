// A pop-up menu of commands at a point of the window.
#pragma once

#include <string>
#include <vector>

#include "ui/ui.h"

namespace tovalia {

// Shows the entries below and to the right of (x, y), kept inside the
// window; a menu taller than the window scrolls (the wheel, the arrows at
// its ends, its scroll bar, the Page keys; typing a letter jumps to the
// next entry starting with it). The entry under the pointer is highlighted.
// Returns the 0-based entry chosen (a click, or the keys and Enter), or -1
// when the user clicks elsewhere, presses Escape or the program quits.
int PopupMenu(Ui& ui, int x, int y, const std::vector<std::string>& entries);

}  // namespace tovalia
