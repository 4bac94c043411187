#include "ui/check_box.h"

#include "ui/theme.h"

namespace tovalia {

void DrawCheckOption(Canvas& canvas, const Rect& r, const std::string& caption, bool on) {
  Rect box{r.x, r.y + 4, 15, 15};
  canvas.FillRoundedRect(box, 3, on ? theme::kAccent : 0xFFFFFF);
  canvas.StrokeRect(box, on ? theme::kAccent : theme::kButtonEdge, 1, 3);
  if (on) {
    canvas.DrawLine(box.x + 3, box.y + 8, box.x + 6, box.y + 11, 0xFFFFFF, 2);
    canvas.DrawLine(box.x + 6, box.y + 11, box.x + 12, box.y + 4, 0xFFFFFF, 2);
  }
  canvas.SetFont({FontFamily::kSans, 14, true});
  canvas.DrawText(r.x + 22, r.y + 3, caption, theme::kInk);
  canvas.RecordButton(r, caption);
}

}  // namespace tovalia
