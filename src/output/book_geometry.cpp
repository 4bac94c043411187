#include "output/book_geometry.h"

#include <cmath>

namespace tovalia {

PageGeometry PageGeometryFor(BookSize size, int pageNumber) {
  constexpr double kGutter = 27;
  PageGeometry g;
  double splitOffset = 0;
  switch (size) {
    case BookSize::k6x9: g.width = 432, g.height = 648, g.margin = 36; break;
    case BookSize::kLetter: g.width = 612, g.height = 792, g.margin = 50, splitOffset = -72; break;
    case BookSize::kA4: g.width = 595, g.height = 842, g.margin = 50, splitOffset = -54; break;
  }
  const bool odd = pageNumber % 2 != 0;
  g.left = odd ? g.margin + kGutter : g.margin;
  g.right = odd ? g.width - g.margin : g.width - g.margin - kGutter;
  g.top = g.height - g.margin;
  g.bottom = g.margin + 16;
  g.mid = std::nearbyint((g.left + g.right) / 2 + splitOffset);
  return g;
}

}  // namespace tovalia
