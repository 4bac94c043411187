// Storing, deleting, moving and copying recipes and text records. Each
// leaves the index sorted and saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

namespace tovalia {

// Stores the current record buffers (title, texts, servings already set) as a
// new recipe or text record in the chapter, with the next free RecipeId.
// Returns that id, or -1 when it could not be stored.
int32_t StoreNewRecordInChapter(Database& db, int32_t kind, int32_t chapterNumber);

// What a write to records found through the index came to.
enum class WriteOutcome {
  kDone,
  kNothingTicked,
  kFileBusy,        // the recipe file could not be opened for writing
  kIndexOutOfDate,  // an entry no longer named its record: the index was
                    // rebuilt from the file and nothing was written
  kSomeNotStored,   // some records could not be written (copying)
};

struct WriteReport {
  WriteOutcome outcome = WriteOutcome::kDone;
  int32_t notStored = 0;  // with kSomeNotStored
  bool Done() const { return outcome == WriteOutcome::kDone; }
};

// The words for the user ("|" between lines); empty for kDone.
std::string WriteReportMessage(const WriteReport& report);

// Stores the current record buffers as the replacing copy of the list
// item's record: same RecipeId, chapter and search flag; the old copy is
// flagged deleted. Rebuilds the current list and selects the record.
WriteReport StoreEditedRecord(Database& db, int32_t listPosition);

// Deletes the records behind these index offsets: their entries become kind
// 3 and their records are flagged deleted in the file. Nothing is changed
// unless every entry still names its record.
WriteReport DeleteEntries(Database& db, const std::vector<int32_t>& offsets);

// The ticked items of the current list, in list order.
std::vector<int32_t> TickedItems(const Database& db);

// The operations on the ticked items of the current list. Afterwards the
// current chapter's list is rebuilt with one item selected: for deleting and
// moving, the item before the first ticked one after the top.
WriteReport DeleteTickedRecipes(Database& db);
WriteReport MoveTickedRecipes(Database& db, int32_t targetChapter);
WriteReport CopyTickedRecipes(Database& db, int32_t targetChapter);

}  // namespace tovalia
