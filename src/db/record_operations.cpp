#include "db/record_operations.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

// The list index of the first ticked item after item 0, minus one: where the
// list stands after ticked items have left it.
int32_t PositionAfterRemoving(const std::vector<int32_t>& ticked) {
  for (int32_t item : ticked)
    if (item > 0) return item - 1;
  return 0;
}

void ReopenCurrentList(Database& db, int32_t position) {
  BuildCurrentList(db);
  SelectOnly(db, position);
}

// Whether the record at each entry's position is still the one the entry
// names (same RecipeId and kind). An index another process made stale
// would otherwise send a delete or a move onto someone else's bytes.
bool EntriesNameTheirRecords(const Database& db, DataFile& file, const std::vector<int32_t>& offsets) {
  const int64_t length = FileLength(file);
  for (int32_t o : offsets) {
    uint8_t h[kRecordHeaderSize];
    const int64_t position = EntryPosition(db, o);
    SeekFile(file, position);
    if (position < 0 || ReadRaw(file, h, kRecordHeaderSize) != kRecordHeaderSize) return false;
    if (!CheckRecordHeader(h, position, length).whole || h[header::kRecordKind] != EntryKind(db, o) ||
        LoadI32(h + header::kRecipeId) != EntryRecipeId(db, o))
      return false;
  }
  return true;
}

// Rebuilds the index from the recipe file as start-up would, keeping the
// current chapter and the list position where they can be kept.
WriteReport RereadOutOfDateIndex(Database& db) {
  const int32_t chapter = db.chapterTable.empty()
                              ? kAllRecipes
                              : db.chapterTable[static_cast<size_t>(db.currentChapterRow)].number;
  const int32_t position = db.listPosition;
  ScanRecords(db);
  FindChapterRow(db, chapter);
  ReopenCurrentList(db, position);
  return {WriteOutcome::kIndexOutOfDate, 0};
}

std::vector<int32_t> OffsetsOf(const Database& db, const std::vector<int32_t>& items) {
  std::vector<int32_t> offsets;
  for (int32_t item : items) offsets.push_back(db.recipeList[static_cast<size_t>(item)]);
  return offsets;
}

}  // namespace

std::string WriteReportMessage(const WriteReport& report) {
  switch (report.outcome) {
    case WriteOutcome::kDone:
      return "";
    case WriteOutcome::kNothingTicked:
      return "No recipes have been selected!";
    case WriteOutcome::kFileBusy:
      return "The recipe file cannot be written just now.||Nothing was changed.";
    case WriteOutcome::kIndexOutOfDate:
      return "The recipe list did not match the recipe file|and has been read again from it.||"
             "Nothing was changed: please look at the list|and try again.";
    case WriteOutcome::kSomeNotStored:
      return std::to_string(report.notStored) +
             (report.notStored == 1 ? " recipe" : " recipes") +
             " could not be stored:|the recipe file could not be written|(is the disk full?)";
  }
  return "";
}

int32_t StoreNewRecordInChapter(Database& db, int32_t kind, int32_t chapterNumber) {
  const int32_t recipeId = db.nextRecipeId;
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kind);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, chapterNumber);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, recipeId);
  if (AppendRecord(db) < 0) return -1;
  ++db.nextRecipeId;
  SortIndex(db);
  BuildCurrentList(db);
  SelectRecipeById(db, recipeId);
  return recipeId;
}

WriteReport StoreEditedRecord(Database& db, int32_t listPosition) {
  if (listPosition < 0 || listPosition >= static_cast<int32_t>(db.recipeList.size()))
    return {WriteOutcome::kNothingTicked, 0};
  const int32_t o = db.recipeList[static_cast<size_t>(listPosition)];
  const int32_t oldPosition = EntryPosition(db, o);
  const int32_t recipeId = EntryRecipeId(db, o);
  {
    DataFile file = OpenDataFile("i", db.paths.recipeFile);
    if (!file.IsOpen()) return {WriteOutcome::kFileBusy, 0};
    if (!EntriesNameTheirRecords(db, file, {o})) {
      CloseDataFile(file);
      return RereadOutOfDateIndex(db);
    }
  }
  SetI32(db.recordHeaderBuffer, header::kRecipeId, recipeId);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, EntryChapter(db, o));
  SetU8(db.recordHeaderBuffer, header::kSearchMark, EntrySearchFlag(db, o));
  if (AppendRecord(db) < 0) return {WriteOutcome::kSomeNotStored, 1};
  SetEntryKind(db, o, kKindDeleted);
  {
    DataFile file = OpenDataFile("u", db.paths.recipeFile);
    MarkRecordDeleted(db, file, oldPosition);
  }
  SortIndex(db);
  BuildCurrentList(db);
  SelectRecipeById(db, recipeId);
  return {};
}

