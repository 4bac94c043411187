// The title index: one entry per live record (position, number, chapter,
// kind, flags, title) packed in one byte block in title order, saved as
// Index34.dat so that start-up needs one read. The chapter table and its
// counters are derived from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/database.h"
#include "db/record_format.h"

namespace tovalia {

// Entry fields, by the entry's byte offset in the index. Inline: the index
// walks call them for every entry.
inline int32_t EntryLength(const Database& db, int32_t offset) {
  return entry::kFixedSize + GetU8(db.indexBuffer, offset + entry::kTitleLength);
}
inline int32_t EntryPosition(const Database& db, int32_t offset) {
  return GetI32(db.indexBuffer, offset + entry::kPosition);
}
inline int32_t EntryRecipeId(const Database& db, int32_t offset) {
  return GetI32(db.indexBuffer, offset + entry::kRecipeId);
}
inline int32_t EntryChapter(const Database& db, int32_t offset) {
  return GetU16(db.indexBuffer, offset + entry::kChapterNumber);
}
inline int32_t EntryKind(const Database& db, int32_t offset) { return GetU8(db.indexBuffer, offset + entry::kKind); }
inline int32_t EntrySearchFlag(const Database& db, int32_t offset) {
  return GetU8(db.indexBuffer, offset + entry::kSearchFlag);
}
inline int32_t EntryHasPhoto(const Database& db, int32_t offset) {
  return GetU8(db.indexBuffer, offset + entry::kHasPhoto);
}
std::string_view EntryTitle(const Database& db, int32_t offset);
void SetEntryKind(Database& db, int32_t offset, int32_t kind);
void SetEntrySearchFlag(Database& db, int32_t offset, int32_t flag);
void SetEntryChapter(Database& db, int32_t offset, int32_t chapterNumber);
void SetEntryPosition(Database& db, int32_t offset, int32_t position);

// The index block starts this large and grows by at least this much.
inline constexpr int32_t kIndexInitialCapacity = 100000;
inline constexpr int32_t kIndexGrowthStep = 50000;

struct NewIndexEntry {
  int32_t position = 0;
  int32_t recipeId = 0;
  int32_t chapterNumber = 0;
  int32_t kind = 0;
  int32_t searchFlag = 0;
  int32_t hasPhoto = 0;
  std::string_view title;  // at most 255 bytes are kept
};
void AppendIndexEntry(Database& db, const NewIndexEntry& newEntry);

// Rebuilds the index from the recipe file ("Indexing Records"), then sorts
// and saves it. Every search flag is 0 afterwards.
void ScanRecords(Database& db);

// Sorts the index by upper-cased title, drops entries of kind 3, saves
// Index34.dat and reloads the chapter table. False when the file could not
// be written; the sorted index is in memory all the same. A large index that
// changed in a few places is saved in the background (FinishIndexWrites).
bool SortIndex(Database& db);

// Reads Index34.dat into the index and rebuilds the chapter table and
// counters. A missing file gives an empty index.
void LoadIndex(Database& db);

// Checks the loaded index against the recipe file and rebuilds it when they
// disagree. True when the index was sound.
bool ValidateIndex(Database& db);

// The checks ValidateIndex makes, without the rebuild: spot checks of the
// first, middle and last entries, and no live record after the last one
// the index knows.
bool IndexAgreesWithFile(const Database& db);

// Rebuilds the chapter table and counters from the in-memory index, as
// LoadIndex does after reading the file.
void RebuildChapterTable(Database& db);

// Writes the index as it stands (search flags included) to Index34.dat.
bool SaveIndex(Database& db);

// For code that rearranges the index block other than by sorting it: the
// next sort then looks at the whole index.
void ForgetIndexOrder(Database& db);

// Waits until Index34.dat, when a sort left it to the background writer,
// is on disk. Whatever reads, replaces or deletes that file otherwise calls
// this first (the functions here do). False when that write failed.
bool FinishIndexWrites(Database& db);

}  // namespace tovalia
