// What a headless run's "texts FILE" and "buttons FILE" lines wrote: every
// text visible on screen with its place and whether part of it could not
// be seen, and every button and area with its place.
#pragma once

#include <string>
#include <vector>

namespace tovalia::testing {

struct ShownText {
  int x = 0;
  int y = 0;
  int width = 0;
  bool cut = false;
  std::string text;  // UTF-8
};

std::vector<ShownText> ReadShownTexts(const std::string& path);

struct ShownButton {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string caption;  // UTF-8; empty for an area
};

std::vector<ShownButton> ReadShownButtons(const std::string& path);

// The texts of one band of rows (top <= y < bottom, left <= x < right),
// joined row by row from left to right, rows from the top.
std::vector<std::string> RowsIn(const std::vector<ShownText>& texts, int left, int right, int top,
                                int bottom);

}  // namespace tovalia::testing
