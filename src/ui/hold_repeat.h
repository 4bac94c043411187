// Repeating a step while the left mouse button stays down, as a held
// scroll arrow or quantity button does.
#pragma once

#include <functional>

#include "ui/ui.h"

namespace tovalia {

// Runs the step at once, then again after a first pause and faster after
// that, until the button is let go, the step returns false (it can go no
// further) or the program quits. The step draws what it changed.
void RepeatWhileHeld(Ui& ui, const std::function<bool()>& step);

}  // namespace tovalia
