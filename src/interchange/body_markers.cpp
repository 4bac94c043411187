// Lines that mark the parts of a recipe's body (directions markers, section
// headings) and the columns of its lines.
#include <algorithm>

#include "db/cp1252.h"
#include "interchange/body_split.h"

namespace tovalia {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsRule(char c) { return c == '-' || c == '='; }

bool IsPunctuation(char c) {
  return c == ' ' || c == ':' || c == '-' || c == '=' || c == '~' || c == '*' || c == '.' || c == '>' || c == '_';
}

}  // namespace

std::optional<std::string> AfterDirectionsMarker(std::string_view trimmed) {
  const std::string upper = UpperCase(trimmed);
  if (trimmed == "." || upper == "INSTRUCTIONS:" || upper == "-= INSTRUCTIONS =-") return std::string();
  if (!StartsWith(trimmed, "DIRECTIONS") && !StartsWith(trimmed, "Directions")) return std::nullopt;
  std::string_view rest = trimmed.substr(10);
  // "DIRECTIONS  -----", "Directions: Mix ...": the label and its rule go.
  while (!rest.empty() && IsPunctuation(rest.front())) rest.remove_prefix(1);
  if (std::all_of(rest.begin(), rest.end(), IsPunctuation)) return std::string();
  return std::string(rest);
}

std::optional<std::string> HeadingText(std::string_view trimmed) {
  std::string_view text = trimmed;
  if (StartsWith(text, "MMMMM")) {
    text.remove_prefix(5);
  } else if (!StartsWith(text, "---") && !EndsWith(text, "-----")) {
    return std::nullopt;
  }
  if (!EndsWith(text, "---")) return std::nullopt;
  while (!text.empty() && (IsRule(text.front()) || text.front() == ' ')) text.remove_prefix(1);
  while (!text.empty() && (IsRule(text.back()) || text.back() == ' ')) text.remove_suffix(1);
  const bool letters = std::any_of(text.begin(), text.end(), [](char c) {
    const uint8_t u = UpperCaseByte(static_cast<uint8_t>(c));
    return (u >= 'A' && u <= 'Z') || u >= 0xC0;
  });
  if (!letters) return std::nullopt;
  return UpperCase(text);
}

std::string ExpandTabs(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (char c : line) {
    if (c != '\t') {
      out += c;
      continue;
    }
    do {
      out += ' ';
    } while (out.size() % 8 != 0);
  }
  return out;
}

}  // namespace tovalia
