// A text cut into display lines. A line table is a byte block of its own:
// thirteen 32-bit fields, the measured wrap width in the first reserved
// slot, reserved space up to byte 100, then one 32-bit line start per slot
// (-1 in every slot after the last line).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/byte_buffer.h"
#include "layout/line_breaker.h"

namespace tovalia {

namespace line_table {
inline constexpr int32_t kLeftEdge = 0;
inline constexpr int32_t kTopEdge = 4;
inline constexpr int32_t kWrapWidth = 8;
inline constexpr int32_t kVisibleRows = 12;
inline constexpr int32_t kMaxTextLength = 16;
inline constexpr int32_t kCapacity = 20;
inline constexpr int32_t kCursor = 24;
inline constexpr int32_t kTextLength = 28;
inline constexpr int32_t kFirstVisibleLine = 32;
inline constexpr int32_t kLineCount = 36;
inline constexpr int32_t kBlockStart = 40;
inline constexpr int32_t kBlockEnd = 44;
inline constexpr int32_t kBlockAnchor = 48;
inline constexpr int32_t kWrapPixels = 52;  // measured width of a line; 0: characters only
inline constexpr int32_t kLineStarts = 100;
inline constexpr int32_t kMostWrapWidth = 80;
}  // namespace line_table

// A table with room for `capacity` lines of at most `wrapWidth` (<= 80)
// characters; no block is marked.
void CreateLineTable(ByteBuffer& table, int32_t capacity, int32_t wrapWidth, int32_t maxTextLength);

// Lines of the table may also be at most this wide, measured in pixels.
void SetWrapPixels(ByteBuffer& table, int32_t pixels);

// Cuts the text into display lines by the one line rule (NextLineBreak):
// within the wrap width in characters and, when the table has a wrap width
// in pixels and a measure is given, within that measured width.
void BuildLineTable(std::string_view text, ByteBuffer& table, const TextMeasure& measure = {});

int32_t LineCount(const ByteBuffer& table);
int32_t LineStart(const ByteBuffer& table, int32_t line);
// The bytes of a display line, its ending CR included.
std::string_view DisplayLine(std::string_view text, const ByteBuffer& table, int32_t line);
// The display line as shown: one trailing CR and then one trailing NUL dropped.
std::string_view ShownLine(std::string_view text, const ByteBuffer& table, int32_t line);

}  // namespace tovalia
