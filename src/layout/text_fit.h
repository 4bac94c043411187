// Fitting a short text (a title, a chapter name, a list entry) into a
// width: a little smaller first, then on two lines by the line rule, and
// only then cut short with an ellipsis.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/line_breaker.h"

namespace tovalia {

// The width of a text at a type size.
using SizedMeasure = std::function<int(std::string_view text, double size)>;

inline constexpr char kEllipsis = '\x85';  // CP1252 "..."

struct FittedText {
  double size = 0;
  std::vector<std::string> lines;  // trailing blanks dropped
  bool shortened = false;          // the end did not fit and an ellipsis stands for it
};

// On one line at `size` if it fits; else on one line at the largest size
// down to `smallest` (a pixel at a time) that fits; else cut by the line
// rule into at most `maxLines` lines at `smallest`, the last one ending in
// an ellipsis when text remains.
FittedText FitText(std::string_view text, int width, int maxLines, double size, double smallest,
                   const SizedMeasure& measure);

// The text as it fits the width: whole, or its longest start that fits
// with an ellipsis after it (trailing blanks dropped).
std::string EndWithEllipsis(std::string_view text, int width, const TextMeasure& measure);

}  // namespace tovalia
