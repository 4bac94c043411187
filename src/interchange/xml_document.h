// Loading the XML exports of other programs, which are not always well
// formed: the text is given to the parser as UTF-8, and a double quote
// inside an attribute value (name="3/4" dice") is escaped first.
#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace tovalia {

// Loads CP1252 text; what precedes a parse error is kept.
void LoadXmlDocument(std::string_view cp1252, pugi::xml_document& document);

// Escapes the double quotes inside attribute values that close no value:
// a closing quote is followed by a blank, ">", "/>" or "?>".
std::string EscapeStrayQuotes(std::string_view xml);

// The text of an element or attribute (UTF-8) as one line of CP1252 text.
std::string XmlText(const char* utf8);

}  // namespace tovalia
