#include "ui/box.h"

#include "ui/theme.h"

namespace tovalia {

namespace {
constexpr int kShadow = 6;
constexpr double kCorner = 10;
}  // namespace

Rect CentredBox(const Ui& ui, int width, int height) {
  return {(ui.canvas.Width() - width) / 2, (ui.canvas.Height() - height) / 2, width, height};
}

SavedArea OpenBox(Ui& ui, const Rect& box) {
  SavedArea saved =
      ui.canvas.SaveArea({box.x - 1, box.y - 1, box.width + kShadow + 2, box.height + kShadow + 2});
  DrawBox(ui, box);
  return saved;
}

void DrawBox(Ui& ui, const Rect& box) {
  Canvas& canvas = ui.canvas;
  canvas.FillRoundedRect({box.x + kShadow, box.y + kShadow, box.width, box.height}, kCorner,
                         0x8F8576);
  if (ui.popup.Empty()) {
    canvas.FillRoundedRect(box, kCorner, theme::kPaper);
  } else {
    canvas.PushClip(box, kCorner);
    canvas.DrawImageScaled(ui.popup, box);
    canvas.PopClip();
  }
  canvas.StrokeRect(box, theme::kHeaderBottom, 2, kCorner);
  canvas.RecordButton(box, "");
}

void CloseBox(Ui& ui, const SavedArea& saved) {
  ui.canvas.RestoreArea(saved);
  ui.Show();
}

Font FieldFont() {
  // Liberation Mono advances 0.6 em: 8 pixels at this size.
  return {FontFamily::kMono, 40.0 / 3.0, true};
}

void DrawField(Ui& ui, const Rect& r, const std::string& text, bool current, int caretColumn,
               bool caretShown) {
  Canvas& canvas = ui.canvas;
  canvas.FillRoundedRect(r, 3, 0xFFFFFF);
  canvas.StrokeRect(r, current ? theme::kAccent : theme::kButtonEdge, current ? 2 : 1, 3);
  canvas.SetFont(FieldFont());
  const int textY = r.y + (r.height - canvas.LineHeight()) / 2;
  canvas.DrawText(r.x + 4, textY, text, theme::kInk);
  if (current && caretShown) {
    const int x = r.x + 4 + kFieldCharWidth * caretColumn;
    canvas.FillRect({x, r.y + 4, 2, r.height - 8}, theme::kInk);
  }
  canvas.RecordButton(r, "");
}

}  // namespace tovalia
