#include "db/chapter_operations.h"

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

int32_t CurrentChapterNumber(const Database& db) {
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  return row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes;
}

// After a chapter command: the list of the current row from its top, with
// its first item selected.
void OpenCurrentRowFromTheTop(Database& db) {
  db.listPosition = 0;
  db.firstVisibleTitle = 0;
  BuildCurrentList(db);
  SelectOnly(db, 0);
}

}  // namespace

int32_t RecipesInChapter(const Database& db, int32_t chapterNumber) {
  int32_t count = 0;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    int32_t kind = EntryKind(db, o);
    if ((kind == kKindRecipe || kind == kKindTextRecord) && EntryChapter(db, o) == chapterNumber)
      ++count;
  }
  return count;
}

int32_t AddChapter(Database& db, std::string_view name) {
  const int32_t number = db.nextChapterNumber;
  ClearCurrentRecord(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindChapter);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, number);
  SetCurrentTitle(db, name);
  if (AppendRecord(db) < 0) return -1;
  SortIndex(db);
  FindChapterRow(db, number);
  OpenCurrentRowFromTheTop(db);
  return number;
}

bool RenameChapter(Database& db, std::string_view name) {
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  if (row >= db.chapterTable.size() || db.chapterTable[row].number < 0) return false;
  if (!LoadRecord(db, db.chapterTable[row].position)) return false;
  const int32_t number = GetU16(db.recordHeaderBuffer, header::kChapterNumber);
  SetCurrentTitle(db, name);
  const int32_t oldPosition = db.chapterTable[row].position;
  if (AppendRecord(db) < 0) return false;
  {
    DataFile file = OpenDataFile("u", db.paths.recipeFile);
    MarkRecordDeleted(db, file, oldPosition);
  }
  // The first chapter entry of that number is the old one: the new entry
  // was appended at the end.
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    if (EntryKind(db, o) == kKindChapter && EntryChapter(db, o) == number) {
      SetEntryKind(db, o, kKindDeleted);
      break;
    }
  }
  SortIndex(db);
  FindChapterRow(db, number);
  OpenCurrentRowFromTheTop(db);
  return true;
}

bool DeleteChapter(Database& db) {
  const int32_t number = CurrentChapterNumber(db);
  if (number < 0) return false;
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  if (!file.IsOpen()) return false;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    db.progress->ShowProgress("Deleting Chapter", "", o, db.indexSize);
    if (EntryKind(db, o) != kKindDeleted && EntryChapter(db, o) == number) {
      SetEntryKind(db, o, kKindDeleted);
      MarkRecordDeleted(db, file, EntryPosition(db, o));
    }
    db.progress->PumpMessages(0);
  }
  CloseDataFile(file);
  db.progress->CloseProgress();
  SortIndex(db);
  db.currentChapterRow = std::max(db.currentChapterRow - 1, 0);
  OpenCurrentRowFromTheTop(db);
  return true;
}

int32_t PurgeEmptyChapters(Database& db) {
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  if (!file.IsOpen()) return 0;
  int32_t purged = 0;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    db.progress->ShowProgress("Purging Empty Chapters", "", o, db.indexSize);
    if (EntryKind(db, o) == kKindChapter && RecipesInChapter(db, EntryChapter(db, o)) == 0) {
      SetEntryKind(db, o, kKindDeleted);
      MarkRecordDeleted(db, file, EntryPosition(db, o));
      ++purged;
    }
    db.progress->PumpMessages(0);
  }
  CloseDataFile(file);
  db.progress->CloseProgress();
  SortIndex(db);
  db.currentChapterRow = 0;
  db.firstVisibleChapterRow = 0;
  OpenCurrentRowFromTheTop(db);
  return purged;
}

int32_t FindChapters(Database& db, std::string_view text) {
  const std::string wanted = LowerCase(text);
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    int32_t kind = EntryKind(db, o);
    if (kind == kKindRecipe || kind == kKindTextRecord) SetEntrySearchFlag(db, o, 0);
  }
  int32_t found = 0;
  const int64_t rows = static_cast<int64_t>(db.chapterTable.size());
  for (int64_t row = 0; row < rows; ++row) {
    db.progress->ShowProgress("Searching Chapters", "", row, rows);
    if (db.progress->StopRequested()) break;
    const ChapterRow& chapter = db.chapterTable[static_cast<size_t>(row)];
    if (chapter.number < 0 || LowerCase(chapter.name).find(wanted) == std::string::npos) continue;
    for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
      int32_t kind = EntryKind(db, o);
      if ((kind == kKindRecipe || kind == kKindTextRecord) && EntryChapter(db, o) == chapter.number) {
        SetEntrySearchFlag(db, o, 1);
        ++found;
      }
    }
    db.progress->PumpMessages(0);
  }
  SaveIndex(db);
  FindChapterRow(db, kSearchResults);
  OpenCurrentRowFromTheTop(db);
  db.progress->CloseProgress();
  return found;
}

}  // namespace tovalia
