// The layout of a BMP image in memory, read from its headers and checked
// against the bytes, for every reader of photos.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tovalia {

struct BmpLayout {
  int64_t dataOffset = 0;    // where the pixel rows start
  int64_t infoSize = 0;      // the size of the information header
  int64_t width = 0;
  int64_t height = 0;        // positive; see topDown
  bool topDown = false;      // rows stored from the top
  int bits = 0;              // 1, 4, 8, 16, 24 or 32
  bool masked = false;       // 16 or 32 bits with colour masks after the header
  int64_t rowBytes = 0;      // one row, padded to four bytes
  int64_t paletteCount = 0;  // colours of a 1-, 4- or 8-bit palette
};

// False for anything that is not a sound uncompressed image of 1, 4, 8, 16,
// 24 or 32 bits (16 and 32 also with colour masks) whose headers, palette,
// masks and pixel rows lie within the bytes.
bool ReadBmpLayout(const uint8_t* bytes, size_t size, BmpLayout& layout);

}  // namespace tovalia
