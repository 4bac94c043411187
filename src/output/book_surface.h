// What the cookbook's layout draws on: pages in points, two faces, text,
// rules and pictures. The PDF library stands behind it in the program; the
// tests put a recorder there.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tovalia {

enum class BookFace { kBold, kText };

class BookSurface {
 public:
  virtual ~BookSurface() = default;
  virtual void AddPage(double width, double height) = 0;
  virtual double TextWidth(BookFace face, double size, std::string_view text) = 0;
  // Draws CP1252 text with its baseline's left end at (x, y); y grows upwards.
  virtual void DrawText(BookFace face, double size, double x, double y, std::string_view text) = 0;
  virtual void DrawLine(double x1, double y1, double x2, double y2, double width) = 0;
  // Draws 0xAARRGGBB pixels, row by row from the top, into the rectangle
  // whose lower left corner is (x, y).
  virtual void DrawPicture(const std::vector<uint32_t>& pixels, int columns, int rows, double x, double y,
                           double width, double height) = 0;
};

}  // namespace tovalia
