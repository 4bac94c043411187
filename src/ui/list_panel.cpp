#include "ui/list_panel.h"

#include <algorithm>

#include "ui/theme.h"

namespace tovalia {

void DrawListPanel(Canvas& canvas, const Rect& list, bool focused) {
  canvas.FillRoundedRect(list, 6, 0xFFFFFF);
  canvas.StrokeRect(list, focused ? theme::kHeaderTop : theme::kPanelEdge, focused ? 2 : 1, 6);
}

void DrawListCaption(Canvas& canvas, const Rect& list, const std::string& caption,
                     const std::string& count) {
  canvas.SetFont({FontFamily::kSerif, 18, true});
  canvas.DrawText(list.x + 2, list.y - 26, caption, theme::kInk);
  canvas.SetFont({FontFamily::kSans, 13, false});
  const int width = canvas.TextWidth(count);
  canvas.DrawText(list.x + list.width - width - 2, list.y - 21, count, theme::kMutedInk);
}

void DrawScrollThumb(Canvas& canvas, const Rect& list, int first, int shown, int total) {
  if (total <= shown || shown <= 0) return;
  const int track = list.height - 8;
  const int thumb = std::max(16, track * shown / total);
  const int top = list.y + 4 + (track - thumb) * first / std::max(total - shown, 1);
  canvas.FillRoundedRect({list.x + list.width - 9, top, 5, thumb}, 2, 0xB8AD9A);
}

}  // namespace tovalia
