// The order the title index is kept in: titles compared upper-cased, and
// equal titles exactly where the binary insertion that has always sorted the
// index files puts them. That insertion places a title that is smaller than
// the greatest one seen so far just before the last of its equals, so among
// equal titles one member ends up last: the last of those that came before
// any greater title, or, when none did, the first of them; the others keep
// their index order. The order is reached here by a sort of the titles in
// O(n log n) and that one move per group of equal titles, and in O(n) when
// the index is sorted but for a few entries at its end (the usual case after
// an edit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/large_pages.h"

namespace tovalia {

// Vectors a sort works in, kept from one sort to the next so that their
// memory is ready (memory used for the first time costs far more).
struct TitleSortSpace {
  LargeVector<uint8_t> early;
  LargeVector<int32_t> merged;
  LargeVector<uint8_t> mergedEarly;
};

// Puts `offsets` (byte offsets of whole entries in the index bytes, in index
// order, the first `knownSorted` of them known to be in title order) in
// title order. Returns true when only a few of them (at most one in
// sixteen) had to be put in among the others. Runs on two threads when the
// entries are many and far from sorted.
bool SortEntryOffsets(const uint8_t* index, LargeVector<int32_t>& offsets, size_t knownSorted,
                      TitleSortSpace& space);

}  // namespace tovalia
