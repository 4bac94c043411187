// The one rule that cuts text into display lines, for every place that lays
// out text: the Recipe screen's columns, titles, and later the editor,
// print cards and the PDF. A line ends after a carriage return, else after
// the last blank that still fits, else wherever the text stops fitting (a
// hard break). What fits is decided by a character limit and, when a
// measure is given, by the measured width of the glyphs that will draw it.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace tovalia {

// The width of a run of CP1252 text as it will be drawn, in the unit of
// LineLimit::width (pixels on screen, points in a PDF).
using TextMeasure = std::function<int(std::string_view)>;

struct LineLimit {
  int characters = 80;  // a line holds at most this many characters
  int width = 0;        // and, with a measure, is at most this wide
  const TextMeasure* measure = nullptr;  // null: characters alone decide
};

// The byte length of the display line at the start of `text` (at least 1
// for a text that is not empty, and never more than its length):
// - a carriage return within the limit ends the line and belongs to it;
// - a rest of the text that fits is one line;
// - otherwise the line ends after the last blank within what fits (the
//   blank stays at its end);
// - with no such blank, the line holds what fits: measured, as many
//   characters as fit; by characters alone, the limit minus one.
int NextLineBreak(std::string_view text, const LineLimit& limit);

// The whole text cut into display lines by NextLineBreak.
std::vector<std::string_view> BreakIntoLines(std::string_view text, const LineLimit& limit);

// The longest start of `text`, in bytes, whose measured width is at most
// `width` (widths grow with the text, so a binary search finds it).
int FittingLength(std::string_view text, int width, const TextMeasure& measure);

}  // namespace tovalia
