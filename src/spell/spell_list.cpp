#include "spell/spell_list.h"

#include <algorithm>

namespace tovalia {

namespace {

int32_t LastTop(const SpellDictionary& d) { return std::max(0, d.Count() - kSpellListRows); }

}  // namespace

void MoveInSpellList(SpellDictionary& d, SpellListMove move) {
  const int32_t count = d.Count();
  if (count == 0) return;
  const int32_t last = count - 1;
  switch (move) {
    case SpellListMove::kUp:
    case SpellListMove::kDown: {
      const int32_t step = move == SpellListMove::kUp ? -1 : 1;
      d.current = d.current < 0 ? d.listTop : std::clamp(d.current + step, 0, last);
      if (d.current < d.listTop) d.listTop = d.current;
      if (d.current >= d.listTop + kSpellListRows) d.listTop = d.current - kSpellListRows + 1;
      break;
    }
    case SpellListMove::kHome:
      d.current = 0;
      d.listTop = 0;
      break;
    case SpellListMove::kEnd:
      d.current = last;
      d.listTop = std::max(0, last - (kSpellListRows - 1));
      break;
    case SpellListMove::kPageUp:
      d.listTop = std::max(0, d.listTop - kSpellListRows);
      d.current = d.listTop;
      break;
    case SpellListMove::kPageDown:
      d.listTop = std::max(0, std::min(d.listTop + kSpellListRows, count - kSpellListRows));
      d.current = std::min(d.listTop + kSpellListRows - 1, last);
      break;
  }
}

void ScrollSpellList(SpellDictionary& d, int wheelStep) {
  d.listTop = std::clamp(d.listTop - wheelStep, 0, LastTop(d));
}

}  // namespace tovalia
