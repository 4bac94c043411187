#include "support/pdf_text.h"

#include <cstdio>
#include <cstdlib>
#include <regex>

namespace tovalia::testing {

std::string ShellOutput(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

bool PopplerThere() {
  return std::system("which pdfinfo >/dev/null 2>&1") == 0 && std::system("which pdftotext >/dev/null 2>&1") == 0;
}

std::string PdfText(const std::string& path, int page, bool layout) {
  std::string command = "pdftotext -enc UTF-8";
  if (layout) command += " -layout";
  if (page) command += " -f " + std::to_string(page) + " -l " + std::to_string(page);
  return ShellOutput(command + " '" + path + "' -");
}

int PdfPages(const std::string& path) {
  std::smatch match;
  const std::string info = ShellOutput("pdfinfo '" + path + "'");
  if (!std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)"))) return 0;
  return std::stoi(match[1]);
}

std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\f' || c == '\t';
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : c;
  }
  return out;
}

}  // namespace tovalia::testing
