#include "interchange/xml_document.h"

#include "db/cp1252.h"
#include "interchange/import_lines.h"

namespace tovalia {

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == ':' || c == '.';
}

// A quote closes an attribute value when the tag ends after it, or the next
// attribute's name and "=" follow.
bool ClosesValue(std::string_view xml, size_t quote) {
  size_t next = quote + 1;
  while (next < xml.size() && (xml[next] == ' ' || xml[next] == '\t' || xml[next] == '\r' || xml[next] == '\n')) ++next;
  if (next >= xml.size() || xml[next] == '>' || xml.substr(next, 2) == "/>" || xml.substr(next, 2) == "?>") return true;
  if (next == quote + 1) return false;
  size_t name = next;
  while (name < xml.size() && IsNameCharacter(xml[name])) ++name;
  return name > next && name < xml.size() && xml[name] == '=';
}

}  // namespace

std::string EscapeStrayQuotes(std::string_view xml) {
  std::string out;
  out.reserve(xml.size());
  bool inTag = false;
  bool inValue = false;
  for (size_t i = 0; i < xml.size(); ++i) {
    const char c = xml[i];
    if (!inTag) {
      // Comments, CDATA and declarations are passed over whole.
      if (c == '<' && (xml.substr(i, 4) == "<!--" || xml.substr(i, 9) == "<![CDATA[")) {
        const std::string_view close = xml.substr(i, 4) == "<!--" ? "-->" : "]]>";
        const size_t end = xml.find(close, i);
        const size_t stop = end == std::string_view::npos ? xml.size() : end + close.size();
        out.append(xml.substr(i, stop - i));
        i = stop - 1;
        continue;
      }
      inTag = c == '<';
      out += c;
      continue;
    }
    if (inValue) {
      if (c == '"' && !ClosesValue(xml, i)) {
        out += "&quot;";
        continue;
      }
      if (c == '"') inValue = false;
      out += c;
      continue;
    }
    if (c == '"' && i > 0 && xml[i - 1] == '=') inValue = true;
    if (c == '>') inTag = false;
    out += c;
  }
  return out;
}

void LoadXmlDocument(std::string_view cp1252, pugi::xml_document& document) {
  const std::string utf8 = Cp1252ToUtf8(EscapeStrayQuotes(cp1252));
  document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
}

std::string XmlText(const char* utf8) {
  std::string text = Utf8ToCp1252(utf8 == nullptr ? "" : utf8, BrokenUtf8::kAsCp1252);
  for (char& c : text) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return CleanLine(text);
}

}  // namespace tovalia
