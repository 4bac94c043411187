#include "ui/text_fit.h"

namespace tovalia {

std::string FitWithEllipsis(Canvas& canvas, std::string text, int width) {
  if (canvas.TextWidth(text) <= width) return text;
  while (!text.empty() && canvas.TextWidth(text + "\x85") > width) text.pop_back();
  return text + "\x85";  // an ellipsis
}

}  // namespace tovalia
