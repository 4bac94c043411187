#include "upgrade/dictionary_conversion.h"

#include <algorithm>
#include <map>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "spell/spell_entries.h"
#include "upgrade/windows_paths.h"

namespace tovalia {

namespace {

std::string ReadBytes(const std::string& path) {
  ByteBuffer bytes;
  if (!ReadWholeFile(path, bytes) || bytes.Size() == 0) return {};
  return std::string(reinterpret_cast<const char*>(bytes.Data()), static_cast<size_t>(bytes.Size()));
}

// "spell50.dat": one length byte, then the word, word after word.
std::vector<SpellEntry> ReadLengthPrefixedWords(std::string_view image) {
  std::vector<SpellEntry> words;
  size_t at = 0;
  while (at < image.size()) {
    const size_t length = static_cast<unsigned char>(image[at]);
    if (at + 1 + length > image.size()) break;
    words.push_back({LowerCase(image.substr(at + 1, length)), ""});
    at += 1 + length;
  }
  return words;
}

}  // namespace

DictionaryConversion ConvertOldDictionary(const std::string& dataFolder, Progress& progress) {
  DictionaryConversion result;
  std::string oldFile = FindIgnoringCase(dataFolder, "spell50.dat");
  bool version5 = !oldFile.empty() && oldFile.back() != '/';
  if (!version5) {
    oldFile = FindIgnoringCase(dataFolder, "diction.dat");
    if (oldFile.empty() || oldFile.back() == '/') return result;
  }
  const std::string image = ReadBytes(oldFile);
  const std::vector<SpellEntry> old = version5 ? ReadLengthPrefixedWords(image) : ParseSpellEntries(image);

  const std::string dictionaryFile = dataFolder + "Spell54.dat";
  std::map<std::string, std::string> words;  // word -> replacement, in byte order
  for (SpellEntry& entry : ParseSpellEntries(ReadBytes(dictionaryFile))) words.emplace(entry.word, entry.replacement);
  const char* caption = version5 ? "Converting Version 5 Dictionary" : "Converting Version 4 Dictionary";
  for (size_t i = 0; i < old.size(); ++i) {
    progress.ShowProgress(caption, "", static_cast<int64_t>(i), static_cast<int64_t>(old.size()));
    if (ValidateDictionaryWord(old[i].word) != WordCheck::kValid) {
      ++result.wordsDropped;
      continue;
    }
    if (words.emplace(old[i].word, old[i].replacement).second) ++result.wordsAdded;
  }
  progress.CloseProgress();

  std::string merged;
  for (const auto& [word, replacement] : words) AppendSpellEntry(merged, {word, replacement});
  if (!ReplaceFileContents(dictionaryFile, merged.data(), merged.size())) return result;
  DeleteDataFile(oldFile);
  result.converted = true;
  return result;
}

}  // namespace tovalia
