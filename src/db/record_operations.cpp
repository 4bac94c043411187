#include "db/record_operations.h"

#include <algorithm>

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

}  // namespace

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

bool StoreEditedRecord(Database& db, int32_t listPosition) {
  if (listPosition < 0 || listPosition >= static_cast<int32_t>(db.recipeList.size())) return false;
  const int32_t o = db.recipeList[static_cast<size_t>(listPosition)];
  const int32_t oldPosition = EntryPosition(db, o);
  const int32_t recipeId = EntryRecipeId(db, o);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, recipeId);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, EntryChapter(db, o));
  SetU8(db.recordHeaderBuffer, header::kSearchMark, EntrySearchFlag(db, o));
  if (AppendRecord(db) < 0) return false;
  SetEntryKind(db, o, kKindDeleted);
  {
    DataFile file = OpenDataFile("u", db.paths.recipeFile);
    MarkRecordDeleted(db, file, oldPosition);
  }
  SortIndex(db);
  BuildCurrentList(db);
  SelectRecipeById(db, recipeId);
  return true;
}

bool DeleteEntries(Database& db, const std::vector<int32_t>& offsets) {
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  if (!file.IsOpen()) return false;
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
  return true;
}

std::vector<int32_t> TickedItems(const Database& db) {
  std::vector<int32_t> ticked;
  for (size_t i = 0; i < db.selectionFlags.size() && i < db.recipeList.size(); ++i)
    if (db.selectionFlags[i]) ticked.push_back(static_cast<int32_t>(i));
  return ticked;
}

bool DeleteTickedRecipes(Database& db) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.empty()) return false;
  std::vector<int32_t> offsets;
  for (int32_t item : ticked) offsets.push_back(db.recipeList[static_cast<size_t>(item)]);
  if (!DeleteEntries(db, offsets)) return false;
  ReopenCurrentList(db, PositionAfterRemoving(ticked));
  return true;
}

bool MoveTickedRecipes(Database& db, int32_t targetChapter) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.empty()) return false;
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  if (!file.IsOpen()) return false;
  for (size_t i = 0; i < ticked.size(); ++i) {
    db.progress->ShowProgress("Moving Recipes", "", static_cast<int64_t>(i),
                              static_cast<int64_t>(ticked.size()));
    const int32_t o = db.recipeList[static_cast<size_t>(ticked[i])];
    // The one change made in place: only the chapter number is rewritten.
    uint8_t number[2] = {static_cast<uint8_t>(targetChapter), static_cast<uint8_t>(targetChapter >> 8)};
    SeekFile(file, int64_t{EntryPosition(db, o)} + header::kChapterNumber);
    if (!WriteRaw(file, number, sizeof number)) break;
    SetEntryChapter(db, o, targetChapter);
    db.progress->PumpMessages(0);
  }
  CloseDataFile(file);
  db.progress->CloseProgress();
  SortIndex(db);
  ReopenCurrentList(db, PositionAfterRemoving(ticked));
  return true;
}

bool CopyTickedRecipes(Database& db, int32_t targetChapter) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.empty()) return false;
  // Appending grows the index, so the offsets are taken first.
  std::vector<int32_t> positions;
  for (int32_t item : ticked) positions.push_back(EntryPosition(db, db.recipeList[static_cast<size_t>(item)]));
  for (size_t i = 0; i < positions.size(); ++i) {
    db.progress->ShowProgress("Copying Recipes", "", static_cast<int64_t>(i),
                              static_cast<int64_t>(positions.size()));
    if (!LoadRecord(db, positions[i])) continue;
    SetU16(db.recordHeaderBuffer, header::kChapterNumber, targetChapter);
    SetI32(db.recordHeaderBuffer, header::kRecipeId, db.nextRecipeId);
    SetU8(db.recordHeaderBuffer, header::kSearchMark, 0);
    if (AppendRecord(db) >= 0) ++db.nextRecipeId;
    db.progress->PumpMessages(0);
  }
  db.progress->CloseProgress();
  SortIndex(db);
  ReopenCurrentList(db, db.listPosition);
  return true;
}

}  // namespace tovalia
