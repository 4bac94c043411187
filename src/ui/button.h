// Buttons: drawn with their caption (and recorded, so scripts can press
// them), and tested one by one in a screen's fixed order.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "ui/ui.h"

namespace tovalia {

// Captions of the two scroll-arrow buttons, answered by Up and Down.
inline const std::string kScrollUpCaption = "\x01";
inline const std::string kScrollDownCaption = "\x02";
// Captions of the previous and next buttons, answered by Left and Right.
inline const std::string kPreviousCaption = "\x0E";
inline const std::string kNextCaption = "\x0F";

void DrawButton(Ui& ui, const Rect& r, const std::string& caption, bool pressed = false);

// True when the button was activated by the latest input: a left click
// inside it; Enter for "OK"; the key of the caption's hotKeyPosition-th
// character (counted from 1; negative: with Ctrl); Up and Down for the
// scroll arrows, Left and Right for previous and next. An activated button is shown pressed for a moment.
bool ButtonActivated(Ui& ui, const std::string& caption, const Rect& r, int hotKeyPosition);

}  // namespace tovalia
