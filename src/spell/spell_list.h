// Moving through the checking screen's dictionary list of nine rows: the
// current entry and the first row shown.
#pragma once

#include "spell/spell_dictionary.h"

namespace tovalia {

enum class SpellListMove { kUp, kDown, kHome, kEnd, kPageUp, kPageDown };

void MoveInSpellList(SpellDictionary& dictionary, SpellListMove move);
// The wheel moves the rows shown, not the current entry (positive: up).
void ScrollSpellList(SpellDictionary& dictionary, int wheelStep);

}  // namespace tovalia
