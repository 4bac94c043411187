#include "interchange/xml_text.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "db/cp1252.h"

namespace tovalia {

namespace {

struct Replacement {
  std::string_view found;
  std::string_view replacement;
};

// UTF-8 sequences, each with what stands for it.
constexpr std::array<Replacement, 11> kSequences = {{
    {"\xC3\x89", "E"},
    {"\xE2\x80\x99", "'"},
    {"\xC2\xB0", "\xB0"},
    {"\xC3\xA9", "e"},
    {"\xC2\xAE", ""},
    {"\xC2\xBD", "1/2"},
    {"\xC2\xBC", "1/4"},
    {"\xC2\xBE", "3/4"},
    {"\xC2\xBA", "\xB0"},
    {"\xC2\xA9", ""},
    {"\xC3\xB1", "n"},
}};

constexpr std::array<Replacement, 5> kNamedEntities = {{
    {"&quot;", "\""}, {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&apos;", "'"},
}};

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (LowerCaseByte(static_cast<uint8_t>(text[i])) != static_cast<uint8_t>(prefix[i])) return false;
  return true;
}

// A numbered entity at the start of the text: its length and character.
bool NumberedEntity(std::string_view text, size_t& length, uint32_t& codePoint) {
  if (text.size() < 4 || text[0] != '&' || text[1] != '#') return false;
  const bool hex = text[2] == 'x' || text[2] == 'X';
  size_t at = hex ? 3 : 2;
  const size_t digitsFrom = at;
  uint32_t value = 0;
  for (; at < text.size() && at < digitsFrom + 8; ++at) {
    const char c = text[at];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    value = value * (hex ? 16 : 10) + digit;
  }
  if (at == digitsFrom || at >= text.size() || text[at] != ';' || value == 0 || value > 0x10FFFF) return false;
  length = at + 1;
  codePoint = value;
  return true;
}

}  // namespace

void DecodeXmlText(std::string& text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const std::string_view rest = std::string_view(text).substr(i);
    // An entity's character goes back in front of what follows and is read
    // again; a sequence's replacement is final.
    std::string given;
    size_t length = 0;
    if (rest[0] == '&') {
      for (const Replacement& entity : kNamedEntities) {
        if (StartsWithIgnoringCase(rest, entity.found)) {
          length = entity.found.size();
          given = entity.replacement;
          break;
        }
      }
      uint32_t codePoint = 0;
      if (length == 0 && NumberedEntity(rest, length, codePoint)) AppendCp1252(given, codePoint);
      if (length > 0 && given.size() == 1) {
        text[i + length - 1] = given[0];
        i += length - 1;
        continue;
      }
      if (length > 0) {
        out += given;
        i += length;
        continue;
      }
    } else if (static_cast<uint8_t>(rest[0]) >= 0xC2) {
      bool replaced = false;
      for (const Replacement& sequence : kSequences) {
        if (rest.substr(0, sequence.found.size()) == sequence.found) {
          out += sequence.replacement;
          i += sequence.found.size();
          replaced = true;
          break;
        }
      }
      if (replaced) continue;
    }
    out += rest[0];
    ++i;
  }
  text = std::move(out);
}

}  // namespace tovalia
