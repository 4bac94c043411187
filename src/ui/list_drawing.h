// Pieces every list on the screens draws alike: the panel, the caption,
// the scroll thumb and texts cut to fit a row. (The check box of a row is
// ui/check_box.h.)
#pragma once

#include <string>

#include "platform/canvas.h"

namespace tovalia {

void DrawListPanel(Canvas& canvas, const Rect& list, bool focused);
// A thumb along the right edge when not every row fits.
void DrawScrollThumb(Canvas& canvas, const Rect& list, int first, int shown, int total);
// The text as it fits the width in the canvas's current font: cut short
// with an ellipsis when it is too wide.
std::string FitWithEllipsis(Canvas& canvas, std::string text, int width);

// A list's caption above its panel, with a count at the right.
void DrawListCaption(Canvas& canvas, const Rect& list, const std::string& caption,
                     const std::string& count);

}  // namespace tovalia
