#include "platform/clipboard_text.h"

#include "db/cp1252.h"

namespace tovalia {

std::string ClipboardToProgramText(std::string_view desktopText) {
  std::string text = Utf8ToCp1252(desktopText);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\n' ? '\r' : text[i];
  }
  return out;
}

std::string ProgramTextToClipboard(std::string_view programText) {
  std::string text;
  text.reserve(programText.size());
  for (size_t i = 0; i < programText.size(); ++i) {
    if (programText[i] == '\r') {
      text += '\n';
      if (i + 1 < programText.size() && programText[i + 1] == '\n') ++i;
    } else {
      text += programText[i];
    }
  }
  return Cp1252ToUtf8(text);
}

}  // namespace tovalia
