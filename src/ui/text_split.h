// Texts that carry several items separated by "|": message lines, field
// labels, button captions, list entries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

// "a|b||c" gives a, b, an empty item and c; "" gives one empty item.
std::vector<std::string> SplitBars(const std::string& text);

// A text shown inside such a message as one item: a "|" in a recipe title
// would otherwise break the line. A text longer than maxLength ends in "..."
// so that a question naming a 255-character title still fits the window.
std::string OneItem(std::string_view text, size_t maxLength = 60);

}  // namespace tovalia
