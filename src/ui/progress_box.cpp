#include "ui/progress_box.h"

#include "ui/box.h"
#include "ui/theme.h"

namespace tovalia {

namespace {
constexpr int kBoxWidth = 300;
constexpr int kBoxHeight = 96;
constexpr int kBarWidth = 230;
constexpr int kBarHeight = 22;
}  // namespace

Rect ProgressBox::BoxRect() const { return CentredBox(ui_, kBoxWidth, kBoxHeight); }

void ProgressBox::ShowProgress(const std::string& caption, const std::string& barText,
                               int64_t current, int64_t total) {
  int percent = percent_.Update(current, total);
  if (percent < 0) return;
  Canvas& canvas = ui_.canvas;
  const Rect box = BoxRect();
  const bool opening = !saved_;
  if (saved_) {
    DrawBox(ui_, box);
  } else {
    saved_ = OpenBox(ui_, box);
  }
  canvas.SetFont({FontFamily::kSans, 17, true});
  canvas.DrawTextCentred({box.x, box.y + 12, box.width, 24}, caption, theme::kInk);

  const Rect bar{box.x + (box.width - kBarWidth) / 2, box.y + 52, kBarWidth, kBarHeight};
  const int filled = kBarWidth * percent / 100;
  canvas.FillRoundedRect(bar, 4, 0xEDE6D8);
  canvas.FillRoundedRect({bar.x, bar.y, filled, bar.height}, 4, theme::kAccent);
  canvas.StrokeRect(bar, theme::kButtonEdge, 1, 4);
  // The bar text reads light over the filled part and dark over the rest.
  canvas.SetFont({FontFamily::kSans, 13, true});
  canvas.PushClip({bar.x, bar.y, filled, bar.height});
  canvas.DrawTextCentred(bar, barText, 0xFFFFFF);
  canvas.PopClip();
  canvas.PushClip({bar.x + filled, bar.y, bar.width - filled, bar.height});
  canvas.DrawTextCentred(bar, barText, theme::kInk);
  canvas.PopClip();
  const uint32_t now = ui_.platform.TickCount();
  if (opening) {
    ui_.Show();  // whatever the screen drew before the operation, too
  } else if (percent == 100 || now - lastPresent_ >= kProgressPresentMs) {
    ui_.platform.PresentArea(canvas, saved_->rect);  // the box and its shadow
  } else {
    return;
  }
  lastPresent_ = now;
}

void ProgressBox::CloseProgress() {
  if (saved_) CloseBox(ui_, *saved_);
  saved_.reset();
  percent_.Reset();
}

}  // namespace tovalia
