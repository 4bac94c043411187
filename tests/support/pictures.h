// Pictures written for tests: JPEG and PNG through the image writer, BMPs
// byte by byte, and a GIF as its bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace tovalia::testing {

// A width x height picture whose colour changes across and down.
std::vector<uint8_t> JpegPicture(int width, int height);
std::vector<uint8_t> PngPicture(int width, int height);
// An uncompressed BMP with a grey colour table (8 bits) or colours (24 bits).
std::vector<uint8_t> BmpPicture(int width, int height, int bitsPerPixel);
// A 4 x 4 orange GIF.
std::vector<uint8_t> GifPicture();

}  // namespace tovalia::testing
