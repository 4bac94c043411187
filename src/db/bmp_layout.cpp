#include "db/bmp_layout.h"

#include "db/byte_buffer.h"

namespace tovalia {

namespace {
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kMaxSide = 16384;
}  // namespace

bool ReadBmpLayout(const uint8_t* bytes, size_t size, BmpLayout& layout) {
  layout = BmpLayout{};
  if (size < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
  layout.dataOffset = LoadI32(bytes + 10);
  layout.infoSize = LoadI32(bytes + 14);
  layout.width = LoadI32(bytes + 18);
  layout.height = LoadI32(bytes + 22);
  layout.bits = LoadU16(bytes + 28);
  const int64_t compression = LoadI32(bytes + 30);
  layout.paletteCount = LoadI32(bytes + 46);
  layout.topDown = layout.height < 0;
  if (layout.topDown) layout.height = -layout.height;
  if (layout.infoSize < kInfoHeaderSize || layout.width <= 0 || layout.height <= 0 || layout.width > kMaxSide ||
      layout.height > kMaxSide || compression != 0 || (layout.bits != 8 && layout.bits != 24 && layout.bits != 32))
    return false;
  layout.rowBytes = ((layout.width * layout.bits + 31) / 32) * 4;
  if (layout.dataOffset < 0 || layout.dataOffset + layout.rowBytes * layout.height > static_cast<int64_t>(size))
    return false;
  if (layout.bits == 8) {
    if (layout.paletteCount <= 0 || layout.paletteCount > 256) layout.paletteCount = 256;
    if (kFileHeaderSize + layout.infoSize + layout.paletteCount * 4 > static_cast<int64_t>(size)) return false;
  }
  return true;
}

}  // namespace tovalia
