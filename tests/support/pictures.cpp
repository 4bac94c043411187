#include "support/pictures.h"

#include <stb_image_write.h>

namespace tovalia::testing {

namespace {

std::vector<uint8_t> Rgb(int width, int height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = static_cast<uint8_t>(x * 255 / width);
      p[1] = static_cast<uint8_t>(y * 255 / height);
      p[2] = 0x80;
    }
  return rgb;
}

void Collect(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(context);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> JpegPicture(int width, int height) {
  std::vector<uint8_t> bytes;
  stbi_write_jpg_to_func(Collect, &bytes, width, height, 3, Rgb(width, height).data(), 90);
  return bytes;
}

std::vector<uint8_t> PngPicture(int width, int height) {
  std::vector<uint8_t> bytes;
  stbi_write_png_to_func(Collect, &bytes, width, height, 3, Rgb(width, height).data(), width * 3);
  return bytes;
}

std::vector<uint8_t> BmpPicture(int width, int height, int bitsPerPixel) {
  const size_t table = bitsPerPixel == 8 ? 1024 : 0;
  const size_t rowBytes = ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
  const size_t offset = 54 + table;
  std::vector<uint8_t> b(offset + rowBytes * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  b[26] = 1;
  b[28] = static_cast<uint8_t>(bitsPerPixel);
  for (size_t i = 0; i < table / 4; ++i) b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = static_cast<uint8_t>(i);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &b[offset + y * rowBytes + static_cast<size_t>(x) * bitsPerPixel / 8];
      if (bitsPerPixel == 8) {
        *p = static_cast<uint8_t>((x + y) & 0xFF);
      } else {
        p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y), p[2] = 0x40;
      }
    }
  return b;
}

std::vector<uint8_t> GifPicture() {
  static const uint8_t gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x04, 0x00, 0xf0, 0x00,
                                0x00, 0xff, 0xa5, 0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x04, 0x00,
                                0x00, 0x02, 0x04, 0x84, 0x8f, 0x09, 0x05, 0x00, 0x3b};
  return std::vector<uint8_t>(std::begin(gif), std::end(gif));
}

}  // namespace tovalia::testing
