// What a pop-up menu's keys, wheel and pointer do to it, apart from its
// drawing: the highlighted entry and the first entry shown, when the menu
// has more entries than rows.
#pragma once

#include <string>
#include <vector>

namespace tovalia {

class MenuModel {
 public:
  MenuModel(std::vector<std::string> entries, int rows);

  int Count() const { return static_cast<int>(entries_.size()); }
  int Rows() const { return rows_; }
  int First() const { return first_; }
  int Current() const { return current_; }  // -1: none highlighted
  bool Scrolls() const { return Count() > rows_; }
  const std::string& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }

  // Highlights an entry (clamped) and scrolls it into view.
  void Highlight(int index);
  // Moves the highlight by a number of entries (from none: the first or the last).
  void MoveHighlight(int by);
  // Scrolls the rows shown by a number of entries; the highlight stays.
  void Scroll(int by);
  // Highlights the next entry after the highlighted one that starts with
  // the letter (compared upper-cased), going round; false when none does.
  bool JumpToLetter(int letter);

 private:
  std::vector<std::string> entries_;
  int rows_;
  int first_ = 0;
  int current_ = -1;
};

}  // namespace tovalia
