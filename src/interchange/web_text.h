// Text taken from web pages and XML documents (UTF-8, perhaps with HTML
// tags and character entities) as the program's CP1252 text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

// The text as lines: tags removed (a line break or the end of a paragraph
// or list item ends a line), character entities decoded, blanks collapsed,
// empty lines kept where the text has them.
std::vector<std::string> WebTextLines(std::string_view utf8);

// The same text as one line.
std::string WebText(std::string_view utf8);

}  // namespace tovalia
