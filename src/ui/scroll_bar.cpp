#include "ui/scroll_bar.h"

#include <algorithm>

namespace tovalia {

namespace {
constexpr int kShortestThumb = 16;
constexpr int kThumbWidth = 5;
constexpr Color kThumbColor = 0xB8AD9A;
constexpr Color kTrackColor = 0xEFEAE0;
}  // namespace

Rect ScrollBar::Thumb() const {
  const int length = std::clamp(track.height * shown / std::max(total, 1), kShortestThumb, track.height);
  const int top = track.y + (track.height - length) * std::clamp(first, 0, LastFirst()) / std::max(LastFirst(), 1);
  return {track.x + (track.width - kThumbWidth) / 2, top, kThumbWidth, length};
}

int ScrollBar::FirstForThumbAt(int y) const {
  const int room = track.height - Thumb().height;
  if (room <= 0) return 0;
  // Rounded to the nearest row, so the thumb lands where it is put.
  const int first = ((y - track.y) * LastFirst() * 2 + room) / (2 * room);
  return std::clamp(first, 0, LastFirst());
}

void DrawScrollBar(Canvas& canvas, const ScrollBar& bar) {
  if (!bar.Needed()) return;
  const Rect thumb = bar.Thumb();
  canvas.FillRoundedRect({thumb.x, bar.track.y, thumb.width, bar.track.height}, 2, kTrackColor);
  canvas.FillRoundedRect(thumb, 2, kThumbColor);
}

int FollowScrollBar(Ui& ui, const ScrollBar& bar, const std::function<void(int first)>& scrolled) {
  InputState& in = ui.input;
  if (!bar.Needed() || !(in.buttonBits & kLeftButton) || !bar.track.Contains(in.mouseX, in.mouseY))
    return bar.first;
  const Rect thumb = bar.Thumb();
  if (in.mouseY < thumb.y) return std::max(bar.first - bar.shown, 0);
  if (in.mouseY >= thumb.y + thumb.height) return std::min(bar.first + bar.shown, bar.LastFirst());
  // Dragging: the thumb keeps the point where it was taken under the pointer.
  const int grab = in.mouseY - thumb.y;
  int first = bar.first;
  while ((in.buttonBits & kLeftButton) && !in.quitFlag) {
    ui.Pump(1);
    const int now = bar.FirstForThumbAt(in.mouseY - grab);
    if (now != first) {
      first = now;
      scrolled(first);
    }
  }
  in.inputFlag = false;
  return first;
}

int FirstAfterWheel(const ScrollBar& bar, int step) {
  return std::clamp(bar.first - step, 0, bar.LastFirst());
}

}  // namespace tovalia
