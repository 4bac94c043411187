#include "spell/spell_entries.h"

namespace tovalia {

WordCheck ValidateDictionaryWord(std::string_view word) {
  if (word.size() < 2) return WordCheck::kTooShort;
  for (char c : word) {
    const auto u = static_cast<unsigned char>(c);
    const bool letter = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
    if (!letter && u != '\'' && u <= 127) return WordCheck::kBadCharacter;
  }
  return WordCheck::kValid;
}

std::vector<SpellEntry> ParseSpellEntries(std::string_view image) {
  std::vector<SpellEntry> entries;
  size_t at = 0;
  while (at + 3 <= image.size()) {
    const size_t length = static_cast<unsigned char>(image[at]);
    const size_t wordLength = static_cast<unsigned char>(image[at + 1]);
    if (length < 3 || at + length > image.size() || wordLength + 3 > length) break;
    const size_t replacementLength = static_cast<unsigned char>(image[at + 2 + wordLength]);
    if (wordLength + replacementLength + 3 != length) break;
    entries.push_back({std::string(image.substr(at + 2, wordLength)),
                       std::string(image.substr(at + 3 + wordLength, replacementLength))});
    at += length;
  }
  return entries;
}

bool AppendSpellEntry(std::string& image, const SpellEntry& entry) {
  const size_t length = entry.word.size() + entry.replacement.size() + 3;
  if (length > 255) return false;
  image += static_cast<char>(length);
  image += static_cast<char>(entry.word.size());
  image += entry.word;
  image += static_cast<char>(entry.replacement.size());
  image += entry.replacement;
  return true;
}

}  // namespace tovalia
