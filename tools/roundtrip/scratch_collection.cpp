#include "roundtrip/scratch_collection.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "db/byte_buffer.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/import_command.h"
#include "platform/bmp_codec.h"

namespace tovalia::roundtrip {

namespace {

std::vector<uint8_t> PhotoFor(int32_t recipeId) {
  Image image;
  image.width = 2 + recipeId % 23;
  image.height = 1 + recipeId % 17;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.pixels.push_back(static_cast<uint32_t>(recipeId * 2654435761u + static_cast<uint32_t>(x * 977 + y * 131)) &
                             0xFFFFFF);
  return EncodeBmp24(image);
}

}  // namespace

ScratchCollection::ScratchCollection() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tovalia-roundtrip-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  folder_ = pattern + "/";
  db_ = std::make_unique<Database>(DataPaths::ForDataFolder(folder_));
}

ScratchCollection::~ScratchCollection() {
  db_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

int32_t ScratchCollection::Import(const std::string& path) {
  ImportRequest request;
  request.sourcePath = path;
  request.sortByCategory = true;
  return RunImport(*db_, request, [] { return std::string("Untitled"); }).result.stored;
}

void ScratchCollection::CopyFrom(Database& other, int photoEvery) {
  Database& db = *db_;
  for (const ChapterRow& row : other.chapterTable) {
    if (row.number <= 0) continue;
    ClearCurrentRecord(db);
    SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindChapter);
    SetU16(db.recordHeaderBuffer, header::kChapterNumber, row.number);
    SetCurrentTitle(db, row.name);
    AppendRecord(db);
  }
  int32_t copied = 0;
  for (int32_t entry : EntriesInStoredOrder(other)) {
    if (!LoadRecord(other, EntryPosition(other, entry))) continue;
    const ByteBuffer& from = other.recordHeaderBuffer;
    ClearCurrentRecord(db);
    ByteBuffer& to = db.recordHeaderBuffer;
    SetU8(to, header::kRecordKind, GetU8(from, header::kRecordKind));
    SetI32(to, header::kRecipeId, GetI32(from, header::kRecipeId));
    SetU16(to, header::kChapterNumber, GetU16(from, header::kChapterNumber));
    SetU8(to, header::kServings, GetU8(from, header::kServings));
    SetCurrentTitle(db, GetBytes(other.titleBuffer, 0, GetU8(from, header::kTitleLength)));
    SetCurrentIngredients(db, GetBytes(other.ingredientsBuffer, 0, GetI32(from, header::kIngredientsLength)));
    SetCurrentDirections(db, GetBytes(other.directionsBuffer, 0, GetI32(from, header::kDirectionsLength)));
    if (photoEvery > 0 && copied % photoEvery == 0) {
      const std::vector<uint8_t> photo = PhotoFor(GetI32(from, header::kRecipeId));
      CreateBuffer(static_cast<int32_t>(photo.size()), db.photoBuffer);
      std::copy(photo.begin(), photo.end(), db.photoBuffer.Data());
      SetI32(to, header::kPhotoLength, static_cast<int32_t>(photo.size()));
    }
    AppendRecord(db);
    ++copied;
  }
  SortIndex(db);
}

std::vector<int32_t> EntriesInStoredOrder(Database& db) {
  BuildRecipeList(db, kAllRecipes);
  std::vector<int32_t> entries = db.recipeList;
  std::stable_sort(entries.begin(), entries.end(),
                   [&db](int32_t a, int32_t b) { return EntryRecipeId(db, a) < EntryRecipeId(db, b); });
  return entries;
}

}  // namespace tovalia::roundtrip
