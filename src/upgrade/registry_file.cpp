#include "upgrade/registry_file.h"

#include <map>

#include "db/cp1252.h"

namespace tovalia {

namespace {

// Undoes the file's escapes: \\ and \" inside a quoted text.
std::string Unescape(std::string_view quoted) {
  std::string text;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
    text += quoted[i];
  }
  return text;
}

// The text between the quotes that open at `at`, with the end position.
std::string_view QuotedAt(std::string_view line, size_t at, size_t& end) {
  end = std::string_view::npos;
  if (at >= line.size() || line[at] != '"') return {};
  for (size_t i = at + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      end = i + 1;
      return line.substr(at + 1, i - at - 1);
    }
  }
  return {};
}

}  // namespace

std::vector<std::string> ReadRegistryValues(std::string_view registryText,
                                            const std::vector<std::string>& keys,
                                            std::string_view name) {
  std::map<std::string, std::string> found;  // upper-cased key -> value
  const std::string wantedName = UpperCase(name);
  std::string currentKey;
  size_t start = 0;
  while (start < registryText.size()) {
    size_t end = registryText.find('\n', start);
    if (end == std::string_view::npos) end = registryText.size();
    std::string_view line = registryText.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line[0] == '[') {
      const size_t close = line.find(']');
      currentKey = close == std::string_view::npos ? "" : UpperCase(Unescape(line.substr(1, close - 1)));
      continue;
    }
    size_t nameEnd = 0;
    const std::string_view valueName = QuotedAt(line, 0, nameEnd);
    if (currentKey.empty() || nameEnd == std::string_view::npos || UpperCase(Unescape(valueName)) != wantedName)
      continue;
    if (nameEnd < line.size() && line[nameEnd] == '=') {
      size_t valueEnd = 0;
      const std::string_view value = QuotedAt(line, nameEnd + 1, valueEnd);
      if (valueEnd != std::string_view::npos) found[currentKey] = Unescape(value);
    }
  }
  std::vector<std::string> values;
  for (const std::string& key : keys) {
    auto it = found.find(UpperCase(key));
    if (it != found.end()) values.push_back(it->second);
  }
  return values;
}

}  // namespace tovalia
