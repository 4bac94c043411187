// Texts cut to the room a row has for them.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace tovalia {

// The text as it fits the width in the canvas's current font: cut short
// with an ellipsis when it is too wide.
std::string FitWithEllipsis(Canvas& canvas, std::string text, int width);

}  // namespace tovalia
