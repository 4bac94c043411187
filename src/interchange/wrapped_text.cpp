#include "interchange/wrapped_text.h"

#include <algorithm>

#include "interchange/export_recipe.h"

namespace tovalia {

namespace {

constexpr size_t kPlainWidth = 72;

size_t Width(int mode) {
  return mode == kWrapIndentFour || mode == kWrapIndentTwo ? 67 : mode == kWrapPlain72 ? kPlainWidth : 79;
}

bool EndsInBlankBefore(const std::string& line, const std::string& next) {
  return !line.empty() && line.back() == ' ' && !next.empty();
}

}  // namespace

void WriteWrapped(std::string& out, std::string_view text, int mode, WrapCuts cuts) {
  const size_t width = Width(mode);
  const std::string_view indent = mode == kWrapIndentFour ? "    " : mode == kWrapIndentTwo ? "  " : "";
  for (std::string line : TextLines(text)) {
    while (line.size() > width) {
      size_t cut = line.rfind(' ', width - 1);
      if (cut == std::string::npos) cut = line.find(' ', width);
      if (cut == std::string::npos) break;
      const size_t resume = cut + 1;
      PutLine(out, std::string(indent) + line.substr(0, cuts == WrapCuts::kKeepBlank ? resume : cut));
      line.erase(0, resume);
    }
    PutLine(out, std::string(indent) + line);
  }
}

std::string UnwrapPlainLines(const std::vector<std::string>& lines) {
  bool marked = false;
  for (size_t i = 0; i + 1 < lines.size() && !marked; ++i) marked = EndsInBlankBefore(lines[i], lines[i + 1]);
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (i + 1 >= lines.size()) break;
    const std::string& next = lines[i + 1];
    if (marked) {
      if (!EndsInBlankBefore(lines[i], next)) text += '\r';
      continue;
    }
    const size_t word = std::min(next.find(' '), next.size());
    const bool cut = !lines[i].empty() && !next.empty() && lines[i].size() + 1 + word >= kPlainWidth;
    text += cut ? ' ' : '\r';
  }
  if (!lines.empty() && lines.back().empty()) text += '\r';
  return text;
}

}  // namespace tovalia
