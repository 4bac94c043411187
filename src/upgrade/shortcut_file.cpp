#include "upgrade/shortcut_file.h"

#include <cctype>

#include "db/cp1252.h"

namespace tovalia {

namespace {

std::string FindProgramPath(std::string_view bytes) {
  static constexpr std::string_view kProgram = "\\TOVALIA.EXE";
  const std::string upper = UpperCase(bytes);
  const size_t at = upper.find(kProgram);
  if (at == std::string::npos) return {};
  const size_t end = at + kProgram.size();
  // Back to the ":" of the drive, over path characters only.
  for (size_t colon = at; colon-- > 1;) {
    const unsigned char c = static_cast<unsigned char>(bytes[colon]);
    if (c < 32 || c == '"' || c == '*' || c == '?' || c == '<' || c == '>' || c == '|') return {};
    if (c == ':') {
      const unsigned char drive = static_cast<unsigned char>(bytes[colon - 1]);
      if (!std::isalpha(drive)) return {};
      return std::string(bytes.substr(colon - 1, end - (colon - 1)));
    }
  }
  return {};
}

}  // namespace

std::string ProgramPathInShortcut(std::string_view bytes) {
  std::string path = FindProgramPath(bytes);
  if (!path.empty()) return path;
  // Newer shortcuts may keep the path only as UTF-16 text, at either alignment.
  for (size_t start = 0; start < 2 && path.empty(); ++start) {
    std::string narrow;
    for (size_t i = start; i + 1 < bytes.size(); i += 2)
      narrow += bytes[i + 1] == 0 ? bytes[i] : '\x01';
    path = FindProgramPath(narrow);
  }
  return path;
}

}  // namespace tovalia
