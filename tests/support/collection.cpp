#include "support/collection.h"

#include "db/record_format.h"
#include "db/record_store.h"

namespace tovalia::testing {

Collection::Collection() { Reopen(); }

void Collection::Reopen() { db_ = std::make_unique<Database>(DataPaths::ForDataFolder(folder_.Path())); }

int32_t Collection::AppendChapter(int32_t number, const std::string& name) {
  ClearCurrentRecord(*db_);
  SetU8(db_->recordHeaderBuffer, header::kRecordKind, kKindChapter);
  SetU16(db_->recordHeaderBuffer, header::kChapterNumber, number);
  SetCurrentTitle(*db_, name);
  return AppendRecord(*db_);
}

void Collection::FillRecipe(int32_t recipeId, int32_t chapter, const std::string& title,
                            const std::string& ingredients, const std::string& directions, int32_t kind) {
  ClearCurrentRecord(*db_);
  SetU8(db_->recordHeaderBuffer, header::kRecordKind, kind);
  SetI32(db_->recordHeaderBuffer, header::kRecipeId, recipeId);
  SetU16(db_->recordHeaderBuffer, header::kChapterNumber, chapter);
  SetU8(db_->recordHeaderBuffer, header::kServings, 4);
  SetCurrentTitle(*db_, title);
  SetCurrentIngredients(*db_, ingredients);
  SetCurrentDirections(*db_, directions);
}

int32_t Collection::AppendRecipe(int32_t recipeId, int32_t chapter, const std::string& title,
                                 const std::string& ingredients, const std::string& directions,
                                 int32_t kind, int32_t photoBytes) {
  FillRecipe(recipeId, chapter, title, ingredients, directions, kind);
  if (photoBytes > 0) {
    CreateBuffer(photoBytes, db_->photoBuffer);
    PutBytes(db_->photoBuffer, 0, "BM");
    SetI32(db_->recordHeaderBuffer, header::kPhotoLength, photoBytes);
  }
  return AppendRecord(*db_);
}

int32_t Collection::AppendRecipeWithPhoto(int32_t recipeId, int32_t chapter, const std::string& title,
                                          const std::string& ingredients, const std::string& directions,
                                          const std::vector<uint8_t>& bmp) {
  FillRecipe(recipeId, chapter, title, ingredients, directions, kKindRecipe);
  CreateBuffer(static_cast<int32_t>(bmp.size()), db_->photoBuffer);
  PutBytes(db_->photoBuffer, 0, std::string(bmp.begin(), bmp.end()));
  SetI32(db_->recordHeaderBuffer, header::kPhotoLength, static_cast<int32_t>(bmp.size()));
  return AppendRecord(*db_);
}

}  // namespace tovalia::testing
