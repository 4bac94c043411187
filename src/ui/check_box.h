// A check option: a box, ticked or not, with its caption beside it. It is
// recorded as a button with its caption, so scripts can press it.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace tovalia {

void DrawCheckOption(Canvas& canvas, const Rect& r, const std::string& caption, bool on);

}  // namespace tovalia
