#include "db/maintenance.h"

#include <string_view>
#include <vector>

#include "db/data_file.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

// Copies every indexed record from the open old file to the new one and
// collects the new positions; false at the first record that cannot be
// read back whole.
bool CopyIndexedRecords(Database& db, DataFile& from, DataFile& to,
                        std::vector<int32_t>& newPositions) {
  constexpr size_t kFlushAt = 4 << 20;
  const int64_t oldLength = FileLength(from);
  std::vector<uint8_t> pending;
  pending.reserve(kFlushAt + (1 << 17));
  std::vector<uint8_t> record;
  int64_t written = kRecordHeaderSize;

  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    db.progress->ShowProgress("Updating Records", "", o, db.indexSize);
    db.progress->PumpMessages(0);
    const int64_t position = EntryPosition(db, o);
    uint8_t h[kRecordHeaderSize];
    SeekFile(from, position);
    if (ReadRaw(from, h, kRecordHeaderSize) != kRecordHeaderSize) return false;
    // The scan that built this index checked each record; checking again
    // guards against the file having changed since.
    if (!CheckRecordHeader(h, position, oldLength).whole) return false;
    const int32_t size = LoadI32(h + header::kRecordSize);
    record.resize(static_cast<size_t>(size));
    std::copy(h, h + kRecordHeaderSize, record.begin());
    const int32_t rest = size - kRecordHeaderSize;
    if (ReadRaw(from, record.data() + kRecordHeaderSize, rest) != rest) return false;
    if (written + size > INT32_MAX) return false;
    newPositions.push_back(static_cast<int32_t>(written));
    written += size;
    pending.insert(pending.end(), record.begin(), record.end());
    if (pending.size() >= kFlushAt) {
      if (!WriteRaw(to, pending.data(), pending.size())) return false;
      pending.clear();
    }
  }
  return WriteRaw(to, pending.data(), pending.size());
}

void WriteFreshFileHeader(DataFile& file) {
  uint8_t h[kRecordHeaderSize];
  WriteFileHeaderBytes(h);
  SeekFile(file, 0);
  WriteRaw(file, h, kRecordHeaderSize);
}

}  // namespace

bool CompactDatabase(Database& db) {
  ScanRecords(db);
  if (db.indexSize == 0) {
    db.wastedBytes = 0;
    return true;
  }

  std::vector<int32_t> newPositions;
  bool copied;
  {
    DataFile from = OpenDataFile("i", db.paths.recipeFile);
    DataFile to = OpenDataFile("o", db.paths.backupFile);
    copied = from.IsOpen() && to.IsOpen();
    if (copied) {
      WriteFreshFileHeader(to);
      copied = CopyIndexedRecords(db, from, to, newPositions) && SyncDataFile(to);
    }
  }
  db.progress->CloseProgress();
  if (!copied) {
    DeleteDataFile(db.paths.backupFile);
    return false;
  }

  // Without an index file the next start rescans whichever recipe file it
  // finds, so no crash from here on can pair an index with the wrong file.
  DeleteDataFile(db.paths.indexFile);
  if (!RenameDataFile(db.paths.backupFile, db.paths.recipeFile)) {
    DeleteDataFile(db.paths.backupFile);
    SaveIndex(db);
    return false;
  }
  SyncFolderOf(db.paths.recipeFile);

  size_t i = 0;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) SetEntryPosition(db, o, newPositions[i++]);
  SaveIndex(db);
  RebuildChapterTable(db);
  db.wastedBytes = 0;
  return true;
}

bool FileHeaderIsCurrent(const Database& db) {
  DataFile file = OpenDataFile("i", db.paths.recipeFile);
  uint8_t h[kRecordHeaderSize] = {};
  return FileLength(file) > kRecordHeaderSize &&
         ReadRaw(file, h, kRecordHeaderSize) == kRecordHeaderSize &&
         h[header::kRecordKind] == kKindFileHeader;
}

int32_t CountDamagedEntries(const Database& db) {
  if (db.indexSize == 0) return 0;
  MappedFile file;
  file.Open(db.paths.recipeFile);
  int32_t damaged = 0;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    const int64_t position = EntryPosition(db, o);
    if (position < 0 || position + kRecordHeaderSize > file.Size()) {
      ++damaged;
      continue;
    }
    const uint8_t* h = file.Data() + position;
    const bool sound =
        CheckRecordHeader(h, position, file.Size()).loadable &&
        h[header::kRecordKind] == EntryKind(db, o) &&
        LoadI32(h + header::kRecipeId) == EntryRecipeId(db, o) &&
        LoadU16(h + header::kChapterNumber) == EntryChapter(db, o) &&
        std::string_view(reinterpret_cast<const char*>(h + kRecordHeaderSize),
                         h[header::kTitleLength]) == EntryTitle(db, o);
    if (!sound) ++damaged;
  }
  return damaged;
}

HeaderCheckOutcome CheckFileHeader(Database& db) {
  if (!FileExists(db.paths.recipeFile)) return HeaderCheckOutcome::kNoRecipeFile;
  const bool current = FileHeaderIsCurrent(db);
  if (!current) {
    CompactDatabase(db);
    return HeaderCheckOutcome::kCompacted;
  }
  DataFile file = OpenDataFile("u", db.paths.recipeFile);
  WriteFreshFileHeader(file);
  return HeaderCheckOutcome::kHeaderRewritten;
}

}  // namespace tovalia
