#include "ui/text_split.h"

namespace tovalia {

std::vector<std::string> SplitBars(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  for (;;) {
    size_t bar = text.find('|', start);
    items.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return items;
    start = bar + 1;
  }
}

}  // namespace tovalia
