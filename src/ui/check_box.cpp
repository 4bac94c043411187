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

void DrawCheckOption(Canvas& canvas, const Rect& r, const std::string& caption, bool on) {
  DrawCheckBox(canvas, {r.x, r.y + 4, 15, 15}, on);
  canvas.SetFont({FontFamily::kSans, 14, true});
  canvas.DrawText(r.x + 22, r.y + 3, caption, theme::kInk);
  canvas.RecordButton(r, caption);
}

}  // namespace tovalia
