#include "db/title_index.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <cstring>
#include <vector>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/record_format.h"
#include "db/record_scanner.h"

namespace tovalia {

namespace {

void MakeRoomInIndex(Database& db, int32_t extra) {
  if (!db.indexBuffer.HasBlock()) CreateBuffer(kIndexInitialCapacity, db.indexBuffer);
  int64_t needed = static_cast<int64_t>(db.indexSize) + extra;
  if (needed <= db.indexBuffer.Size()) return;
  // Grow by half again (at least one step) so that appending many records
  // does not copy the whole index over and over.
  int64_t grown = std::max<int64_t>(needed + kIndexGrowthStep,
                                    db.indexBuffer.Size() + db.indexBuffer.Size() / 2);
  ResizeBuffer(static_cast<int32_t>(std::min<int64_t>(grown, INT32_MAX)), db.indexBuffer);
}

constexpr int32_t kHighestChapterNumber = 65535;  // the field is 16 bits wide

// When the highest number is taken (only a damaged or foreign file gets
// there), new records take the smallest number no entry of these kinds uses.
int32_t SmallestUnusedNumber(const Database& db, std::initializer_list<int32_t> kinds,
                             int32_t limit) {
  std::vector<int32_t> used;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    int32_t kind = EntryKind(db, o);
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) continue;
    used.push_back(kind == kKindChapter ? EntryChapter(db, o) : EntryRecipeId(db, o));
  }
  std::sort(used.begin(), used.end());
  int32_t candidate = 1;
  for (int32_t number : used) {
    if (number > candidate) break;
    if (number == candidate) {
      if (candidate == limit) break;
      ++candidate;
    }
  }
  return candidate;
}

}  // namespace

// A partial entry at the end (a damaged or cut Index34.dat) is dropped.
void RebuildChapterTable(Database& db) {
  db.chapterTable.clear();
  db.chapterTable.push_back({kAllRecipes, kAllRecipes, "All Recipes"});
  db.chapterTable.push_back({kSearchResults, kSearchResults, "Search Results"});
  db.chapterTable.push_back({kRecipesSelectedForMeals, kRecipesSelectedForMeals,
                             "Recipes Selected For Meals"});
  db.chapterTable.push_back({kRecipesWithPhotos, kRecipesWithPhotos, "Recipes With Photos"});
  db.recipeCount = 0;
  int32_t highestRecipeId = 0;
  int32_t highestChapter = 0;
  int32_t offset = 0;
  while (offset < db.indexSize) {
    if (offset + entry::kFixedSize > db.indexSize ||
        offset + EntryLength(db, offset) > db.indexSize) {
      db.indexSize = offset;
      break;
    }
    int32_t kind = EntryKind(db, offset);
    if (kind == kKindRecipe || kind == kKindTextRecord) {
      highestRecipeId = std::max(highestRecipeId, EntryRecipeId(db, offset));
      ++db.recipeCount;
    } else if (kind == kKindChapter) {
      db.chapterTable.push_back({EntryPosition(db, offset), EntryChapter(db, offset),
                                 std::string(EntryTitle(db, offset))});
      highestChapter = std::max(highestChapter, EntryChapter(db, offset));
    }
    offset += EntryLength(db, offset);
  }
  db.highestRecipeId = highestRecipeId;
  db.nextRecipeId = highestRecipeId < INT32_MAX
                        ? highestRecipeId + 1
                        : SmallestUnusedNumber(db, {kKindRecipe, kKindTextRecord}, INT32_MAX);
  db.nextChapterNumber = highestChapter < kHighestChapterNumber
                             ? highestChapter + 1
                             : SmallestUnusedNumber(db, {kKindChapter}, kHighestChapterNumber);
}

std::string_view EntryTitle(const Database& db, int32_t offset) {
  int32_t length = GetU8(db.indexBuffer, offset + entry::kTitleLength);
  if (!db.indexBuffer.Holds(offset + entry::kTitle, length)) return {};
  return std::string_view(reinterpret_cast<const char*>(db.indexBuffer.Data()) + offset +
                              entry::kTitle,
                          static_cast<size_t>(length));
}
void SetEntryKind(Database& db, int32_t offset, int32_t kind) {
  const int32_t before = EntryKind(db, offset);
  if (before == kind) return;
  if (offset >= 0 && offset < db.indexOrder.size) db.indexOrder.kindChanges.emplace_back(offset, before);
  SetU8(db.indexBuffer, offset + entry::kKind, kind);
}
void SetEntrySearchFlag(Database& db, int32_t offset, int32_t flag) {
  SetU8(db.indexBuffer, offset + entry::kSearchFlag, flag);
}
void SetEntryChapter(Database& db, int32_t offset, int32_t chapterNumber) {
  SetU16(db.indexBuffer, offset + entry::kChapterNumber, chapterNumber);
}
void SetEntryPosition(Database& db, int32_t offset, int32_t position) {
  SetI32(db.indexBuffer, offset + entry::kPosition, position);
}

