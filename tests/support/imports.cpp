#include "support/imports.h"

#include <algorithm>
#include <filesystem>

#include "db/byte_buffer.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"

namespace tovalia::testing {

void AddImportChapter(Collection& c) {
  c.AppendChapter(1, "Imported");
  SortIndex(c.db());
  FindChapterRow(c.db(), 1);
}

ImportOutcome ImportText(Collection& c, const std::string& text, ImportWay way, bool byCategory) {
  const std::string path = c.folder().File("source.txt");
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
  ImportRequest request;
  request.sourcePath = path;
  request.way = way;
  request.sortByCategory = byCategory;
  return RunImport(c.db(), request, [] { return std::string("Asked"); });
}

ImportOutcome ImportFile(Collection& c, const std::string& path) {
  ImportRequest request;
  request.sourcePath = path;
  return RunImport(c.db(), request, [] { return std::string("Untitled"); });
}

std::vector<StoredRecord> StoredRecords(Collection& c) {
  Database& db = c.db();
  std::vector<std::pair<int32_t, StoredRecord>> records;
  BuildRecipeList(db, kAllRecipes);
  for (int32_t o : db.recipeList) {
    if (!LoadRecord(db, EntryPosition(db, o))) continue;
    const ByteBuffer& h = db.recordHeaderBuffer;
    StoredRecord r{GetBytes(db.titleBuffer, 0, GetU8(h, header::kTitleLength)),
                   GetU8(h, header::kRecordKind),
                   GetU8(h, header::kServings),
                   GetBytes(db.ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength)),
                   GetBytes(db.directionsBuffer, 0, GetI32(h, header::kDirectionsLength)),
                   GetI32(h, header::kPhotoLength)};
    records.emplace_back(GetI32(h, header::kRecipeId), std::move(r));
  }
  std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<StoredRecord> ordered;
  for (auto& [id, record] : records) ordered.push_back(std::move(record));
  return ordered;
}

std::string CorpusFile(const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(TOVALIA_CORPUS_DIR) / name;
  return std::filesystem::exists(path) ? path.string() : std::string();
}

}  // namespace tovalia::testing
