// The line rule the print cards flow text by: break after a carriage
// return, else after the last blank that still fits, else where the text
// stops fitting; what fits is decided by the measured width of the glyphs
// in the face that draws them. The program's shared line rule for every
// text view has this same shape; when it is in the tree, `wrap` below
// names it instead and this file goes.
#pragma once

#include <functional>
#include <string_view>

namespace tovalia::print_wrap {

using TextMeasure = std::function<int(std::string_view)>;

struct LineLimit {
  int characters = 80;
  int width = 0;
  const TextMeasure* measure = nullptr;
};

// The byte length of the line at the start of `text` (at least 1 for a text
// that is not empty): a carriage return ends the line and belongs to it; a
// rest that fits is one line; else the line ends after the last blank that
// fits; else it holds as many characters as fit.
int NextLineBreak(std::string_view text, const LineLimit& limit);

}  // namespace tovalia::print_wrap

namespace tovalia {
namespace wrap = print_wrap;
}
