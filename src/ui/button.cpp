#include "ui/button.h"

#include <cstdlib>

#include "db/cp1252.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kPressedPauseMs = 90;

// A small solid triangle pointing up, down, left or right.
void DrawArrow(Canvas& canvas, const Rect& r, int dx, int dy, Color color) {
  int cx = r.CentreX();
  int cy = r.CentreY();
  for (int step = 0; step < 5; ++step) {
    if (dy != 0) {
      int y = cy + (dy < 0 ? -2 + step : 2 - step);
      canvas.DrawLine(cx - step, y, cx + step + 1, y, color);
    } else {
      int x = cx + (dx < 0 ? -2 + step : 2 - step);
      canvas.DrawLine(x, cy - step, x, cy + step + 1, color);
    }
  }
}

}  // namespace

void DrawButton(Ui& ui, const Rect& r, const std::string& caption, bool pressed) {
  Canvas& canvas = ui.canvas;
  canvas.FillVerticalGradient(r, pressed ? theme::kButtonPressedTop : theme::kButtonTop,
                              pressed ? theme::kButtonPressedBottom : theme::kButtonBottom, 5);
  canvas.StrokeRect(r, theme::kButtonEdge, 1, 5);
  if (caption == kScrollUpCaption || caption == kScrollDownCaption) {
    DrawArrow(canvas, r, 0, caption == kScrollUpCaption ? -1 : 1, theme::kInk);
  } else if (caption == kPreviousCaption || caption == kNextCaption) {
    DrawArrow(canvas, r, caption == kPreviousCaption ? -1 : 1, 0, theme::kInk);
  } else {
    // A long caption on a narrow button is set smaller rather than cut off.
    Font font = theme::ButtonFont();
    canvas.SetFont(font);
    while (font.pixelSize > 10 && canvas.TextWidth(caption) > r.width - 8) {
      font.pixelSize -= 1;
      canvas.SetFont(font);
    }
    Rect text = r;
    if (pressed) text.y += 1;
    canvas.DrawTextCentred(text, caption, theme::kInk);
  }
  canvas.RecordButton(r, caption);
}

bool ButtonActivated(Ui& ui, const std::string& caption, const Rect& r, int hotKeyPosition) {
  const InputState& in = ui.input;
  bool activated = false;
  if ((in.buttonBits & kLeftButton) && r.Contains(in.mouseX, in.mouseY)) {
    activated = true;
  } else if (caption == "OK" && in.typedCharacter == typed::kEnter) {
    activated = true;
  } else if (caption == kScrollUpCaption) {
    activated = in.keyCode == key::kUp;
  } else if (caption == kScrollDownCaption) {
    activated = in.keyCode == key::kDown;
  } else if (caption == kPreviousCaption) {
    activated = in.keyCode == key::kLeft;
  } else if (caption == kNextCaption) {
    activated = in.keyCode == key::kRight;
  } else if (hotKeyPosition != 0 && in.typedCharacter != 0) {
    size_t place = static_cast<size_t>(std::abs(hotKeyPosition));
    if (place <= caption.size()) {
      int letter = UpperCaseByte(static_cast<uint8_t>(caption[place - 1]));
      if (hotKeyPosition > 0) {
        activated = UpperCaseByte(static_cast<uint8_t>(in.typedCharacter)) == letter;
      } else {
        // Ctrl with a letter arrives as that letter's control character.
        activated = in.ctrl && letter >= 'A' && letter <= 'Z' && in.typedCharacter == letter - 64;
      }
    }
  }
  if (!activated) return false;
  DrawButton(ui, r, caption, true);
  ui.Show();
  ui.platform.Pause(kPressedPauseMs);
  DrawButton(ui, r, caption, false);
  ui.Show();
  return true;
}

}  // namespace tovalia
