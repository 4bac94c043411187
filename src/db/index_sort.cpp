// SortIndex: the title index put in order, saved as Index34.dat, and the
// chapter table brought up to date.
#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "db/data_file.h"
#include "db/index_writer.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "db/title_sort.h"

namespace tovalia {

namespace {

// From this size on an index that changed in a few places is written by
// the background writer.
constexpr int32_t kWriteInBackgroundFrom = 4 << 20;

bool IsRecipeKind(int32_t kind) { return kind == kKindRecipe || kind == kKindTextRecord; }

// What changed since the last sort, as far as the chapter table and its
// counters are concerned.
struct TableChange {
  bool known = false;     // false: the table is rebuilt from the whole index
  int32_t recipes = 0;    // recipes and text records added less those removed
  int32_t highestAdded = 0;
};

// The entries to sort, in index order, into `live`: the sorted part less
// the entries deleted since, then the entries appended since; without a
// sorted part, every entry that is not deleted. Returns how many lead
// `live` in known title order, and sets the bytes they all take.
size_t CollectEntries(Database& db, int32_t& liveSize, TableChange& change) {
  IndexOrder& order = db.indexOrder;
  LargeVector<int32_t>& live = order.live;
  live.clear();
  liveSize = 0;
  int32_t from = 0;
  size_t knownSorted = 0;
  if (order.size > 0 && order.size <= db.indexSize) {
    change.known = true;
    // The kind each changed entry had at the last sort, and has now.
    std::stable_sort(order.kindChanges.begin(), order.kindChanges.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int32_t> gone;
    for (size_t i = 0; i < order.kindChanges.size(); ++i) {
      const auto [offset, before] = order.kindChanges[i];
      if (i > 0 && order.kindChanges[i - 1].first == offset) continue;
      const int32_t now = EntryKind(db, offset);
      if (now == before) continue;
      if (now != kKindDeleted || before == kKindChapter || !IsRecipeKind(before) ||
          EntryRecipeId(db, offset) == db.highestRecipeId)
        change.known = false;
      if (now == kKindDeleted) gone.push_back(offset);
      change.recipes -= 1;
    }
    // The sorted part holds no deleted entries: those gone were live.
    size_t g = 0;
    liveSize = order.size;
    for (int32_t o : order.offsets) {
      if (g < gone.size() && gone[g] == o) {
        ++g;
        liveSize -= EntryLength(db, o);
        continue;
      }
      live.push_back(o);
    }
    knownSorted = live.size();
    from = order.size;
  }
  for (int32_t o = from; o + entry::kFixedSize <= db.indexSize && o + EntryLength(db, o) <= db.indexSize;
       o += EntryLength(db, o)) {
    const int32_t kind = EntryKind(db, o);
    if (kind == kKindDeleted) continue;
    live.push_back(o);
    liveSize += EntryLength(db, o);
    if (kind == kKindChapter) change.known = false;
    if (IsRecipeKind(kind)) {
      ++change.recipes;
      change.highestAdded = std::max(change.highestAdded, EntryRecipeId(db, o));
    }
  }
  return knownSorted;
}

// The entries in their new order in a new block (or `spare`, when it is
// large enough), with room to grow; `newOffsets` gets where each now is.
ByteBuffer SortedCopy(const Database& db, const LargeVector<int32_t>& order, int32_t size, ByteBuffer spare,
                      LargeVector<int32_t>& newOffsets) {
  ByteBuffer sorted = std::move(spare);
  if (sorted.Size() < size + kIndexGrowthStep) {
    FreeBuffer(sorted);
    CreateBuffer(std::max(size + std::max(size / 8, kIndexGrowthStep), kIndexInitialCapacity), sorted);
  }
  newOffsets.resize(order.size());
  int32_t at = 0;
  for (size_t i = 0; i < order.size();) {
    // Entries that stay neighbours move together.
    const int32_t from = order[i];
    int32_t run = EntryLength(db, from);
    size_t next = i + 1;
    while (next < order.size() && order[next] == from + run) run += EntryLength(db, order[next++]);
    MoveBytes(db.indexBuffer, from, sorted, at, run);
    for (size_t k = i; k < next; ++k) newOffsets[k] = order[k] - from + at;
    at += run;
    i = next;
  }
  return sorted;
}

// Reads the first `size` bytes of Index34.dat into the index's own block.
bool ReadIndexBack(Database& db, int32_t size) {
  if (size == 0) return true;
  DataFile file = OpenDataFile("i", db.paths.indexFile);
  return file.IsOpen() && FileLength(file) == size && db.indexBuffer.Holds(0, size) &&
         ReadBlock(file, db.indexBuffer, 0, size) == size;
}

void NoteEntryOffsets(Database& db) {
  LargeVector<int32_t>& offsets = db.indexOrder.offsets;
  offsets.clear();
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) offsets.push_back(o);
}

}  // namespace

void ForgetIndexOrder(Database& db) {
  db.indexOrder.size = 0;
  db.indexOrder.offsets.clear();
  db.indexOrder.kindChanges.clear();
}

bool FinishIndexWrites(Database& db) { return !db.indexWriter || db.indexWriter->Finish(); }

// After a few changes (an edit) only the entries appended and deleted since
// the last sort are looked at, and a large index is put in order in a new
// block while the old block goes to the background writer, which writes the
// file from it. Any other sort writes the entries to Index34.dat in their
// new order straight from the index block and reads the file back into the
// same block, so that the index is never held twice.
bool SortIndex(Database& db) {
  db.progress->ShowMainWindow();
  IndexOrder& order = db.indexOrder;
  int32_t sortedSize = 0;
  TableChange change;
  const size_t knownSorted = CollectEntries(db, sortedSize, change);
  const int64_t n = static_cast<int64_t>(order.live.size());
  db.progress->ShowProgress("Sorting Records", "", 0, n);
  db.progress->PumpMessages(0);
  const bool fewMoved = SortEntryOffsets(db.indexBuffer.Data(), order.live, knownSorted, order.space);
  db.progress->ShowProgress("Sorting Records", "", n / 2, n);
  db.progress->PumpMessages(0);

  bool saved = true;
  bool offsetsNoted = true;
  if (fewMoved && sortedSize >= kWriteInBackgroundFrom) {
    if (!db.indexWriter) db.indexWriter = std::make_unique<IndexWriter>(db.paths.indexFile);
    ByteBuffer sorted =
        SortedCopy(db, order.live, sortedSize, db.indexWriter->TakeSpareBlock(sortedSize), order.offsets);
    db.indexWriter->Write(std::move(db.indexBuffer), std::move(order.live));
    order.live = db.indexWriter->TakeSpareOrder();
    db.indexBuffer = std::move(sorted);
  } else {
    FinishIndexWrites(db);
    saved = WriteEntriesInOrder(db.paths.indexFile, db.indexBuffer.Data(), order.live);
    if (saved && !ReadIndexBack(db, sortedSize)) {
      // The block may be half overwritten: the file is all there is.
      db.progress->CloseProgress();
      LoadIndex(db);
      db.indexChanged = true;
      return false;
    }
    // Without the file the entries are put in order in a new block.
    if (!saved) db.indexBuffer = SortedCopy(db, order.live, sortedSize, ByteBuffer(), order.offsets);
    offsetsNoted = !saved;
  }
  db.progress->CloseProgress();
  db.indexSize = sortedSize;
  if (!offsetsNoted) NoteEntryOffsets(db);
  order.size = sortedSize;
  order.kindChanges.clear();

  const int32_t highest = std::max(db.highestRecipeId, change.highestAdded);
  if (change.known && highest < INT32_MAX) {
    // No chapter came or went, and the highest number is still there.
    db.recipeCount += change.recipes;
    db.highestRecipeId = highest;
    db.nextRecipeId = highest + 1;
  } else {
    RebuildChapterTable(db);
  }
  db.indexChanged = true;
  return saved;
}

}  // namespace tovalia
