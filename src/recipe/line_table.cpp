#include "recipe/line_table.h"

#include <algorithm>

namespace tovalia {

using namespace line_table;

void CreateLineTable(ByteBuffer& table, int32_t capacity, int32_t wrapWidth, int32_t maxTextLength) {
  capacity = std::max(capacity, 1);
  CreateBuffer(kLineStarts + 4 * capacity, table);
  FillBytes(table, 0, table.Size(), 0);
  SetI32(table, kWrapWidth, std::clamp(wrapWidth, 2, kMostWrapWidth));
  SetI32(table, kMaxTextLength, maxTextLength);
  SetI32(table, kCapacity, capacity);
  SetI32(table, kBlockStart, -1);
  SetI32(table, kBlockEnd, -1);
  SetI32(table, kBlockAnchor, -1);
  for (int32_t slot = 0; slot < capacity; ++slot) SetI32(table, kLineStarts + 4 * slot, -1);
}

void SetWrapPixels(ByteBuffer& table, int32_t pixels) { SetI32(table, kWrapPixels, std::max(pixels, 0)); }

void BuildLineTable(std::string_view text, ByteBuffer& table, const TextMeasure& measure) {
  const int32_t capacity = GetI32(table, kCapacity);
  const int32_t length = static_cast<int32_t>(text.size());
  LineLimit limit;
  limit.characters = GetI32(table, kWrapWidth);
  limit.width = GetI32(table, kWrapPixels);
  if (limit.width > 0 && measure) limit.measure = &measure;
  int32_t count = 0;
  int32_t p = 0;
  while (p < length && count < capacity) {
    SetI32(table, kLineStarts + 4 * count, p);
    ++count;
    p += std::max(NextLineBreak(text.substr(static_cast<size_t>(p)), limit), 1);
  }
  SetI32(table, kLineCount, count);
  SetI32(table, kTextLength, length);
  for (int32_t slot = count; slot < capacity; ++slot) SetI32(table, kLineStarts + 4 * slot, -1);
}

int32_t LineCount(const ByteBuffer& table) { return GetI32(table, kLineCount); }

int32_t LineStart(const ByteBuffer& table, int32_t line) {
  return GetI32(table, kLineStarts + 4 * line, -1);
}

std::string_view DisplayLine(std::string_view text, const ByteBuffer& table, int32_t line) {
  if (line < 0 || line >= LineCount(table)) return {};
  const int32_t start = LineStart(table, line);
  int32_t end = line + 1 < GetI32(table, kCapacity) ? LineStart(table, line + 1) : -1;
  if (end < 0) end = static_cast<int32_t>(text.size());
  if (start < 0 || start > end || end > static_cast<int32_t>(text.size())) return {};
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

std::string_view ShownLine(std::string_view text, const ByteBuffer& table, int32_t line) {
  std::string_view shown = DisplayLine(text, table, line);
  if (!shown.empty() && shown.back() == '\r') shown.remove_suffix(1);
  if (!shown.empty() && shown.back() == '\0') shown.remove_suffix(1);
  return shown;
}

}  // namespace tovalia
