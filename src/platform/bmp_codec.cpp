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

// A colour mask's shift and width, so a masked value scales to 8 bits.
struct Channel {
  int shift = 0;
  int bits = 0;
  uint8_t Of(uint32_t value, uint32_t mask) const {
    if (bits == 0) return 0;
    const uint32_t v = (value & mask) >> shift;
    const uint32_t most = (bits >= 32) ? 0xFFFFFFFFu : ((1u << bits) - 1);
    return static_cast<uint8_t>((v * 255u + most / 2) / most);
  }
};

Channel ChannelOf(uint32_t mask) {
  Channel c;
  if (mask == 0) return c;
  while (!(mask & 1u)) {
    mask >>= 1;
    ++c.shift;
  }
  while (mask & 1u) {
    mask >>= 1;
    ++c.bits;
  }
  if (c.bits > 16) c.bits = 16;  // keeps the scaling within 32 bits
  return c;
}

std::vector<uint8_t> NewBmp(const Image& image, int bits, int64_t& rowBytes) {
  rowBytes = ((int64_t{image.width} * bits + 31) / 32) * 4;
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
  StoreU16(p + 28, static_cast<uint16_t>(bits));
  StoreI32(p + 34, static_cast<int32_t>(dataSize));
  StoreI32(p + 38, 2835);  // 72 dots per inch
  StoreI32(p + 42, 2835);
  return bytes;
}

}  // namespace

bool ReadBmpHeaders(const uint8_t* bytes, size_t size, BmpHeaders& headers) {
  headers = BmpHeaders{};
  if (size < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
  if (LoadI32(bytes + 14) < kInfoHeaderSize) return false;
  const int64_t height = LoadI32(bytes + 22);
  headers.width = LoadI32(bytes + 18);
  headers.height = static_cast<int>(height < 0 ? -height : height);
  headers.bitsPerPixel = LoadU16(bytes + 28);
  return true;
}

bool DecodeBmp(const uint8_t* bytes, size_t size, Image& image) {
  image = Image{};
  BmpLayout layout;
  if (!ReadBmpLayout(bytes, size, layout)) return false;
  const int64_t width = layout.width;
  const int64_t height = layout.height;
  const int64_t rowBytes = layout.rowBytes;
  const int bits = layout.bits;
  const bool masked = layout.masked;
  const bool paletted = layout.paletteCount > 0;
  const int64_t paletteCount = layout.paletteCount;
  const uint8_t* palette = paletted ? bytes + kFileHeaderSize + layout.infoSize : nullptr;
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16 bits without masks: 5-5-5
  if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  if (masked) {
    // The masks follow a 40-byte header, or lie inside a larger one.
    for (int i = 0; i < 3; ++i) masks[i] = static_cast<uint32_t>(LoadI32(bytes + kFileHeaderSize + kInfoHeaderSize + 4 * i));
  }
  const Channel red = ChannelOf(masks[0]), green = ChannelOf(masks[1]), blue = ChannelOf(masks[2]);

  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(static_cast<size_t>(width * height));
  for (int64_t row = 0; row < height; ++row) {
    const uint8_t* source = bytes + layout.dataOffset + rowBytes * (layout.topDown ? row : height - 1 - row);
    uint32_t* target = &image.pixels[static_cast<size_t>(row * width)];
    for (int64_t x = 0; x < width; ++x) {
      uint32_t rgb = 0;
      if (paletted) {
        const int64_t bit = x * bits;
        const int index = (source[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
        const uint8_t* bgr = palette + (index < paletteCount ? index : 0) * 4;
        rgb = (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
      } else if (bits == 24 || (bits == 32 && !masked)) {
        const uint8_t* bgr = source + x * (bits / 8);
        rgb = (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
      } else {
        const uint32_t value = bits == 16 ? LoadU16(source + x * 2) : static_cast<uint32_t>(LoadI32(source + x * 4));
        rgb = (uint32_t{red.Of(value, masks[0])} << 16) | (uint32_t{green.Of(value, masks[1])} << 8) |
              blue.Of(value, masks[2]);
      }
      target[x] = 0xFF000000u | rgb;
    }
  }
  return true;
}

std::vector<uint8_t> EncodeBmp24(const Image& image) {
  int64_t rowBytes = 0;
  std::vector<uint8_t> bytes = NewBmp(image, 24, rowBytes);
  for (int row = 0; row < image.height; ++row) {
    uint8_t* target = bytes.data() + kFileHeaderSize + kInfoHeaderSize + rowBytes * (image.height - 1 - row);
    for (int x = 0; x < image.width; ++x) {
      uint32_t pixel = image.pixels[static_cast<size_t>(row) * image.width + x];
      target[x * 3] = static_cast<uint8_t>(pixel);
      target[x * 3 + 1] = static_cast<uint8_t>(pixel >> 8);
      target[x * 3 + 2] = static_cast<uint8_t>(pixel >> 16);
    }
  }
  return bytes;
}

std::vector<uint8_t> EncodeBmp16(const Image& image) {
  int64_t rowBytes = 0;
  std::vector<uint8_t> bytes = NewBmp(image, 16, rowBytes);
  auto five = [](uint32_t eight) { return (eight * 31 + 127) / 255; };
  for (int row = 0; row < image.height; ++row) {
    uint8_t* target = bytes.data() + kFileHeaderSize + kInfoHeaderSize + rowBytes * (image.height - 1 - row);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t pixel = image.pixels[static_cast<size_t>(row) * image.width + x];
      const uint32_t value = (five((pixel >> 16) & 0xFF) << 10) | (five((pixel >> 8) & 0xFF) << 5) | five(pixel & 0xFF);
      StoreU16(target + x * 2, static_cast<uint16_t>(value));
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
