#include "ui/fitted_text.h"

#include <algorithm>
#include <vector>

#include "layout/line_breaker.h"
#include "ui/theme.h"

namespace tovalia {

namespace {
constexpr int kTipPadding = 8;
constexpr int kTipMostWidth = 480;
}  // namespace

SizedMeasure MeasureIn(Canvas& canvas, Font face) {
  return [&canvas, face](std::string_view text, double size) {
    Font f = face;
    f.pixelSize = size;
    canvas.SetFont(f);
    return canvas.TextWidth(std::string(text));
  };
}

bool DrawFittedLine(Canvas& canvas, const Rect& box, const std::string& text, Font font, double smallest,
                    Color color, bool centred) {
  const FittedText fitted = FitText(text, box.width, 1, font.pixelSize, smallest, MeasureIn(canvas, font));
  font.pixelSize = fitted.size;
  canvas.SetFont(font);
  const std::string& line = fitted.lines.empty() ? text : fitted.lines.front();
  if (centred) {
    canvas.DrawTextCentred(box, line, color);
  } else {
    canvas.DrawText(box.x, box.y + (box.height - canvas.LineHeight()) / 2, line, color);
  }
  return fitted.shortened;
}

void DrawTip(Ui& ui, const Rect& anchor, const std::string& text) {
  Canvas& canvas = ui.canvas;
  const Font font = theme::BodyFont();
  canvas.SetFont(font);
  const int most = std::min(kTipMostWidth, canvas.Width() - 2 * kTipPadding - 8);
  const TextMeasure measure = [&canvas](std::string_view run) { return canvas.TextWidth(std::string(run)); };
  const LineLimit limit{static_cast<int>(text.size()) + 1, most, &measure};
  std::vector<std::string> lines;
  int widest = 0;
  for (std::string_view line : BreakIntoLines(text, limit)) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    lines.emplace_back(line);
    widest = std::max(widest, measure(line));
  }
  const int lineHeight = canvas.LineHeight() + 2;
  Rect tip{anchor.x, anchor.y + anchor.height + 2, widest + 2 * kTipPadding,
           static_cast<int>(lines.size()) * lineHeight + 2 * kTipPadding - 2};
  if (tip.y + tip.height > canvas.Height() - 4) tip.y = anchor.y - tip.height - 2;
  tip.x = std::clamp(tip.x, 4, std::max(4, canvas.Width() - tip.width - 4));
  tip.y = std::max(tip.y, 4);
  canvas.FillRoundedRect({tip.x + 3, tip.y + 3, tip.width, tip.height}, 5, 0xA79C8A);
  canvas.FillRoundedRect(tip, 5, 0xFFFBE8);
  canvas.StrokeRect(tip, theme::kButtonEdge, 1, 5);
  int y = tip.y + kTipPadding;
  for (const std::string& line : lines) {
    canvas.DrawText(tip.x + kTipPadding, y, line, theme::kInk);
    y += lineHeight;
  }
}

}  // namespace tovalia
