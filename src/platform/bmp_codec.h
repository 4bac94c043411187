// Windows bitmap files: reading uncompressed 8-, 24- and 32-bit BMP images
// and writing 24-bit ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tovalia {

// False (and an empty image) for anything that is not a sound BMP image.
bool DecodeBmp(const uint8_t* bytes, size_t size, Image& image);
std::vector<uint8_t> EncodeBmp24(const Image& image);

bool LoadBmpFile(const std::string& path, Image& image);
bool SaveBmpFile(const std::string& path, const Image& image);

}  // namespace tovalia
