#include "db/maintenance.h"

#include <string_view>
#include <vector>

#include "db/data_file.h"
#include "db/large_pages.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

// Copies every indexed record from the old file (read through a mapping:
// the records lie in any order) to the new one and collects the new
// positions; false at the first record that is not whole. The new file is
// handed to the disk as it grows, so that the flush at the end has little
// left to wait for.
bool CopyIndexedRecords(Database& db, const MappedFile& from, DataFile& to, LargeVector<int32_t>& newPositions) {
  constexpr size_t kFlushAt = 4 << 20;
  constexpr int64_t kWriteBackEvery = 32 << 20;
  const int64_t oldLength = from.Size();
  // The records go straight from the mapping to the new file.
  std::vector<BytePiece> pending;
  size_t pendingBytes = 0;
  int64_t written = kRecordHeaderSize;
  int64_t handedOver = kRecordHeaderSize;
  int lastPercent = -1;

  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    const int percent = static_cast<int>(int64_t{o} * 100 / db.indexSize);
    if (percent != lastPercent) {
      db.progress->ShowProgress("Updating Records", "", o, db.indexSize);
      lastPercent = percent;
    }
    db.progress->PumpMessages(0);
    const int64_t position = EntryPosition(db, o);
    if (!from.Data() || position < 0 || position + kRecordHeaderSize > oldLength) return false;
    const uint8_t* h = from.Data() + position;
    // The scan that built this index checked each record; checking again
    // guards against the file having changed since.
    if (!CheckRecordHeader(h, position, oldLength).whole) return false;
    const int32_t size = LoadI32(h + header::kRecordSize);
    if (written + size > INT32_MAX) return false;
    newPositions.push_back(static_cast<int32_t>(written));
    written += size;
    if (!pending.empty() && static_cast<const uint8_t*>(pending.back().data) + pending.back().size == h) {
      pending.back().size += static_cast<size_t>(size);  // the record after the last one
    } else {
      pending.push_back({h, static_cast<size_t>(size)});
    }
    pendingBytes += static_cast<size_t>(size);
    if (pendingBytes >= kFlushAt) {
      if (!WritePieces(to, pending)) return false;
      pending.clear();
      pendingBytes = 0;
    }
    if (written - handedOver >= kWriteBackEvery) {
      StartWriteBack(to, handedOver, written - handedOver - static_cast<int64_t>(pendingBytes));
      handedOver = written - static_cast<int64_t>(pendingBytes);
    }
  }
  return WritePieces(to, pending);
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

  LargeVector<int32_t> newPositions;
  newPositions.reserve(static_cast<size_t>(db.recipeCount) + db.chapterTable.size());
  bool copied;
  {
    // The shared hold on the old file keeps writers out while it is copied.
    DataFile held = OpenDataFile("i", db.paths.recipeFile);
    MappedFile from;
    DataFile to = OpenDataFile("o", db.paths.backupFile);
    copied = held.IsOpen() && from.Open(db.paths.recipeFile) && to.IsOpen();
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
