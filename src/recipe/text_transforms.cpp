#include "recipe/text_transforms.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

namespace {

bool IsLetter(uint8_t c) { return UpperCaseByte(c) != LowerCaseByte(c); }

bool IsWordCharacter(char c) { return static_cast<uint8_t>(c) >= '0'; }

}  // namespace

std::string SentenceCase(std::string_view text) {
  std::string out(text);
  char previous = 0;  // 0: the start
  for (char& c : out) {
    const uint8_t byte = static_cast<uint8_t>(c);
    if (IsLetter(byte)) {
      const bool opensSentence = previous == 0 || previous == '.' || previous == '!' || previous == '?';
      c = static_cast<char>(opensSentence ? UpperCaseByte(byte) : LowerCaseByte(byte));
    }
    if (c != ' ' && c != '\r') previous = c;
  }
  return out;
}

std::string JoinLines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r') {
      out += c;
      continue;
    }
    if (i + 1 >= text.size()) {
      out += c;  // nothing follows to join
    } else if (text[i + 1] == '\r' || text[i + 1] == ' ') {
      out += c;
      out += text[++i];
    } else if (out.empty() || out.back() != ' ') {
      out += ' ';
    }
  }
  return out;
}

std::string ClipboardCopyText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    out += c;
    if (c == '\r') out += '\n';
  }
  return out;
}

std::string PastableText(std::string_view clipboardText, int32_t room, bool singleLine) {
  std::string out;
  for (char c : clipboardText) {
    if (c == '\0' || static_cast<int32_t>(out.size()) >= room) break;
    if (c == '\n') continue;
    out += (singleLine && c == '\r') ? ' ' : c;
  }
  return out;
}

int32_t NextWordStart(std::string_view text, int32_t at) {
  const int32_t length = static_cast<int32_t>(text.size());
  int32_t p = std::clamp(at, 0, length);
  while (p < length && IsWordCharacter(text[static_cast<size_t>(p)])) ++p;
  while (p < length && !IsWordCharacter(text[static_cast<size_t>(p)])) ++p;
  return p;
}

int32_t PreviousWordStart(std::string_view text, int32_t at) {
  int32_t p = std::clamp(at, 0, static_cast<int32_t>(text.size()));
  while (p > 0 && !IsWordCharacter(text[static_cast<size_t>(p - 1)])) --p;
  while (p > 0 && IsWordCharacter(text[static_cast<size_t>(p - 1)])) --p;
  return p;
}

}  // namespace tovalia
