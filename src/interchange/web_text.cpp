#include "interchange/web_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "db/cp1252.h"
#include "interchange/import_lines.h"

namespace tovalia {

namespace {

// The names of the characters 160 to 255, in order.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedEntity {
  std::string_view name;
  uint32_t codePoint;
};

constexpr std::array<NamedEntity, 18> kOtherEntities = {{
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},      {"apos", '\''},
    {"frac13", 0x2153}, {"frac23", 0x2154}, {"frac18", 0x215B}, {"ndash", 0x2013},  {"mdash", 0x2014},
    {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"hellip", 0x2026},
    {"bull", 0x2022},   {"trade", 0x2122},  {"euro", 0x20AC},
}};

// The entity at `at` ("&amp;", "&#39;", "&#x27;"): its character and length.
bool DecodeEntity(std::string_view text, size_t at, uint32_t& codePoint, size_t& length) {
  const size_t semicolon = text.find(';', at);
  if (semicolon == std::string_view::npos || semicolon - at > 10) return false;
  const std::string_view name = text.substr(at + 1, semicolon - at - 1);
  length = semicolon - at + 1;
  if (!name.empty() && name[0] == '#') {
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return false;
    uint32_t value = 0;
    for (char c : digits) {
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (hex && c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (hex && c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        return false;
      }
      value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      if (value > 0x10FFFF) return false;
    }
    codePoint = value;
    return true;
  }
  for (size_t i = 0; i < kLatin1Names.size(); ++i) {
    if (kLatin1Names[i] == name) {
      codePoint = static_cast<uint32_t>(160 + i);
      return true;
    }
  }
  for (const NamedEntity& entity : kOtherEntities) {
    if (entity.name == name) {
      codePoint = entity.codePoint;
      return true;
    }
  }
  return false;
}

// The name of the tag at `at`, lower-cased, without its "/".
std::string TagName(std::string_view text, size_t at) {
  size_t i = at + 1;
  if (i < text.size() && text[i] == '/') ++i;
  size_t end = i;
  while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || (text[end] >= 'A' && text[end] <= 'Z') ||
                               (text[end] >= '0' && text[end] <= '9')))
    ++end;
  return LowerCase(text.substr(i, end - i));
}

bool EndsLine(const std::string& tag) {
  return tag == "br" || tag == "p" || tag == "li" || tag == "div" || tag == "ol" || tag == "ul" || tag == "h1" ||
         tag == "h2" || tag == "h3" || tag == "h4" || tag == "tr";
}

}  // namespace

std::vector<std::string> WebTextLines(std::string_view utf8) {
  const std::string text = Utf8ToCp1252(utf8, BrokenUtf8::kAsCp1252);
  std::string flat;
  flat.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '<') {
      const size_t close = text.find('>', i);
      const std::string tag = TagName(text, i);
      if (close != std::string::npos && !tag.empty()) {
        if (EndsLine(tag)) flat += '\n';
        i = close + 1;
        continue;
      }
    } else if (c == '&') {
      uint32_t codePoint = 0;
      size_t length = 0;
      if (DecodeEntity(text, i, codePoint, length)) {
        if (codePoint == '\n' || codePoint == '\r') {
          flat += '\n';
        } else if (codePoint == 0xA0) {
          flat += ' ';
        } else {
          AppendCp1252(flat, codePoint);
        }
        i += length;
        continue;
      }
    }
    flat += (c == '\t' || c == '\xA0') ? ' ' : c;
    ++i;
  }
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= flat.size()) {
    size_t end = flat.find_first_of("\r\n", start);
    if (end == std::string::npos) end = flat.size();
    lines.push_back(CleanLine(std::string_view(flat).substr(start, end - start)));
    if (end + 1 < flat.size() && flat[end] == '\r' && flat[end + 1] == '\n') ++end;
    start = end + 1;
  }
  // No empty lines at either end, and one at most between others.
  std::vector<std::string> kept;
  for (std::string& line : lines) {
    if (line.empty() && (kept.empty() || kept.back().empty())) continue;
    kept.push_back(std::move(line));
  }
  while (!kept.empty() && kept.back().empty()) kept.pop_back();
  return kept;
}

std::string WebText(std::string_view utf8) {
  std::string joined;
  for (const std::string& line : WebTextLines(utf8)) {
    if (line.empty()) continue;
    if (!joined.empty()) joined += ' ';
    joined += line;
  }
  return joined;
}

}  // namespace tovalia
