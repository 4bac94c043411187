// The XML export: a document of <recipe> elements with title, chapter,
// servings, ingredient lines and direction lines, in the program's
// single-byte character set, declared as such.
#pragma once

#include <string>
#include <string_view>

#include "interchange/export_recipe.h"

namespace tovalia {

// A text made safe for an element's content: "&" becomes " and " (the line
// then cleaned of doubled blanks), ":" and ";" become ",", and control
// characters, "<", ">" and the five bytes windows-1252 leaves undefined
// become "?". Letters and signs from 128 up are kept.
std::string XmlSafeText(std::string_view text);

void WriteXmlHead(std::string& out);
void WriteXmlRecipe(const ExportRecipe& recipe, std::string& out);
void WriteXmlTail(std::string& out);

}  // namespace tovalia
