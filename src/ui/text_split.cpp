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

std::string OneItem(std::string_view text, size_t maxLength) {
  std::string item(text.size() > maxLength ? text.substr(0, maxLength - 3) : text);
  if (text.size() > maxLength) item += "...";
  for (char& c : item)
    if (c == '|') c = '/';
  return item;
}

}  // namespace tovalia
