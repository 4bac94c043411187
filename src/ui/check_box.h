// The check box every list and dialog draws: a white rounded square, or
// the accent colour with a white tick.
#pragma once

#include "platform/canvas.h"

namespace tovalia {

void DrawCheckBox(Canvas& canvas, const Rect& r, bool ticked);

}  // namespace tovalia