WriteReport DeleteEntries(Database& db, const std::vector<int32_t>& offsets) {
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  if (!file.IsOpen()) return {WriteOutcome::kFileBusy, 0};
  if (!EntriesNameTheirRecords(db, file, offsets)) {
    CloseDataFile(file);
    return RereadOutOfDateIndex(db);
  }
  for (size_t i = 0; i < offsets.size(); ++i) {
    db.progress->ShowProgress("Deleting Recipes", "", static_cast<int64_t>(i),
                              static_cast<int64_t>(offsets.size()));
    SetEntryKind(db, offsets[i], kKindDeleted);
    MarkRecordDeleted(db, file, EntryPosition(db, offsets[i]));
    db.progress->PumpMessages(0);
  }
  CloseDataFile(file);
  db.progress->CloseProgress();
  SortIndex(db);
  return {};
}

std::vector<int32_t> TickedItems(const Database& db) {
  std::vector<int32_t> ticked;
  for (size_t i = 0; i < db.selectionFlags.size() && i < db.recipeList.size(); ++i)
    if (db.selectionFlags[i]) ticked.push_back(static_cast<int32_t>(i));
  return ticked;
}

WriteReport DeleteTickedRecipes(Database& db) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.empty()) return {WriteOutcome::kNothingTicked, 0};
  WriteReport report = DeleteEntries(db, OffsetsOf(db, ticked));
  if (report.Done()) ReopenCurrentList(db, PositionAfterRemoving(ticked));
  return report;
}

WriteReport MoveTickedRecipes(Database& db, int32_t targetChapter) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.empty()) return {WriteOutcome::kNothingTicked, 0};
  const std::vector<int32_t> offsets = OffsetsOf(db, ticked);
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  if (!file.IsOpen()) return {WriteOutcome::kFileBusy, 0};
  if (!EntriesNameTheirRecords(db, file, offsets)) {
    CloseDataFile(file);
    return RereadOutOfDateIndex(db);
  }
  WriteReport report;
  for (size_t i = 0; i < offsets.size(); ++i) {
    db.progress->ShowProgress("Moving Recipes", "", static_cast<int64_t>(i),
                              static_cast<int64_t>(offsets.size()));
    // The one change made in place: only the chapter number is rewritten.
    uint8_t number[2] = {static_cast<uint8_t>(targetChapter), static_cast<uint8_t>(targetChapter >> 8)};
    SeekFile(file, int64_t{EntryPosition(db, offsets[i])} + header::kChapterNumber);
    if (!WriteRaw(file, number, sizeof number)) {
      report = {WriteOutcome::kSomeNotStored, static_cast<int32_t>(offsets.size() - i)};
      break;
    }
    SetEntryChapter(db, offsets[i], targetChapter);
    db.progress->PumpMessages(0);
  }
  CloseDataFile(file);
  db.progress->CloseProgress();
  SortIndex(db);
  ReopenCurrentList(db, PositionAfterRemoving(ticked));
  return report;
}

WriteReport CopyTickedRecipes(Database& db, int32_t targetChapter) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.empty()) return {WriteOutcome::kNothingTicked, 0};
  // Appending grows the index, so the positions are taken first.
  const std::vector<int32_t> offsets = OffsetsOf(db, ticked);
  {
    DataFile file = OpenDataFile("i", db.paths.recipeFile);
    if (!file.IsOpen()) return {WriteOutcome::kFileBusy, 0};
    if (!EntriesNameTheirRecords(db, file, offsets)) {
      CloseDataFile(file);
      return RereadOutOfDateIndex(db);
    }
  }
  std::vector<int32_t> positions;
  for (int32_t o : offsets) positions.push_back(EntryPosition(db, o));
  WriteReport report;
  for (size_t i = 0; i < positions.size(); ++i) {
    db.progress->ShowProgress("Copying Recipes", "", static_cast<int64_t>(i),
                              static_cast<int64_t>(positions.size()));
    bool stored = false;
    if (LoadRecord(db, positions[i])) {
      SetU16(db.recordHeaderBuffer, header::kChapterNumber, targetChapter);
      SetI32(db.recordHeaderBuffer, header::kRecipeId, db.nextRecipeId);
      SetU8(db.recordHeaderBuffer, header::kSearchMark, 0);
      stored = AppendRecord(db) >= 0;
    }
    if (stored) {
      ++db.nextRecipeId;
    } else {
      ++report.notStored;
    }
    db.progress->PumpMessages(0);
  }
  db.progress->CloseProgress();
  if (report.notStored > 0) report.outcome = WriteOutcome::kSomeNotStored;
  SortIndex(db);
  ReopenCurrentList(db, db.listPosition);
  return report;
}

}  // namespace tovalia
