// Texts that carry several items separated by "|": message lines, field
// labels, button captions, list entries.
#pragma once

#include <string>
#include <vector>

namespace tovalia {

// "a|b||c" gives a, b, an empty item and c; "" gives one empty item.
std::vector<std::string> SplitBars(const std::string& text);

}  // namespace tovalia