void AppendIndexEntry(Database& db, const NewIndexEntry& e) {
  int32_t titleLength = static_cast<int32_t>(std::min<size_t>(e.title.size(), 255));
  MakeRoomInIndex(db, entry::kFixedSize + titleLength);
  int32_t o = db.indexSize;
  if (!db.indexBuffer.Holds(o, entry::kFixedSize + titleLength)) return;
  SetI32(db.indexBuffer, o + entry::kPosition, e.position);
  SetI32(db.indexBuffer, o + entry::kRecipeId, e.recipeId);
  SetU16(db.indexBuffer, o + entry::kChapterNumber, e.chapterNumber);
  SetU8(db.indexBuffer, o + entry::kKind, e.kind);
  SetU8(db.indexBuffer, o + entry::kSearchFlag, e.searchFlag);
  SetU8(db.indexBuffer, o + entry::kHasPhoto, e.hasPhoto);
  SetU8(db.indexBuffer, o + entry::kTitleLength, titleLength);
  std::memcpy(db.indexBuffer.Data() + o + entry::kTitle, e.title.data(),
              static_cast<size_t>(titleLength));
  db.indexSize += entry::kFixedSize + titleLength;
}

void ScanRecords(Database& db) {
  db.progress->ShowMainWindow();
  FinishIndexWrites(db);
  FreeBuffer(db.indexBuffer);
  CreateBuffer(kIndexInitialCapacity, db.indexBuffer);
  db.indexSize = 0;
  ForgetIndexOrder(db);
  DeleteDataFile(db.paths.indexFile);
  if (!FileExists(db.paths.recipeFile)) {
    LoadIndex(db);
    return;
  }
  {
    DataFile file = OpenDataFile("i", db.paths.recipeFile);
    RecordScanner scanner(file, FileLength(file), 0);
    while (scanner.NextLiveRecord()) {
      const uint8_t* h = scanner.Header();
      NewIndexEntry e;
      e.position = static_cast<int32_t>(scanner.Position());
      e.recipeId = LoadI32(h + header::kRecipeId);
      e.chapterNumber = LoadU16(h + header::kChapterNumber);
      e.kind = h[header::kRecordKind];
      e.hasPhoto = LoadI32(h + header::kPhotoLength) > 0 ? 1 : 0;
      e.title = std::string_view(reinterpret_cast<const char*>(scanner.Title()),
                                 h[header::kTitleLength]);
      AppendIndexEntry(db, e);
      db.progress->ShowProgress("Indexing Records", "", scanner.Position(),
                                scanner.FileLength() - kRecordHeaderSize);
      db.progress->PumpMessages(0);
    }
  }
  db.progress->CloseProgress();
  SortIndex(db);
}

void LoadIndex(Database& db) {
  FinishIndexWrites(db);
  FreeBuffer(db.indexBuffer);
  db.indexSize = 0;
  ForgetIndexOrder(db);
  ByteBuffer bytes;
  if (FileExists(db.paths.indexFile) && ReadWholeFile(db.paths.indexFile, bytes)) {
    db.indexSize = bytes.Size();
    db.indexBuffer = std::move(bytes);
  }
  RebuildChapterTable(db);
}

bool SaveIndex(Database& db) {
  FinishIndexWrites(db);
  return ReplaceFileContents(db.paths.indexFile, db.indexBuffer.Data(),
                             static_cast<size_t>(db.indexSize));
}

// The index is sound when every position lies inside the file, three spot
// checks find the same record numbers in the file, and no live record lies
// beyond the last one the index knows (a record appended by a run that
// ended before it saved its index).
bool IndexAgreesWithFile(const Database& db) {
  if (!FileExists(db.paths.recipeFile)) return false;
  DataFile file = OpenDataFile("i", db.paths.recipeFile);
  if (!file.IsOpen()) return false;
  const int64_t length = FileLength(file);

  auto headerMatches = [&](int32_t o) {
    uint8_t h[kRecordHeaderSize];
    SeekFile(file, EntryPosition(db, o));
    if (ReadRaw(file, h, kRecordHeaderSize) != kRecordHeaderSize) return false;
    HeaderCheck check = CheckRecordHeader(h, EntryPosition(db, o), length);
    return check.tagged && LoadI32(h + header::kRecipeId) == EntryRecipeId(db, o);
  };

  const int32_t half = db.indexSize / 2;
  bool halfChecked = false;
  int32_t last = -1;
  int64_t furthest = -1;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    int64_t position = EntryPosition(db, o);
    if (position < 0 || position + kRecordHeaderSize > length) return false;
    bool spotCheck = (o == 0) || (!halfChecked && o >= half);
    if (o >= half) halfChecked = true;
    if (spotCheck && !headerMatches(o)) return false;
    last = o;
    furthest = std::max(furthest, position);
  }
  if (last >= 0 && !headerMatches(last)) return false;

  int64_t tail = 0;
  if (furthest >= 0) {
    uint8_t h[kRecordHeaderSize];
    SeekFile(file, furthest);
    if (ReadRaw(file, h, kRecordHeaderSize) != kRecordHeaderSize) return false;
    if (!CheckRecordHeader(h, furthest, length).whole) return false;
    tail = furthest + LoadI32(h + header::kRecordSize);
  }
  RecordScanner scanner(file, length, tail);
  return !scanner.NextLiveRecord();
}

bool ValidateIndex(Database& db) {
  if (IndexAgreesWithFile(db)) return true;
  ScanRecords(db);
  return false;
}

}  // namespace tovalia
