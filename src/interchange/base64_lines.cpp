#include "interchange/base64_lines.h"

#include <cstdint>

#include "interchange/export_recipe.h"

namespace tovalia {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineLength = 76;
}  // namespace

void WriteBase64Lines(std::string& out, std::string_view bytes) {
  std::string line;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k) {
      const uint8_t b = i + k < bytes.size() ? static_cast<uint8_t>(bytes[i + k]) : 0;
      group = (group << 8) | b;
    }
    for (int shift = 18; shift >= 0; shift -= 6) line += kAlphabet[(group >> shift) & 63];
    if (line.size() == kLineLength) {
      PutLine(out, line);
      line.clear();
    }
  }
  if (!line.empty()) PutLine(out, line);
}

}  // namespace tovalia
