// The dictionary the program ships: made at build time from word lists (an
// English word list and the cook's words and "watch for" pairs kept with the
// program's resources), and copied into a data folder that has none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "spell/spell_entries.h"

namespace tovalia {

struct WordListReading {
  std::vector<SpellEntry> entries;
  int refused = 0;  // lines whose word is no valid dictionary word
};

// One word a line, UTF-8 or CP1252; "word<TAB>replacement" (or
// "word -> replacement") makes a "watch for" word. Blank lines and lines
// starting with # are skipped; words are lower-cased and validated.
WordListReading ReadWordList(std::string_view text);

// The name of the shipped dictionary beside the program.
inline constexpr const char* kStarterDictionaryName = "Spell54.dat";

// Copies the shipped dictionary from the program folder into the data
// folder when the data folder has no Spell54.dat; an existing file (even an
// empty one) is never touched. True when it was copied.
bool InstallStarterDictionary(const std::string& programFolder, const std::string& dataFolder);

}  // namespace tovalia
