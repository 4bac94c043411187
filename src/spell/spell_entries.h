// The dictionary file's entries: a length byte for the whole entry, the
// word and the replacement each as a length-prefixed text, sorted by word.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

struct SpellEntry {
  std::string word;         // lower case
  std::string replacement;  // empty for a plain dictionary word
};

enum class WordCheck { kValid = 0, kTooShort = 1, kBadCharacter = 2 };

// A word has at least two characters, each a letter A-Z or a-z, an
// apostrophe, or a character above 127 (accented letters).
WordCheck ValidateDictionaryWord(std::string_view word);

// Walks an image of entries; stops at an entry that runs past the end or
// whose lengths disagree with its length byte.
std::vector<SpellEntry> ParseSpellEntries(std::string_view image);

// Appends one entry in the file layout; false (nothing appended) when word
// and replacement together exceed the 252 bytes one length byte allows.
bool AppendSpellEntry(std::string& image, const SpellEntry& entry);

}  // namespace tovalia
