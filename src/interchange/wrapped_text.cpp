#include "interchange/wrapped_text.h"

#include "interchange/export_recipe.h"

namespace tovalia {

void WriteWrapped(std::string& out, std::string_view text, int mode) {
  const size_t width = mode == kWrapIndentFour || mode == kWrapIndentTwo ? 67 : mode == kWrapPlain72 ? 72 : 79;
  const std::string_view indent = mode == kWrapIndentFour ? "    " : mode == kWrapIndentTwo ? "  " : "";
  for (std::string line : TextLines(text)) {
    while (line.size() > width) {
      size_t cut = line.rfind(' ', width - 1);
      if (cut == std::string::npos) cut = line.find(' ', width);
      if (cut == std::string::npos) break;
      const size_t resume = cut + 1;
      PutLine(out, std::string(indent) + line.substr(0, cut));
      line.erase(0, resume);
    }
    PutLine(out, std::string(indent) + line);
  }
}

}  // namespace tovalia
