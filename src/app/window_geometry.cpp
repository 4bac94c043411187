#include "app/window_geometry.h"

namespace tovalia {

namespace {

// Half of a difference, rounded to the nearest whole number with a half
// going to the even neighbour.
int HalfRoundedToEven(int difference) {
  int half = difference / 2;
  if (difference % 2 != 0 && half % 2 != 0) half += difference > 0 ? 1 : -1;
  return half;
}

}  // namespace

WindowGeometry DesignGeometry(int screenWidth, int screenHeight) {
  WindowGeometry g;
  bool large = screenWidth >= 1024 && screenHeight >= 768;
  g.width = large ? 1024 : 800;
  g.height = large ? 767 : 599;
  g.x = HalfRoundedToEven(screenWidth - g.width);
  g.y = HalfRoundedToEven(screenHeight - g.height);
  return g;
}

std::optional<DisplayRefusal> CheckScreenSize(int screenWidth, int screenHeight) {
  if (screenWidth >= 800 && screenHeight >= 600) return std::nullopt;
  return DisplayRefusal{"Insufficient Screen Area (" + std::to_string(screenWidth) + "x" +
                            std::to_string(screenHeight) + ")",
                        "Increase your screen resolution to 800x600 or greater"};
}

std::optional<DisplayRefusal> CheckColourDepth(int bitsPerPixel) {
  if (bitsPerPixel >= 16) return std::nullopt;
  return DisplayRefusal{"Insufficient Colors!",
                        "Please change to a High Color or True Color screen setting"};
}

}  // namespace tovalia
