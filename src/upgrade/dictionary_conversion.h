// Earlier versions kept the spell-check words in "spell50.dat" (length-
// prefixed words) or "diction.dat" (entries already in today's layout).
// At every start such a file is folded into Spell54.dat and removed.
#pragma once

#include <string>

#include "ui/progress.h"

namespace tovalia {

struct DictionaryConversion {
  bool converted = false;  // an old dictionary was found and folded in
  int wordsAdded = 0;      // valid words that were not in Spell54.dat yet
  int wordsDropped = 0;    // invalid words left out
};

// Folds the old dictionary of the data folder (names matched ignoring case;
// "spell50.dat" first) into Spell54.dat: its valid words are added, words
// already there keep their entries, and the result is sorted by word. The
// old file is removed only once Spell54.dat has been written.
DictionaryConversion ConvertOldDictionary(const std::string& dataFolder, Progress& progress);

}  // namespace tovalia
