#include "db/record_operations.h"

#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"

namespace tovalia {

int32_t AddChapter(Database& db, std::string_view name) {
  const int32_t number = db.nextChapterNumber;
  ClearCurrentRecord(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindChapter);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, number);
  SetCurrentTitle(db, name);
  if (AppendRecord(db) < 0) return -1;
  SortIndex(db);
  FindChapterRow(db, number);
  return number;
}

int32_t StoreNewRecordInChapter(Database& db, int32_t kind, int32_t chapterNumber) {
  const int32_t recipeId = db.nextRecipeId;
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kind);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, chapterNumber);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, recipeId);
  if (AppendRecord(db) < 0) return -1;
  ++db.nextRecipeId;
  SortIndex(db);
  return recipeId;
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

}  // namespace tovalia
