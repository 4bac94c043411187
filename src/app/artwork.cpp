#include "app/artwork.h"

#include <algorithm>
#include <cmath>

#include "db/data_file.h"
#include "platform/bmp_codec.h"

namespace tovalia {

namespace {

// A small repeatable noise, so the pictures are the same on every machine.
int Noise(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<int>((h ^ (h >> 16)) & 7) - 3;
}

uint32_t Pixel(double r, double g, double b) {
  auto channel = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
  return 0xFF000000u | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

// Woven linen: a warm gradient with fine threads and a soft vignette.
Image MakeLinen(int width, int height, double top[3], double bottom[3], double threadDepth) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    double t = height > 1 ? static_cast<double>(y) / (height - 1) : 0;
    for (int x = 0; x < width; ++x) {
      double dx = (x - width / 2.0) / width;
      double dy = (y - height / 2.0) / height;
      double shade = -18 * (dx * dx + dy * dy);
      double thread = ((x % 3 == 0) ? -threadDepth : 0) + ((y % 3 == 0) ? -threadDepth : 0);
      double grain = Noise(x, y) + shade + thread;
      image.pixels[static_cast<size_t>(y) * width + x] =
          Pixel(top[0] + (bottom[0] - top[0]) * t + grain, top[1] + (bottom[1] - top[1]) * t + grain,
                top[2] + (bottom[2] - top[2]) * t + grain);
    }
  }
  return image;
}

void Prepare(const std::string& path, Image& image, Image (*make)(int, int), int width, int height) {
  if (!FileExists(path)) SaveBmpFile(path, make(width, height));
  if (!LoadBmpFile(path, image)) image = make(width, height);
}

}  // namespace

Image MakeBackgroundArtwork(int width, int height) {
  double top[3] = {244, 238, 226};
  double bottom[3] = {230, 220, 200};
  return MakeLinen(width, height, top, bottom, 2.5);
}

Image MakePopupArtwork(int width, int height) {
  double top[3] = {255, 252, 244};
  double bottom[3] = {249, 243, 230};
  return MakeLinen(width, height, top, bottom, 1.0);
}

void PrepareArtwork(const std::string& dataFolder, Image& background, Image& popup) {
  Prepare(dataFolder + "background.bmp", background, MakeBackgroundArtwork, 1024, 767);
  Prepare(dataFolder + "popup.bmp", popup, MakePopupArtwork, 420, 400);
}

}  // namespace tovalia
