#include "platform/bmp_codec.h"

#include <fstream>
#include <iterator>

#include "db/bmp_layout.h"
#include "db/byte_buffer.h"
#include "db/data_file.h"

namespace tovalia {

namespace {
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
}  // namespace

bool DecodeBmp(const uint8_t* bytes, size_t size, Image& image) {
  image = Image{};
  BmpLayout layout;
  if (!ReadBmpLayout(bytes, size, layout)) return false;
  const int64_t width = layout.width;
  const int64_t height = layout.height;
  const int64_t rowBytes = layout.rowBytes;
  const int64_t dataOffset = layout.dataOffset;
  const int64_t paletteCount = layout.paletteCount;
  const int bits = layout.bits;
  const bool topDown = layout.topDown;
  const uint8_t* palette = bits == 8 ? bytes + kFileHeaderSize + layout.infoSize : nullptr;

  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(static_cast<size_t>(width * height));
  for (int64_t row = 0; row < height; ++row) {
    const uint8_t* source = bytes + dataOffset + rowBytes * (topDown ? row : height - 1 - row);
    uint32_t* target = &image.pixels[static_cast<size_t>(row * width)];
    for (int64_t x = 0; x < width; ++x) {
      const uint8_t* bgr;
      if (bits == 8) {
        int64_t index = source[x];
        bgr = index < paletteCount ? palette + index * 4 : palette;
      } else {
        bgr = source + x * (bits / 8);
      }
      target[x] = 0xFF000000u | (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
    }
  }
  return true;
}

std::vector<uint8_t> EncodeBmp24(const Image& image) {
  const int64_t rowBytes = ((int64_t{image.width} * 24 + 31) / 32) * 4;
  const int64_t dataSize = rowBytes * image.height;
  std::vector<uint8_t> bytes(static_cast<size_t>(kFileHeaderSize + kInfoHeaderSize + dataSize), 0);
  uint8_t* p = bytes.data();
  p[0] = 'B';
  p[1] = 'M';
  StoreI32(p + 2, static_cast<int32_t>(bytes.size()));
  StoreI32(p + 10, kFileHeaderSize + kInfoHeaderSize);
  StoreI32(p + 14, kInfoHeaderSize);
  StoreI32(p + 18, image.width);
  StoreI32(p + 22, image.height);
  StoreU16(p + 26, 1);
  StoreU16(p + 28, 24);
  StoreI32(p + 34, static_cast<int32_t>(dataSize));
  StoreI32(p + 38, 2835);  // 72 dots per inch
  StoreI32(p + 42, 2835);
  for (int row = 0; row < image.height; ++row) {
    uint8_t* target = p + kFileHeaderSize + kInfoHeaderSize + rowBytes * (image.height - 1 - row);
    for (int x = 0; x < image.width; ++x) {
      uint32_t pixel = image.pixels[static_cast<size_t>(row) * image.width + x];
      target[x * 3] = static_cast<uint8_t>(pixel);
      target[x * 3 + 1] = static_cast<uint8_t>(pixel >> 8);
      target[x * 3 + 2] = static_cast<uint8_t>(pixel >> 16);
    }
  }
  return bytes;
}

bool LoadBmpFile(const std::string& path, Image& image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  return DecodeBmp(bytes.data(), bytes.size(), image);
}

bool SaveBmpFile(const std::string& path, const Image& image) {
  std::vector<uint8_t> bytes = EncodeBmp24(image);
  return ReplaceFileContents(path, bytes.data(), bytes.size());
}

}  // namespace tovalia
