// The white panel that lists sit on, its heading, and the thumb that shows where the
// visible rows lie in a longer list.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace tovalia {

void DrawListPanel(Canvas& canvas, const Rect& list, bool focused);

// The heading above a list, with a count at its right end.
void DrawListCaption(Canvas& canvas, const Rect& list, const std::string& caption, const std::string& count);

// Nothing when every row is shown.
void DrawScrollThumb(Canvas& canvas, const Rect& list, int first, int shown, int total);

}  // namespace tovalia
