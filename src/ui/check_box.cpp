#include "ui/check_box.h"

#include "ui/theme.h"

namespace tovalia {

void DrawCheckBox(Canvas& canvas, const Rect& r, bool ticked) {
  if (ticked) {
    canvas.FillRoundedRect(r, 3, theme::kAccent);
    canvas.DrawLine(r.x + 3, r.y + r.height / 2, r.x + 6, r.y + r.height / 2 + 3, 0xFFFFFF, 2);
    canvas.DrawLine(r.x + 6, r.y + r.height / 2 + 3, r.x + r.width - 3, r.y + 4, 0xFFFFFF, 2);
  } else {
    canvas.FillRoundedRect(r, 3, 0xFFFFFF);
    canvas.StrokeRect(r, theme::kButtonEdge, 1, 3);
  }
}

}  // namespace tovalia
