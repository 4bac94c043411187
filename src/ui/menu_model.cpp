#include "ui/menu_model.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

MenuModel::MenuModel(std::vector<std::string> entries, int rows)
    : entries_(std::move(entries)), rows_(std::max(1, std::min(rows, static_cast<int>(entries_.size())))) {}

void MenuModel::Highlight(int index) {
  if (entries_.empty()) return;
  current_ = std::clamp(index, 0, Count() - 1);
  if (current_ < first_) first_ = current_;
  if (current_ >= first_ + rows_) first_ = current_ - rows_ + 1;
}

void MenuModel::MoveHighlight(int by) {
  if (current_ < 0) {
    Highlight(by > 0 ? 0 : Count() - 1);
  } else {
    Highlight(current_ + by);
  }
}

void MenuModel::Scroll(int by) { first_ = std::clamp(first_ + by, 0, std::max(Count() - rows_, 0)); }

bool MenuModel::JumpToLetter(int letter) {
  const int wanted = UpperCaseByte(static_cast<uint8_t>(letter));
  for (int step = 1; step <= Count(); ++step) {
    const int index = (std::max(current_, -1) + step + Count()) % Count();
    const std::string& entry = entries_[static_cast<size_t>(index)];
    if (!entry.empty() && UpperCaseByte(static_cast<uint8_t>(entry[0])) == wanted) {
      Highlight(index);
      return true;
    }
  }
  return false;
}

}  // namespace tovalia
