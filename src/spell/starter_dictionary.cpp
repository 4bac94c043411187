#include "spell/starter_dictionary.h"

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_file.h"

namespace tovalia {

namespace {

bool ValidReplacement(std::string_view text) {
  if (text.empty() || text.size() > 200) return false;
  for (char c : text)
    if (static_cast<uint8_t>(c) < 32) return false;
  return true;
}

}  // namespace

WordListReading ReadWordList(std::string_view bytes) {
  WordListReading reading;
  const std::string text = TextFileToCp1252(bytes);
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = TrimBlanks(line);
    if (line.empty() || line[0] == '#') continue;
    std::string word = line, replacement;
    size_t split = line.find('\t');
    size_t skip = 1;
    if (split == std::string::npos) {
      split = line.find("->");
      skip = 2;
    }
    if (split != std::string::npos) {
      word = TrimBlanks(line.substr(0, split));
      replacement = LowerCase(TrimBlanks(line.substr(split + skip)));
      if (!ValidReplacement(replacement)) {
        ++reading.refused;
        continue;
      }
    }
    word = LowerCase(word);
    if (ValidateDictionaryWord(word) != WordCheck::kValid || word == replacement) {
      if (word != replacement) {
        ++reading.refused;
        continue;
      }
      replacement.clear();
    }
    reading.entries.push_back({word, replacement});
  }
  return reading;
}

bool InstallStarterDictionary(const std::string& programFolder, const std::string& dataFolder) {
  const std::string target = dataFolder + "Spell54.dat";
  if (FileExists(target)) return false;
  ByteBuffer bytes;
  const std::string source = programFolder + kStarterDictionaryName;
  if (!FileExists(source) || !ReadWholeFile(source, bytes) || bytes.Size() == 0) return false;
  return ReplaceFileContents(target, bytes.Data(), static_cast<size_t>(bytes.Size()));
}

}  // namespace tovalia
