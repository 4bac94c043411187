#include "cli/command_parsing.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace tovalia {

std::optional<int32_t> ParseInteger(const std::string& text, long minimum, long maximum) {
  if (text.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < minimum || value > maximum) return std::nullopt;
  return static_cast<int32_t>(value);
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

}  // namespace tovalia
