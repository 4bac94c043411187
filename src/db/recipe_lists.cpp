#include "db/recipe_lists.h"

#include <algorithm>

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
  if (chapterNumber == kRecipesSelectedForMeals && db.reloadMealPlan) db.reloadMealPlan();
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

void SelectOnly(Database& db, int32_t position) {
  const int32_t count = static_cast<int32_t>(db.recipeList.size());
  db.listPosition = count == 0 ? 0 : std::clamp(position, 0, count - 1);
  std::fill(db.selectionFlags.begin(), db.selectionFlags.end(), 0);
  if (count > 0) db.selectionFlags[static_cast<size_t>(db.listPosition)] = 1;
}

void SelectRange(Database& db, int32_t from, int32_t to) {
  const int32_t count = static_cast<int32_t>(db.selectionFlags.size());
  if (count == 0) return;
  from = std::clamp(from, 0, count - 1);
  to = std::clamp(to, 0, count - 1);
  for (int32_t i = std::min(from, to); i <= std::max(from, to); ++i) db.selectionFlags[static_cast<size_t>(i)] = 1;
}

void SelectRecipeById(Database& db, int32_t recipeId) {
  int32_t position = 0;
  for (size_t i = 0; i < db.recipeList.size(); ++i) {
    if (EntryRecipeId(db, db.recipeList[i]) == recipeId) {
      position = static_cast<int32_t>(i);
      break;
    }
  }
  SelectOnly(db, position);
}

void BuildCurrentList(Database& db) {
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  BuildRecipeList(db, row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes);
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
