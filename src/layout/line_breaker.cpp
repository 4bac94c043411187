#include "layout/line_breaker.h"

#include <algorithm>

namespace tovalia {

int FittingLength(std::string_view text, int width, const TextMeasure& measure) {
  int fits = 0;
  int over = static_cast<int>(text.size()) + 1;
  while (over - fits > 1) {
    const int middle = fits + (over - fits) / 2;
    if (measure(text.substr(0, static_cast<size_t>(middle))) <= width) {
      fits = middle;
    } else {
      over = middle;
    }
  }
  return fits;
}

int NextLineBreak(std::string_view text, const LineLimit& limit) {
  const int length = static_cast<int>(text.size());
  if (length == 0) return 0;
  const int characters = std::max(limit.characters, 2);
  const bool measured = limit.measure != nullptr && *limit.measure;
  auto fits = [&](int count) {
    return !measured || (*limit.measure)(text.substr(0, static_cast<size_t>(count))) <= limit.width;
  };

  const size_t cr = text.substr(0, static_cast<size_t>(std::min(characters, length))).find('\r');
  if (cr != std::string_view::npos && fits(static_cast<int>(cr))) return static_cast<int>(cr) + 1;
  if (length < characters && cr == std::string_view::npos && fits(length)) return length;

  // As many characters as the limit and the width allow.
  int room = std::min(characters, length);
  if (measured) room = std::min(room, FittingLength(text.substr(0, static_cast<size_t>(room)), limit.width,
                                                    *limit.measure));
  const size_t blank = text.substr(0, static_cast<size_t>(room)).rfind(' ');
  if (blank != std::string_view::npos) return static_cast<int>(blank) + 1;
  const int hard = room < characters ? room : characters - 1;
  return std::clamp(hard, 1, length);
}

std::vector<std::string_view> BreakIntoLines(std::string_view text, const LineLimit& limit) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t length = static_cast<size_t>(std::max(NextLineBreak(text, limit), 1));
    lines.push_back(text.substr(0, length));
    text.remove_prefix(std::min(length, text.size()));
  }
  return lines;
}

}  // namespace tovalia
