#include "db/cp1252.h"

#include <array>

#include "db/plain_forms.h"

namespace tovalia {

namespace {

struct CaseTables {
  std::array<uint8_t, 256> upper;
  std::array<uint8_t, 256> lower;
};

constexpr CaseTables MakeCaseTables() {
  CaseTables tables{};
  for (int c = 0; c < 256; ++c) {
    tables.upper[c] = static_cast<uint8_t>(c);
    tables.lower[c] = static_cast<uint8_t>(c);
  }
  auto pair = [&tables](int small, int capital) {
    tables.upper[small] = static_cast<uint8_t>(capital);
    tables.lower[capital] = static_cast<uint8_t>(small);
  };
  for (int c = 'a'; c <= 'z'; ++c) pair(c, c - 32);
  for (int c = 224; c <= 254; ++c) {
    if (c != 247) pair(c, c - 32);  // 247 is the division sign, 215 the multiplication sign
  }
  pair(154, 138);  // s with caron
  pair(156, 140);  // oe ligature
  pair(158, 142);  // z with caron
  pair(255, 159);  // y with diaeresis
  return tables;
}

constexpr CaseTables kCase = MakeCaseTables();

// Unicode code points of bytes 128-159; the five bytes CP1252 leaves
// undefined map to the C1 control of the same number, as Windows does.
constexpr std::array<uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t CodePointOf(uint8_t c) { return (c >= 128 && c < 160) ? kHighControls[c - 128] : c; }

int ByteForCodePoint(uint32_t codePoint) {
  if (codePoint < 128 || (codePoint >= 160 && codePoint < 256)) return static_cast<int>(codePoint);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == codePoint) return 128 + i;
  }
  return -1;
}

void AppendUtf8(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// Decodes one UTF-8 sequence at i; returns its length, or 0 when broken.
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& codePoint) {
  auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  uint8_t lead = byte(i);
  size_t length;
  uint32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, codePoint = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, codePoint = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, codePoint = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000))
    return 0;
  return length;
}

}  // namespace

uint8_t UpperCaseByte(uint8_t c) { return kCase.upper[c]; }
const uint8_t* UpperCaseTable() { return kCase.upper.data(); }
uint8_t LowerCaseByte(uint8_t c) { return kCase.lower[c]; }

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(kCase.upper[static_cast<uint8_t>(c)]);
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(kCase.lower[static_cast<uint8_t>(c)]);
  return out;
}

int CompareUpperCased(std::string_view a, std::string_view b) {
  size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    int x = kCase.upper[static_cast<uint8_t>(a[i])];
    int y = kCase.upper[static_cast<uint8_t>(b[i])];
    if (x != y) return x - y;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, CodePointOf(static_cast<uint8_t>(c)));
  return out;
}

void AppendCp1252(std::string& out, uint32_t codePoint) {
  if (const int byte = ByteForCodePoint(codePoint); byte >= 0) {
    out += static_cast<char>(byte);
    return;
  }
  // A combining mark joins the letter before it where CP1252 has the pair.
  if (!out.empty()) {
    if (const uint8_t composed = ComposeWithMark(out.back(), codePoint); composed != 0) {
      out.back() = static_cast<char>(composed);
      return;
    }
  }
  if (const auto plain = PlainForm(codePoint)) {
    out += *plain;
  } else {
    out += '?';
  }
}

std::string DisplayTextToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    uint32_t codePoint = 0;
    const size_t length = static_cast<uint8_t>(text[i]) >= 0xE0 ? DecodeUtf8(text, i, codePoint) : 0;
    if (length >= 3) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      AppendUtf8(out, CodePointOf(static_cast<uint8_t>(text[i])));
      ++i;
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text, BrokenUtf8 broken) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    uint32_t codePoint = 0;
    size_t length = DecodeUtf8(text, i, codePoint);
    if (length == 0) {
      out += broken == BrokenUtf8::kAsCp1252 ? text[i] : '?';
      ++i;
      continue;
    }
    AppendCp1252(out, codePoint);
    i += length;
  }
  return out;
}

Utf8Census CountUtf8(std::string_view text) {
  Utf8Census census;
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<uint8_t>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    uint32_t codePoint = 0;
    const size_t length = DecodeUtf8(text, i, codePoint);
    if (length == 0) {
      ++census.broken;
      ++i;
    } else {
      ++census.sequences;
      i += length;
    }
  }
  return census;
}

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    uint32_t codePoint = 0;
    size_t length = DecodeUtf8(text, i, codePoint);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string TextFileToCp1252(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ToCp1252(bytes.substr(3));
  return IsValidUtf8(bytes) ? Utf8ToCp1252(bytes) : std::string(bytes);
}

}  // namespace tovalia
