#include "db/recipe_lists.h"

#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

bool InView(const Database& db, int32_t o, int32_t chapterNumber) {
  switch (chapterNumber) {
    case kAllRecipes:
      return true;
    case kSearchResults:
      return EntrySearchFlag(db, o) != 0;
    case kRecipesSelectedForMeals:
      return db.mealPlanHoldsRecipe && db.mealPlanHoldsRecipe(EntryRecipeId(db, o));
    case kRecipesWithPhotos:
      return EntryHasPhoto(db, o) > 0;
    default:
      return EntryChapter(db, o) == chapterNumber;
  }
}

}  // namespace

void BuildRecipeList(Database& db, int32_t chapterNumber) {
  db.recipeList.clear();
  db.selectionFlags.clear();
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    int32_t kind = EntryKind(db, o);
    if ((kind == kKindRecipe || kind == kKindTextRecord) && InView(db, o, chapterNumber))
      db.recipeList.push_back(o);
    db.progress->PumpMessages(0);
  }
  db.recipeList.shrink_to_fit();
  db.selectionFlags.assign(db.recipeList.size(), 0);
}

int32_t FindChapterRow(Database& db, int32_t chapterNumber) {
  db.currentChapterRow = 0;
  for (size_t row = 0; row < db.chapterTable.size(); ++row) {
    if (db.chapterTable[row].number == chapterNumber) {
      db.currentChapterRow = static_cast<int32_t>(row);
      break;
    }
  }
  return db.currentChapterRow;
}

std::string ChapterName(const Database& db, int32_t chapterNumber) {
  for (const ChapterRow& row : db.chapterTable) {
    if (row.number == chapterNumber) return row.name;
  }
  return {};
}

int32_t FindEntryByRecipeId(const Database& db, int32_t recipeId) {
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    int32_t kind = EntryKind(db, o);
    if ((kind == kKindRecipe || kind == kKindTextRecord) && EntryRecipeId(db, o) == recipeId)
      return o;
  }
  return -1;
}

}  // namespace tovalia
