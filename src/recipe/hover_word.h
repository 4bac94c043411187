// The ingredient word under the pointer, offered to the grocery list.
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

struct HoverWord {
  int first = -1;  // character positions in the row, -1 for none
  int last = -1;
  std::string word;  // singular: "es" or else "s" dropped (case-sensitive)
  bool Found() const { return first >= 0; }
};

// From the character at `at`, the run of letters A-Z (compared upper-cased)
// around it; a single letter is no word.
HoverWord WordAt(std::string_view row, int at);

}  // namespace tovalia
