#include "db/bmp_layout.h"

#include "db/byte_buffer.h"

namespace tovalia {

namespace {
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kMaxSide = 16384;
constexpr int64_t kBitFields = 3;
}  // namespace

bool ReadBmpLayout(const uint8_t* bytes, size_t size, BmpLayout& layout) {
  layout = BmpLayout{};
  const int64_t fileSize = static_cast<int64_t>(size);
  if (size < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
  layout.dataOffset = LoadI32(bytes + 10);
  layout.infoSize = LoadI32(bytes + 14);
  layout.width = LoadI32(bytes + 18);
  layout.height = LoadI32(bytes + 22);
  layout.bits = LoadU16(bytes + 28);
  const int64_t compression = LoadI32(bytes + 30);
  layout.topDown = layout.height < 0;
  if (layout.topDown) layout.height = -layout.height;
  if (layout.infoSize < kInfoHeaderSize || layout.width <= 0 || layout.height <= 0 || layout.width > kMaxSide ||
      layout.height > kMaxSide)
    return false;
  const int bits = layout.bits;
  const bool paletted = bits == 1 || bits == 4 || bits == 8;
  layout.masked = compression == kBitFields && (bits == 16 || bits == 32);
  if (!(compression == 0 && (paletted || bits == 16 || bits == 24 || bits == 32)) && !layout.masked) return false;
  layout.rowBytes = ((layout.width * bits + 31) / 32) * 4;
  if (layout.dataOffset < kFileHeaderSize + kInfoHeaderSize || layout.dataOffset > fileSize ||
      layout.rowBytes * layout.height > fileSize - layout.dataOffset)
    return false;
  if (paletted) {
    layout.paletteCount = LoadI32(bytes + 46);
    if (layout.paletteCount <= 0 || layout.paletteCount > (int64_t{1} << bits)) layout.paletteCount = int64_t{1} << bits;
    if (kFileHeaderSize + layout.infoSize + layout.paletteCount * 4 > fileSize) return false;
  }
  // The masks follow a 40-byte header, or lie inside a larger one.
  if (layout.masked && kFileHeaderSize + kInfoHeaderSize + 12 > fileSize) return false;
  return true;
}

}  // namespace tovalia
