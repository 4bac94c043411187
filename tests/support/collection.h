// Builds small collections through the real record operations, so tests
// start from files exactly as the program writes them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/database.h"
#include "support/temp_folder.h"

namespace tovalia::testing {

class Collection {
 public:
  Collection();
  Database& db() { return *db_; }
  const TempFolder& folder() const { return folder_; }

  // Each appends one record (no sort) and returns its position.
  int32_t AppendChapter(int32_t number, const std::string& name);
  int32_t AppendRecipe(int32_t recipeId, int32_t chapter, const std::string& title,
                       const std::string& ingredients = "", const std::string& directions = "",
                       int32_t kind = 0, int32_t photoBytes = 0);

  // A recipe with a photo: `bmp` is the stored image, byte for byte.
  int32_t AppendRecipeWithPhoto(int32_t recipeId, int32_t chapter, const std::string& title,
                                const std::string& ingredients, const std::string& directions,
                                const std::vector<uint8_t>& bmp);

  // A fresh database over the same folder, as the next start would see it.
  void Reopen();

 private:
  // The current record as a recipe or text with those fields and 4 servings.
  void FillRecipe(int32_t recipeId, int32_t chapter, const std::string& title, const std::string& ingredients,
                  const std::string& directions, int32_t kind);

  TempFolder folder_;
  std::unique_ptr<Database> db_;
};

}  // namespace tovalia::testing
