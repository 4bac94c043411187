// The main window's design size and place on the screen, and the display
// checks start-up makes before it creates anything.
#pragma once

#include <optional>
#include <string>

namespace tovalia {

struct WindowGeometry {
  int width = 0;
  int height = 0;
  int x = 0;
  int y = 0;
};

// 800 x 599, or 1024 x 767 on screens of at least 1024 x 768, centred with a
// half pixel rounded to the even neighbour.
WindowGeometry DesignGeometry(int screenWidth, int screenHeight);

struct DisplayRefusal {
  std::string caption;
  std::string text;
};

// The refusal start-up shows for a screen too small or with too few colours.
std::optional<DisplayRefusal> CheckScreenSize(int screenWidth, int screenHeight);
std::optional<DisplayRefusal> CheckColourDepth(int bitsPerPixel);

}  // namespace tovalia
