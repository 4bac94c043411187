// Windows bitmap files: reading uncompressed BMP images of 1, 4, 8, 16, 24
// and 32 bits per pixel (16 and 32 also with colour masks), and writing
// 24-bit and 16-bit ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tovalia {

// What the headers of a BMP file image say, before any pixel is read.
struct BmpHeaders {
  int width = 0;
  int height = 0;  // rows, whichever way they run
  int bitsPerPixel = 0;
};

// False for bytes that do not start with a BMP file header and an
// information header of 40 bytes or more.
bool ReadBmpHeaders(const uint8_t* bytes, size_t size, BmpHeaders& headers);

// False (and an empty image) for anything that is not a sound BMP image:
// headers, colour table and every pixel row inside the bytes.
bool DecodeBmp(const uint8_t* bytes, size_t size, Image& image);
std::vector<uint8_t> EncodeBmp24(const Image& image);
// 16 bits a pixel, five for each of red, green and blue; no colour table.
std::vector<uint8_t> EncodeBmp16(const Image& image);

bool LoadBmpFile(const std::string& path, Image& image);
bool SaveBmpFile(const std::string& path, const Image& image);

}  // namespace tovalia
