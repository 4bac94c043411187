#include "recipe/record_editing.h"

#include "db/byte_buffer.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_operations.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "recipe/editor_screen.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

constexpr char kStillInEditor[] = "||Your changes are still in the editor.";
constexpr int32_t kNewRecordServings = 4;

// Whether the list item still holds the record with that id.
bool ItemHolds(const Database& db, int32_t item, int32_t recipeId) {
  return item >= 0 && item < static_cast<int32_t>(db.recipeList.size()) &&
         EntryRecipeId(db, db.recipeList[static_cast<size_t>(item)]) == recipeId;
}

}  // namespace

void AddRecordInEditor(App& app, int32_t kind) {
  Database& db = app.db;
  const int32_t chapter = db.chapterTable[static_cast<size_t>(db.currentChapterRow)].number;
  ClearCurrentRecord(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kind);
  SetU8(db.recordHeaderBuffer, header::kServings, kNewRecordServings);
  bool unsaved = false;
  // A record that could not be stored goes back into the editor rather
  // than being lost.
  while (EditRecord(app, unsaved)) {
    if (StoreNewRecordInChapter(db, kind, chapter) >= 0) return;
    ShowNotice(app.ui, WriteReportMessage({WriteOutcome::kSomeNotStored, 1}) + kStillInEditor);
    unsaved = true;
  }
}

void EditCurrentRecord(App& app) {
  Database& db = app.db;
  if (db.recipeList.empty()) return;
  const int32_t entry = db.recipeList[static_cast<size_t>(db.listPosition)];
  const int32_t recipeId = EntryRecipeId(db, entry);
  if (!LoadRecord(db, EntryPosition(db, entry))) {
    ShowNotice(app.ui, "This recipe cannot be read from the recipe file.||Cleanup on the Help screen repairs it.");
    return;
  }
  bool unsaved = false;
  while (EditRecord(app, unsaved)) {
    const WriteReport report = StoreEditedRecord(db, db.listPosition);
    if (report.Done()) return;
    // The index was read again: find the record's item once more.
    if (report.outcome == WriteOutcome::kIndexOutOfDate) SelectRecipeById(db, recipeId);
    if (!ItemHolds(db, db.listPosition, recipeId)) {
      ShowNotice(app.ui, "This recipe is no longer in the collection;|your changes could not be stored.");
      return;
    }
    ShowNotice(app.ui, WriteReportMessage(report) + kStillInEditor);
    unsaved = true;
  }
  LoadRecord(db, EntryPosition(db, db.recipeList[static_cast<size_t>(db.listPosition)]));
}

}  // namespace tovalia
