// The recipe database's program-wide state: the current record's buffers,
// the in-memory title index, the chapter table, the current view and the
// dead-space counter. One instance serves the whole program; tests make
// their own over a temporary data folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "db/byte_buffer.h"
#include "db/data_paths.h"
#include "ui/progress.h"

namespace tovalia {

// Reserved views that head the chapter table.
inline constexpr int32_t kAllRecipes = -1;
inline constexpr int32_t kSearchResults = -2;
inline constexpr int32_t kRecipesSelectedForMeals = -3;
inline constexpr int32_t kRecipesWithPhotos = -4;
inline constexpr int32_t kReservedChapterRows = 4;

struct ChapterRow {
  int32_t position = 0;  // record position; reserved rows hold their own number
  int32_t number = 0;
  std::string name;
};

struct Database {
  explicit Database(DataPaths dataPaths);

  DataPaths paths;
  Progress* progress;  // never null; silent until a front end sets its own

  // The current record.
  ByteBuffer recordHeaderBuffer;
  ByteBuffer titleBuffer;
  ByteBuffer ingredientsBuffer;
  ByteBuffer directionsBuffer;
  ByteBuffer photoBuffer;

  // The title index: entries packed back to back in indexBuffer, whose
  // block may be larger than the indexSize bytes in use.
  ByteBuffer indexBuffer;
  int32_t indexSize = 0;
  bool indexChanged = false;

  std::vector<ChapterRow> chapterTable;
  int32_t recipeCount = 0;
  int32_t nextRecipeId = 1;
  int32_t nextChapterNumber = 1;

  // The current view.
  int32_t currentChapterRow = 0;
  int32_t firstVisibleChapterRow = 0;
  int32_t listPosition = 0;
  int32_t firstVisibleTitle = 0;
  std::vector<int32_t> recipeList;      // index offsets, in title order
  std::vector<uint8_t> selectionFlags;  // one per list item

  int32_t wastedBytes = 0;

  // Answers whether the meal calendar holds a recipe; it backs the view
  // "Recipes Selected For Meals" and is empty until a calendar is attached.
  std::function<bool(int32_t recipeId)> mealPlanHoldsRecipe;
  // Reads the meal calendar again; run before that view is built.
  std::function<void()> reloadMealPlan;
};

}  // namespace tovalia
