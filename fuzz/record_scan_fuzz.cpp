// The input is a whole Recipe34.dat. It is scanned, every listed record is
// loaded, every view is built, and the file is compacted and a record
// deleted; the checks tie the scanner, the loader and compaction together.
#include <cstdint>
#include <vector>

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "fuzz_support.h"

namespace tovalia {
namespace {

std::vector<int32_t> EntryOffsets(const Database& db) {
  std::vector<int32_t> offsets;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) offsets.push_back(o);
  return offsets;
}

// Loads the entry's record and checks it is the record the entry describes.
// Returns the record's size.
int32_t LoadEntryRecord(Database& db, int32_t o) {
  FUZZ_CHECK(LoadRecord(db, EntryPosition(db, o)));
  const ByteBuffer& h = db.recordHeaderBuffer;
  FUZZ_CHECK(GetI32(h, header::kRecipeId) == EntryRecipeId(db, o));
  FUZZ_CHECK(GetU8(h, header::kRecordKind) == EntryKind(db, o));
  FUZZ_CHECK(GetBytes(db.titleBuffer, 0, GetU8(h, header::kTitleLength)) == EntryTitle(db, o));
  return GetI32(h, header::kRecordSize);
}

int64_t LengthOf(const std::string& path) {
  DataFile file = OpenDataFile("i", path);
  FUZZ_CHECK(file.IsOpen());
  return FileLength(file);
}

}  // namespace
}  // namespace tovalia

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const DataPaths paths = DataPaths::ForDataFolder(fuzz::ScratchFolder());
  fuzz::WriteBytes(paths.recipeFile, data, size);

  Database db(paths);
  ScanRecords(db);
  const std::vector<int32_t> entries = EntryOffsets(db);
  int64_t liveBytes = 0;
  for (int32_t o : entries) {
    const int64_t position = EntryPosition(db, o);
    FUZZ_CHECK(position >= 0 && position + kRecordHeaderSize <= static_cast<int64_t>(size));
    // The scan lists only records the loader accepts whole.
    liveBytes += LoadEntryRecord(db, o);
  }

  for (size_t row = 0; row < db.chapterTable.size(); ++row) {
    BuildRecipeList(db, db.chapterTable[row].number);
    FUZZ_CHECK(db.selectionFlags.size() == db.recipeList.size());
  }
  BuildRecipeList(db, kAllRecipes);
  FUZZ_CHECK(static_cast<int32_t>(db.recipeList.size()) == db.recipeCount);

  // An index the scan has just built must not be taken for a stale one, or
  // every start would rescan the file.
  FUZZ_CHECK(ValidateIndex(db));
  FUZZ_CHECK(EntryOffsets(db) == entries);

  FUZZ_CHECK(CompactDatabase(db));
  FUZZ_CHECK(EntryOffsets(db) == entries);
  // With nothing live, compaction leaves the file alone, so the layout
  // checks only apply when it was rewritten.
  if (!entries.empty()) {
    FUZZ_CHECK(LengthOf(paths.recipeFile) == kRecordHeaderSize + liveBytes);
    // The positions the index was given must be where the records now are.
    for (int32_t o : entries) LoadEntryRecord(db, o);
    Database fresh(paths);
    ScanRecords(fresh);
    FUZZ_CHECK(EntryOffsets(fresh).size() == entries.size());
  }

  const int32_t victim = entries.empty() ? -1 : entries[entries.size() / 2];
  const int32_t victimSize = victim >= 0 ? LoadEntryRecord(db, victim) : 0;
  {
    DataFile file = OpenDataFile("u", paths.recipeFile);
    FUZZ_CHECK(file.IsOpen());
    FUZZ_CHECK(!MarkRecordDeleted(db, file, -1));
    FUZZ_CHECK(!MarkRecordDeleted(db, file, FileLength(file)));
    if (victim >= 0) {
      const int32_t wastedBefore = db.wastedBytes;
      FUZZ_CHECK(MarkRecordDeleted(db, file, EntryPosition(db, victim)));
      FUZZ_CHECK(db.wastedBytes == wastedBefore + victimSize);
      // A second delete must not count the same dead space again.
      FUZZ_CHECK(!MarkRecordDeleted(db, file, EntryPosition(db, victim)));
      FUZZ_CHECK(db.wastedBytes == wastedBefore + victimSize);
    } else {
      MarkRecordDeleted(db, file, 0);
    }
  }
  if (victim >= 0) {
    ScanRecords(db);
    FUZZ_CHECK(EntryOffsets(db).size() == entries.size() - 1);
  }
  return 0;
}
