#include "spell/spell_entry_form.h"

#include "db/cp1252.h"
#include "spell/spell_entries.h"

namespace tovalia {

std::string TidySpellEntry(std::string& word, std::string& replacement) {
  word = LowerCase(TrimBlanks(word));
  replacement = LowerCase(TrimBlanks(replacement));
  if (replacement == word) replacement.clear();
  switch (ValidateDictionaryWord(word)) {
    case WordCheck::kTooShort: return "||** Dictionary words must be two or more letters **";
    case WordCheck::kBadCharacter: return "||** No numbers, spaces, or punctuation|allowed in dictionary words **";
    case WordCheck::kValid: break;
  }
  return {};
}

}  // namespace tovalia
