#include "support/drawn_texts.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace tovalia::testing {

std::vector<ShownText> ReadShownTexts(const std::string& path) {
  std::vector<ShownText> texts;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ShownText t;
    std::string cut;
    fields >> t.x >> t.y >> t.width >> cut;
    fields.get();  // the tab before the text
    std::getline(fields, t.text);
    t.cut = cut == "cut";
    texts.push_back(t);
  }
  return texts;
}

std::vector<ShownButton> ReadShownButtons(const std::string& path) {
  std::vector<ShownButton> buttons;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ShownButton b;
    fields >> b.x >> b.y >> b.width >> b.height;
    if (fields.get() == '\t') std::getline(fields, b.caption);
    buttons.push_back(b);
  }
  return buttons;
}

std::vector<std::string> RowsIn(const std::vector<ShownText>& texts, int left, int right, int top,
                                int bottom) {
  std::map<int, std::vector<const ShownText*>> rows;
  for (const ShownText& t : texts)
    if (t.x >= left && t.x < right && t.y >= top && t.y < bottom) rows[t.y].push_back(&t);
  std::vector<std::string> joined;
  for (auto& [y, row] : rows) {
    std::sort(row.begin(), row.end(), [](const ShownText* a, const ShownText* b) { return a->x < b->x; });
    std::string text;
    for (const ShownText* t : row) text += t->text;
    joined.push_back(text);
  }
  return joined;
}

}  // namespace tovalia::testing
