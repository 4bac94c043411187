// The nearest form of a Unicode character that single-byte CP1252 text can
// hold, for characters it has no byte for: text from outside (UTF-8 files,
// the clipboard, old DOS code pages) keeps its meaning instead of turning
// into question marks.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tovalia {

// The CP1252 text that stands for the character ("fi" for the ligature,
// "1/3" for the vulgar fraction, "l" for l with stroke), an empty text for
// one that is best dropped (zero-width spaces, combining marks, emoji), or
// nothing when no plain form is known.
std::optional<std::string_view> PlainForm(uint32_t codePoint);

// The CP1252 letter that a base letter followed by a combining mark makes
// ("e" and U+0301 make 0xE9), or 0.
uint8_t ComposeWithMark(char base, uint32_t mark);

}  // namespace tovalia
