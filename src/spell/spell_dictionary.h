// The spell-check dictionary in memory: the whole Spell54.dat image, a table
// of entry offsets into it, the entry the last search found and the first
// entry the checking screen's list shows. Searched by binary search; every
// change rewrites the file whole (through a temporary file and a rename)
// and reads it back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "spell/spell_entries.h"

namespace tovalia {

inline constexpr int32_t kSpellListRows = 9;  // rows of the checking screen's list

enum class DictionaryState {
  kEmpty,    // no file, or an empty one
  kLoaded,
  kDamaged,  // the file's entries do not walk to its end, or are out of order
};

struct SpellDictionary {
  std::string path;
  std::string image;             // the file's bytes
  std::vector<int32_t> offsets;  // one per entry, in file order
  int32_t current = -1;          // the entry found by the last search; -1 none
  int32_t listTop = 0;
  DictionaryState state = DictionaryState::kEmpty;

  int32_t Count() const { return static_cast<int32_t>(offsets.size()); }
  // The entry's word and replacement; empty for an index out of range.
  std::string_view Word(int32_t entry) const;
  std::string_view Replacement(int32_t entry) const;
};

// What a damaged dictionary is called when the user is told about it.
std::string DamagedDictionaryMessage();

// Frees what the dictionary held and reads the file at `path`. A missing
// file is an empty dictionary. A damaged file keeps the entries that could
// be read before the damage and is marked kDamaged: searches work, changes
// are refused so that the file is not overwritten with part of itself.
DictionaryState LoadSpellDictionary(SpellDictionary& dictionary, const std::string& path);
// The same from bytes already in memory (no file behind it).
DictionaryState LoadSpellImage(SpellDictionary& dictionary, std::string image);
void FreeSpellDictionary(SpellDictionary& dictionary);

// Binary search for the word (compared lower-cased, in byte order). Sets the
// current entry (-1 for an empty word or dictionary) and the list top, and
// gives back the current entry's word and replacement.
void FindSpellWord(SpellDictionary& dictionary, std::string_view word, std::string& foundWord,
                   std::string& foundReplacement);
// The list top that centres the current entry in the list.
void CentreListTop(SpellDictionary& dictionary);

enum class SpellSaveMode { kAdd = 0, kReplaceCurrent = 1, kDeleteCurrent = 2 };

enum class SpellSaveResult {
  kSaved,
  kTooLong,      // word and replacement exceed one entry's 252 bytes
  kDamaged,      // the file was damaged when read: it is left alone
  kWriteFailed,  // the file could not be written; it is unchanged
};

// Adds the word (an existing entry of that word is replaced), replaces the
// current entry, or deletes it; the file is rewritten and read back, and the
// word searched for so that it becomes current. Word and replacement are
// stored lower-cased.
SpellSaveResult SaveSpellEntry(SpellDictionary& dictionary, SpellSaveMode mode, std::string_view word,
                               std::string_view replacement);

// The file image for a list of entries, sorted by word, one entry a word
// (a later entry of the same word wins); entries too long are left out.
std::string BuildSpellImage(std::vector<SpellEntry> entries);

}  // namespace tovalia
