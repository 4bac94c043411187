// Whole-text and block transformations of the recipe editor, on CP1252
// text whose lines end in CR: sentence case, joining lines, the clipboard
// forms, and word boundaries for the word moves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovalia {

// Sentence case: a letter is upper-cased at the start or after ".", "!" or
// "?" (blanks and CRs between do not count), lower-cased otherwise.
std::string SentenceCase(std::string_view text);

// Joins the lines of each paragraph: a CR followed by another CR or by a
// blank is kept (with the character after it); any other CR becomes one
// blank, or nothing when a blank already precedes it. A CR at the very end
// is kept.
std::string JoinLines(std::string_view text);

// The text as it goes onto the clipboard: each CR written as CR LF.
std::string ClipboardCopyText(std::string_view text);

// Clipboard text as it is pasted into a field with `room` bytes left: up to
// the first NUL, line feeds removed, cut to the room. In a field of one line
// (the title) CRs become blanks.
std::string PastableText(std::string_view clipboardText, int32_t room, bool singleLine);

// Word moves: a word is a run of characters with codes 48 ("0") and above.
// The start of the next word after `at`, or the text's end.
int32_t NextWordStart(std::string_view text, int32_t at);
// The start of the word before `at` (or of the one `at` is inside), or 0.
int32_t PreviousWordStart(std::string_view text, int32_t at);

}  // namespace tovalia
