#include "recipe/hover_word.h"

#include "db/cp1252.h"

namespace tovalia {

namespace {
bool IsLetter(char c) {
  uint8_t upper = UpperCaseByte(static_cast<uint8_t>(c));
  return upper >= 'A' && upper <= 'Z';
}
}  // namespace

HoverWord WordAt(std::string_view row, int at) {
  HoverWord hover;
  if (at < 0 || at >= static_cast<int>(row.size()) || !IsLetter(row[static_cast<size_t>(at)])) return hover;
  int first = at;
  int last = at;
  while (first > 0 && IsLetter(row[static_cast<size_t>(first - 1)])) --first;
  while (last + 1 < static_cast<int>(row.size()) && IsLetter(row[static_cast<size_t>(last + 1)])) ++last;
  if (first >= last) return hover;
  std::string word(row.substr(static_cast<size_t>(first), static_cast<size_t>(last - first + 1)));
  if (word.size() >= 2 && word.compare(word.size() - 2, 2, "es") == 0) {
    word.resize(word.size() - 2);
  } else if (word.back() == 's') {
    word.pop_back();
  }
  hover.first = first;
  hover.last = last;
  hover.word = word;
  return hover;
}

}  // namespace tovalia
