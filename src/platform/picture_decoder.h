// Pictures from outside the program (JPEG, PNG, GIF, BMP) decoded into
// pixels, and pixels scaled with a good filter. stb_image and
// stb_image_resize do the work.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/canvas.h"

namespace tovalia {

// Pictures larger than this on either side are not decoded.
inline constexpr int kLargestPictureSide = 12000;

// False (and an empty image) when the bytes are no picture the decoder
// knows, are damaged, or are larger than kLargestPictureSide. Transparent
// parts come out on white; the first frame of an animation is taken.
bool DecodePicture(const uint8_t* bytes, size_t size, Image& image);

// The image scaled to width x height (each at least 1).
Image ScaleImage(const Image& image, int width, int height);

}  // namespace tovalia
