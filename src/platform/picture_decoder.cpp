#include "platform/picture_decoder.h"

#include <algorithm>
#include <climits>
#include <vector>

#include <stb_image.h>
#include <stb_image_resize.h>

namespace tovalia {

bool DecodePicture(const uint8_t* bytes, size_t size, Image& image) {
  image = Image{};
  if (bytes == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(size);
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels) || width <= 0 || height <= 0 ||
      width > kLargestPictureSide || height > kLargestPictureSide)
    return false;
  stbi_uc* rgba = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
  if (rgba == nullptr) return false;
  if (width <= 0 || height <= 0 || width > kLargestPictureSide || height > kLargestPictureSide) {
    stbi_image_free(rgba);
    return false;
  }
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const stbi_uc* p = rgba + i * 4;
    const uint32_t alpha = p[3];
    // Over white, so that a transparent background stays light.
    auto over = [alpha](uint32_t c) { return (c * alpha + 255 * (255 - alpha) + 127) / 255; };
    image.pixels[i] = 0xFF000000u | (over(p[0]) << 16) | (over(p[1]) << 8) | over(p[2]);
  }
  stbi_image_free(rgba);
  return true;
}

Image ScaleImage(const Image& image, int width, int height) {
  Image scaled;
  if (image.Empty()) return scaled;
  scaled.width = std::max(width, 1);
  scaled.height = std::max(height, 1);
  scaled.pixels.resize(static_cast<size_t>(scaled.width) * static_cast<size_t>(scaled.height));
  // The pixels are 0xAARRGGBB words: in memory four bytes, alpha last.
  stbir_resize_uint8_srgb(reinterpret_cast<const unsigned char*>(image.pixels.data()), image.width, image.height,
                          image.width * 4, reinterpret_cast<unsigned char*>(scaled.pixels.data()), scaled.width,
                          scaled.height, scaled.width * 4, 4, 3, 0);
  return scaled;
}

}  // namespace tovalia
