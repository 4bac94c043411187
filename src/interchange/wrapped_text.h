// Stored paragraphs written as lines of a fixed width for other programs.
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

// Wrapped-text modes: width and indent of the written lines.
inline constexpr int kWrapIndentFour = 0;  // 67 characters, four blanks before each line
inline constexpr int kWrapIndentTwo = 1;   // 67 characters, two blanks
inline constexpr int kWrapPlain72 = 2;     // 72 characters, no indent
// Any other mode: 79 characters, no indent.

// Appends the stored text (CR-separated) as wrapped lines ending in CR LF.
// A line longer than the width is cut at its last blank within the width;
// the blank is dropped. A word is never cut: a line without a blank within
// the width runs on to the first blank after it (a web address or a rule of
// dashes stays whole, where a cut would put a blank into it for any reader
// that joins the lines again). Every CR ends a line, an empty one too; LF
// and CR LF count as one line end, and NUL bytes are skipped. A last line
// without its end is written as well.
void WriteWrapped(std::string& out, std::string_view text, int mode);

}  // namespace tovalia
