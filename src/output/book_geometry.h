// The cookbook's page geometry in points: three book sizes, margins, the
// binding gutter on alternating sides, the split between the columns.
#pragma once

namespace tovalia {

enum class BookSize { k6x9 = 1, kLetter = 2, kA4 = 3 };

struct PageGeometry {
  double width = 0, height = 0;
  double margin = 0;
  double left = 0, right = 0, top = 0, bottom = 0;
  double mid = 0;  // the split: ingredients end 9 points before it, directions start 9 after
};

// Page numbers count from 1, the title page; odd pages have the gutter on
// the left, even pages on the right.
PageGeometry PageGeometryFor(BookSize size, int pageNumber);

}  // namespace tovalia
