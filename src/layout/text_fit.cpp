#include "layout/text_fit.h"

#include <algorithm>

namespace tovalia {

namespace {

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string EndWithEllipsis(std::string_view text, int width, const TextMeasure& measure) {
  text = WithoutTrailingBlanks(text);
  if (measure(text) <= width) return std::string(text);
  // Widths grow with the start taken, the ellipsis included.
  int fits = 0;
  int over = static_cast<int>(text.size());
  while (over - fits > 1) {
    const int middle = fits + (over - fits) / 2;
    std::string candidate(WithoutTrailingBlanks(text.substr(0, static_cast<size_t>(middle))));
    if (measure(candidate + kEllipsis) <= width) {
      fits = middle;
    } else {
      over = middle;
    }
  }
  return std::string(WithoutTrailingBlanks(text.substr(0, static_cast<size_t>(fits)))) + kEllipsis;
}

FittedText FitText(std::string_view text, int width, int maxLines, double size, double smallest,
                   const SizedMeasure& measure) {
  FittedText fitted;
  text = WithoutTrailingBlanks(text);
  smallest = std::min(smallest, size);
  for (double s = size; s >= smallest; s -= 1) {
    if (measure(text, s) <= width) {
      fitted.size = s;
      fitted.lines = {std::string(text)};
      return fitted;
    }
  }
  fitted.size = smallest;
  const TextMeasure atSmallest = [&](std::string_view run) { return measure(run, smallest); };
  LineLimit limit{static_cast<int>(text.size()) + 1, width, &atSmallest};
  std::string_view rest = text;
  while (!rest.empty() && static_cast<int>(fitted.lines.size()) < std::max(maxLines, 1) - 1) {
    const size_t length = static_cast<size_t>(std::max(NextLineBreak(rest, limit), 1));
    fitted.lines.emplace_back(WithoutTrailingBlanks(rest.substr(0, length)));
    rest.remove_prefix(std::min(length, rest.size()));
  }
  if (!rest.empty()) {
    fitted.lines.push_back(EndWithEllipsis(rest, width, atSmallest));
    fitted.shortened = fitted.lines.back() != WithoutTrailingBlanks(rest);
  }
  return fitted;
}

}  // namespace tovalia
