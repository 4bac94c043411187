// Stored paragraphs written as lines of a fixed width for other programs,
// and read back again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

// Wrapped-text modes: width and indent of the written lines.
inline constexpr int kWrapIndentFour = 0;  // 67 characters, four blanks before each line
inline constexpr int kWrapIndentTwo = 1;   // 67 characters, two blanks
inline constexpr int kWrapPlain72 = 2;     // 72 characters, no indent
// Any other mode: 79 characters, no indent.

enum class WrapCuts {
  kDropBlank,  // the blank where a line is cut is dropped
  kKeepBlank,  // it ends the cut line, so that a reader can tell a cut from a line end
};

// Appends the stored text (CR-separated) as wrapped lines ending in CR LF.
// A line longer than the width is cut at its last blank within the width.
// A word is never cut: a line without a blank within the width runs on to
// the first blank after it (a web address or a rule of dashes stays whole,
// where a cut would put a blank into it for any reader that joins the lines
// again). Every CR ends a line, an empty one too; LF and CR LF count as one
// line end, and NUL bytes are skipped. A last line without its end is
// written as well.
void WriteWrapped(std::string& out, std::string_view text, int mode, WrapCuts cuts = WrapCuts::kDropBlank);

// The stored text again from lines written with WrapCuts::kKeepBlank (line
// ends taken off): a line that ends in a blank before a line with text was
// cut and goes on with the next; the others end in CR (the last one only
// when it is empty, as TextLines reads it). A stored line that itself ended
// in a blank before its line end is joined with the next one.
std::string UnwrapCutLines(const std::vector<std::string>& lines);

}  // namespace tovalia
