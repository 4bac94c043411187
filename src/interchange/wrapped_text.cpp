#include "interchange/wrapped_text.h"

#include "interchange/export_recipe.h"

namespace tovalia {

namespace {

size_t Width(int mode) { return mode == kWrapIndentFour || mode == kWrapIndentTwo ? 67 : mode == kWrapPlain72 ? 72 : 79; }

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

std::string UnwrapCutLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    const bool cut = i + 1 < lines.size() && !lines[i].empty() && lines[i].back() == ' ' && !lines[i + 1].empty();
    if (i + 1 < lines.size() && !cut) text += '\r';
  }
  if (!lines.empty() && lines.back().empty()) text += '\r';
  return text;
}

}  // namespace tovalia
