// Timing printing: recipes put on cards and written as a PDF file.
#pragma once

#include <cstdint>
#include <string>

namespace tovalia::bench {

struct PrintFigures {
  int32_t recipes = 0;
  int pages = 0;
  int cards = 0;
  int64_t fileBytes = 0;
  double printMs = 0;  // reading the records, laying them out and writing the PDF
  double cpuMs = 0;    // processor time of the same, which a busy machine does not stretch
};

// Builds a collection of `recipes` generated recipes in `folder` and prints
// them all on "3x5 Cards, 4 per page" through "Save as PDF".
PrintFigures MeasurePrint(const std::string& folder, int32_t recipes);

}  // namespace tovalia::bench
