// The checking screen ("Check Spelling") and the dictionary's add/edit form.
#pragma once

#include <string>

#include "spell/spell_pass.h"
#include "state/app_state.h"

namespace tovalia {

// The add/edit form: word and replacement in, the tidied texts out. True
// when cancelled (or the program quits); the error line of a refused word
// is shown under the caption and the form asked again.
bool EditSpellEntryDialog(Ui& ui, const std::string& caption, std::string& word, std::string& replacement);

// Runs the pass over the texts the caller put in `pass`, whose dictionary
// the caller has loaded. quiet = false: the screen opens at once and stays
// until "Quit". quiet = true: it opens only at a misspelled word and closes
// when the pass is done. Sets app.spellCheckQuit when the user chose "Quit".
// The texts are changed in place (pass.changed); the caller stores them.
void CheckSpelling(App& app, SpellPass& pass, bool quiet);

// The pass over the current record in the record buffers (title,
// ingredients, directions; title and text for a text record), with the
// dictionary loaded by the caller; the changed texts are put back into the
// buffers. True when something was changed.
bool CheckRecordSpelling(App& app, SpellDictionary& dictionary, bool quiet);

// Loads Spell54.dat of the data folder for a pass. A damaged file is
// reported (once per call) and what could be read is used.
void LoadDictionaryForPass(App& app, SpellDictionary& dictionary);

}  // namespace tovalia
