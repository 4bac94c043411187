// The input is a whole Spell54.dat. It is loaded, searched for every word it
// yields and used for a checking pass; when it reads as sound, an entry is
// added, and the file written must read back sound, sorted, with the word
// once.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "db/cp1252.h"
#include "fuzz_support.h"
#include "spell/spell_dictionary.h"
#include "spell/spell_pass.h"
#include "spell/spell_suggestions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const std::string path = fuzz::ScratchFolder() + "Spell54.dat";
  fuzz::WriteBytes(path, data, size);

  SpellDictionary d;
  const DictionaryState state = LoadSpellDictionary(d, path);
  std::string found, replacement;
  for (int32_t i = 0; i < d.Count() && i < 64; ++i) {
    const std::string word(d.Word(i));
    FindSpellWord(d, word, found, replacement);
    FUZZ_CHECK(d.current >= -1 && d.current < d.Count());
    FUZZ_CHECK(d.listTop >= 0 && d.listTop <= std::max(d.current, 0));
    FUZZ_CHECK(d.Word(d.current) == found);
  }
  // A pass over the file's own bytes as text.
  std::string text(reinterpret_cast<const char*>(data), size < 2000 ? size : 2000);
  SpellPass pass(d);
  pass.AddText(text, 4000);
  int stops = 0;
  while (NextMisspelledWord(pass) && stops < 200) {
    ++stops;
    if (stops % 3 == 0) ReplaceCurrentWord(pass, "");
    SuggestSpellings(d, pass.CurrentWord());
  }
  FUZZ_CHECK(text.size() <= 4000);

  if (state == DictionaryState::kDamaged) {
    FUZZ_CHECK(SaveSpellEntry(d, SpellSaveMode::kAdd, "saffron", "") == SpellSaveResult::kDamaged);
    FUZZ_CHECK(fuzz::ReadBytes(path) == std::vector<uint8_t>(data, data + size));
    return 0;
  }
  FUZZ_CHECK(SaveSpellEntry(d, SpellSaveMode::kAdd, "saffron", "") == SpellSaveResult::kSaved);
  SpellDictionary back;
  FUZZ_CHECK(LoadSpellDictionary(back, path) != DictionaryState::kDamaged);
  int copies = 0;
  for (int32_t i = 0; i < back.Count(); ++i)
    if (LowerCase(back.Word(i)) == "saffron") ++copies;
  FUZZ_CHECK(copies == 1);
  return 0;
}
