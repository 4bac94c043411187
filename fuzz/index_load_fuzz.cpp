// The input is an Index34.dat lying beside a small sound Recipe34.dat. The
// index is loaded, the chapter table and every view are walked, and the
// index is validated against the file; whatever the index says, nothing may
// read outside the data, and a rejected index must be rebuilt to the true one.
#include <cstdint>
#include <vector>

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "fuzz_support.h"

namespace tovalia {
namespace {

struct SoundFiles {
  std::vector<uint8_t> recipeFile;
  std::vector<uint8_t> index;
};

struct NewRecord {
  int32_t kind;
  int32_t chapterNumber;
  int32_t recipeId;
  const char* title;
  const char* ingredients;
  const char* directions;
  int32_t photoLength;
};

int32_t Append(Database& db, const NewRecord& r) {
  ClearCurrentRecord(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, r.kind);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, r.chapterNumber);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, r.recipeId);
  SetCurrentTitle(db, r.title);
  SetCurrentIngredients(db, r.ingredients);
  SetCurrentDirections(db, r.directions);
  if (r.photoLength > 0) {
    CreateBuffer(r.photoLength, db.photoBuffer);
    for (int32_t i = 0; i < r.photoLength; ++i) SetU8(db.photoBuffer, i, 0xA0 + i);
    SetI32(db.recordHeaderBuffer, header::kPhotoLength, r.photoLength);
  }
  const int32_t position = AppendRecord(db);
  FUZZ_CHECK(position >= 0);
  return position;
}

// Built once through the record API, so the file is laid out exactly as the
// program lays it out. fuzz/make_seeds.py writes the matching index seed.
SoundFiles BuildSoundFiles() {
  fuzz::ClearScratchFolder();
  const DataPaths paths = DataPaths::ForDataFolder(fuzz::ScratchFolder());
  uint8_t fileHeader[kRecordHeaderSize];
  WriteFileHeaderBytes(fileHeader);
  fuzz::WriteBytes(paths.recipeFile, fileHeader, sizeof fileHeader);

  Database db(paths);
  Append(db, {kKindChapter, 1, 0, "Soups", "", "", 0});
  Append(db, {kKindChapter, 2, 0, "Breads", "", "", 0});
  Append(db, {kKindRecipe, 1, 1, "Lentil Soup", "1 cup lentils\r\n4 cups water",
              "Simmer for 40 minutes.", 0});
  Append(db, {kKindRecipe, 2, 2, "Rye Bread", "3 cups rye flour", "Bake for an hour.", 24});
  Append(db, {kKindTextRecord, 0, 3, "Kitchen Notes", "", "Sharpen the knives.", 0});
  // An edited recipe: the old copy stays in the file, flagged as deleted.
  const int32_t oldCopyOffset = db.indexSize;
  const int32_t oldCopy =
      Append(db, {kKindRecipe, 2, 4, "Apple Cake", "4 apples", "Bake.", 0});
  {
    DataFile file = OpenDataFile("u", paths.recipeFile);
    FUZZ_CHECK(MarkRecordDeleted(db, file, oldCopy));
  }
  SetEntryKind(db, oldCopyOffset, kKindDeleted);
  Append(db, {kKindRecipe, 2, 4, "Apple Cake", "4 apples\r\n1 cup sugar", "Bake for 50 minutes.", 0});
  FUZZ_CHECK(SortIndex(db));
  return {fuzz::ReadBytes(paths.recipeFile), fuzz::ReadBytes(paths.indexFile)};
}

std::vector<uint8_t> IndexBytes(const Database& db) {
  if (db.indexSize <= 0) return {};
  return std::vector<uint8_t>(db.indexBuffer.Data(), db.indexBuffer.Data() + db.indexSize);
}

}  // namespace
}  // namespace tovalia

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  static const SoundFiles sound = BuildSoundFiles();
  fuzz::ClearScratchFolder();
  const DataPaths paths = DataPaths::ForDataFolder(fuzz::ScratchFolder());
  fuzz::WriteBytes(paths.recipeFile, sound.recipeFile.data(), sound.recipeFile.size());
  fuzz::WriteBytes(paths.indexFile, data, size);

  Database db(paths);
  LoadIndex(db);
  FUZZ_CHECK(db.indexSize >= 0 && static_cast<size_t>(db.indexSize) <= size);
  FUZZ_CHECK(db.chapterTable.size() >= kReservedChapterRows);
  for (size_t row = 0; row < db.chapterTable.size(); ++row) {
    const int32_t number = db.chapterTable[row].number;
    BuildRecipeList(db, number);
    FUZZ_CHECK(db.selectionFlags.size() == db.recipeList.size());
    // Rows may share a number in a damaged index; lookups find the first.
    const int32_t found = FindChapterRow(db, number);
    FUZZ_CHECK(found >= 0 && static_cast<size_t>(found) <= row);
    FUZZ_CHECK(db.chapterTable[found].number == number);
    FUZZ_CHECK(ChapterName(db, number) == db.chapterTable[found].name);
  }
  BuildRecipeList(db, kAllRecipes);
  FUZZ_CHECK(static_cast<int32_t>(db.recipeList.size()) == db.recipeCount);

  if (ValidateIndex(db)) {
    for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
      const int64_t position = EntryPosition(db, o);
      FUZZ_CHECK(position >= 0 &&
                 position + kRecordHeaderSize <= static_cast<int64_t>(sound.recipeFile.size()));
    }
  } else {
    // A rejected index is rebuilt from the file, so it must come out as the
    // index the program saved for that file.
    FUZZ_CHECK(IndexBytes(db) == sound.index);
  }
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) LoadRecord(db, EntryPosition(db, o));
  return 0;
}
