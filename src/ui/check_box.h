// The check box every list and dialog draws: a white rounded square, or
// the accent colour with a white tick; and a check option, the box with
// its caption beside it, recorded as a button with its caption so scripts
// can press it.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace tovalia {

void DrawCheckBox(Canvas& canvas, const Rect& r, bool ticked);
void DrawCheckOption(Canvas& canvas, const Rect& r, const std::string& caption, bool on);

}  // namespace tovalia
