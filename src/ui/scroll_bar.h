// The scroll bar beside a list: where its thumb stands for the rows shown,
// and what a drag of the thumb or a click in its track does to the first
// row shown. Scrolling moves the view only; what is current or ticked in
// the list stays as it is.
#pragma once

#include <functional>

#include "platform/canvas.h"
#include "ui/ui.h"

namespace tovalia {

struct ScrollBar {
  Rect track;  // the strip the thumb runs in; clicks anywhere in it count
  int first = 0;
  int shown = 0;
  int total = 0;

  bool Needed() const { return shown > 0 && total > shown; }
  int LastFirst() const { return total > shown ? total - shown : 0; }
  // The thumb: its length stands for the rows shown, its place for the first.
  Rect Thumb() const;
  // The first row that puts the thumb's top at y.
  int FirstForThumbAt(int y) const;
};

void DrawScrollBar(Canvas& canvas, const ScrollBar& bar);

// A left press in the track: on the thumb, follows the pointer until the
// button is let go, calling `scrolled` with each new first row (the caller
// redraws); above or below the thumb, a page towards the pointer. Returns
// the first row it leaves, or bar.first when the press was not in the track.
int FollowScrollBar(Ui& ui, const ScrollBar& bar, const std::function<void(int first)>& scrolled);

// The first row after turning the wheel by `step` lines (positive: towards
// the top), kept within the list.
int FirstAfterWheel(const ScrollBar& bar, int step);

}  // namespace tovalia
