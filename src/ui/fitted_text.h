// Drawing texts that may not fit their place: one line that shrinks a
// little and then ends in an ellipsis, and the tip that shows the whole
// text when the pointer rests on a shortened one.
#pragma once

#include <string>

#include "layout/text_fit.h"
#include "platform/canvas.h"
#include "ui/ui.h"

namespace tovalia {

// Measures texts in the face, at the size asked for.
SizedMeasure MeasureIn(Canvas& canvas, Font face);

// Draws the text on one line in the box (vertically centred; from its left
// edge, or centred), in `font` or down to `smallest` pixels, ended with an
// ellipsis when even that is too wide. True when the text was shortened.
bool DrawFittedLine(Canvas& canvas, const Rect& box, const std::string& text, Font font, double smallest,
                    Color color, bool centred = false);

// A box with the whole text, cut into lines by the line rule, just below
// the anchor (above it when the window ends first).
void DrawTip(Ui& ui, const Rect& anchor, const std::string& text);

}  // namespace tovalia
