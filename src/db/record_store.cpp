#include "db/record_store.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "db/clock.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

void AddWastedBytes(Database& db, int64_t size) {
  db.wastedBytes = static_cast<int32_t>(std::min<int64_t>(INT32_MAX, db.wastedBytes + size));
}

void CopyText(ByteBuffer& buffer, int32_t capacity, std::string_view text, Database& db,
              int32_t lengthField) {
  int32_t length = static_cast<int32_t>(std::min<size_t>(text.size(), capacity));
  if (length > 0) std::memcpy(buffer.Data(), text.data(), static_cast<size_t>(length));
  FillBytes(buffer, length, std::min(4, buffer.Size() - length), 0);
  if (lengthField == header::kTitleLength) {
    SetU8(db.recordHeaderBuffer, lengthField, length);
  } else {
    SetI32(db.recordHeaderBuffer, lengthField, length);
  }
}

}  // namespace

int32_t AppendRecord(Database& db) {
  ByteBuffer& h = db.recordHeaderBuffer;
  const int32_t kind = GetU8(h, header::kRecordKind);
  const int32_t titleLength = GetU8(h, header::kTitleLength);
  const int32_t ingredientsLength = GetI32(h, header::kIngredientsLength);
  const int32_t directionsLength = GetI32(h, header::kDirectionsLength);
  const int32_t photoLength = GetI32(h, header::kPhotoLength);
  if (!db.titleBuffer.Holds(0, titleLength) ||
      !db.ingredientsBuffer.Holds(0, ingredientsLength) ||
      !db.directionsBuffer.Holds(0, directionsLength) || photoLength < 0 ||
      (photoLength > 0 && !db.photoBuffer.Holds(0, photoLength)))
    return -1;

  const LocalDate today = Today();
  SetU16(h, header::kSavedYear, today.year);
  SetU8(h, header::kSavedMonth, today.month);
  SetU8(h, header::kSavedDay, today.day);
  SetI32(h, header::kReserved, 0);
  const int64_t recordSize = int64_t{kRecordHeaderSize} + titleLength + ingredientsLength +
                             directionsLength + photoLength;
  SetI32(h, header::kRecordSize, static_cast<int32_t>(recordSize));
  PutBytes(h, header::kRecordTag, kRecordTag);

  // One write of the whole record, so a record is never left half-written
  // among others; a failed write is cut off again below.
  std::vector<uint8_t> record;
  record.reserve(static_cast<size_t>(recordSize));
  auto add = [&record](const ByteBuffer& buffer, int32_t count) {
    if (count > 0) record.insert(record.end(), buffer.Data(), buffer.Data() + count);
  };
  add(h, kRecordHeaderSize);
  add(db.titleBuffer, titleLength);
  add(db.ingredientsBuffer, ingredientsLength);
  add(db.directionsBuffer, directionsLength);
  add(db.photoBuffer, photoLength);

  // Mode "a" creates a missing file and lands at 0 in an empty one, so the
  // file is never opened in a mode that truncates: a length probe that
  // failed (another handle held the file) once made it "empty" and cut a
  // whole collection off.
  DataFile own;
  DataFile* file = db.appendFile ? db.appendFile : &own;
  if (!file->IsOpen()) *file = OpenDataFile("a", db.paths.recipeFile);
  if (!file->IsOpen()) return -1;
  const int64_t position = FilePosition(*file);
  if (position + recordSize > INT32_MAX) return -1;
  if (!WriteRaw(*file, record.data(), record.size())) {
    TruncateDataFile(*file, position);
    SeekFile(*file, position);
    return -1;
  }
  CloseDataFile(own);

  NewIndexEntry e;
  e.position = static_cast<int32_t>(position);
  e.recipeId = GetI32(h, header::kRecipeId);
  e.chapterNumber = GetU16(h, header::kChapterNumber);
  e.kind = kind;
  e.searchFlag = GetU8(h, header::kSearchMark);
  e.hasPhoto = photoLength > 0 ? 1 : 0;
  e.title = std::string_view(reinterpret_cast<const char*>(db.titleBuffer.Data()),
                             static_cast<size_t>(titleLength));
  AppendIndexEntry(db, e);
  db.indexChanged = true;
  return static_cast<int32_t>(position);
}

// The file is opened with the first append, so that a session that
// stores nothing creates no file.
AppendSession::AppendSession(Database& db) : db_(db) {
  if (!db_.appendFile) db_.appendFile = &file_;
}

AppendSession::~AppendSession() {
  if (db_.appendFile == &file_) db_.appendFile = nullptr;
}

bool LoadRecord(Database& db, int64_t position) {
  if (!FileExists(db.paths.recipeFile)) return false;
  DataFile file = OpenDataFile("i", db.paths.recipeFile);
  const int64_t length = FileLength(file);
  ByteBuffer& h = db.recordHeaderBuffer;
  SeekFile(file, position);
  bool sound = position >= 0 && ReadBlock(file, h, 0, kRecordHeaderSize) == kRecordHeaderSize &&
               CheckRecordHeader(h.Data(), position, length).loadable;
  if (!sound) {
    ClearCurrentRecord(db);
    return false;
  }
  const int32_t photoLength = GetI32(h, header::kPhotoLength);
  FreeBuffer(db.photoBuffer);
  CreateBuffer(photoLength, db.photoBuffer);
  ReadBlock(file, db.titleBuffer, 0, GetU8(h, header::kTitleLength));
  ReadBlock(file, db.ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength));
  ReadBlock(file, db.directionsBuffer, 0, GetI32(h, header::kDirectionsLength));
  ReadBlock(file, db.photoBuffer, 0, photoLength);
  return true;
}

bool MarkRecordDeleted(Database& db, DataFile& file, int64_t position) {
  uint8_t h[kRecordHeaderSize];
  SeekFile(file, position);
  if (position < 0 || ReadRaw(file, h, kRecordHeaderSize) != kRecordHeaderSize) return false;
  if (!CheckRecordHeader(h, position, FileLength(file)).whole) return false;
  // Deleting twice must not count the dead space twice.
  if (h[header::kRecordKind] > kKindChapter) return false;
  AddWastedBytes(db, LoadI32(h + header::kRecordSize));
  h[header::kRecordKind] = kKindDeleted;
  SeekFile(file, position);
  return WriteRaw(file, h, kRecordHeaderSize);
}

void ClearCurrentRecord(Database& db) {
  FillBytes(db.recordHeaderBuffer, 0, db.recordHeaderBuffer.Size(), 0);
  FillBytes(db.ingredientsBuffer, 0, 4, 0);
  FillBytes(db.directionsBuffer, 0, 4, 0);
  FreeBuffer(db.photoBuffer);
}

void SetCurrentTitle(Database& db, std::string_view title) {
  CopyText(db.titleBuffer, 255, title, db, header::kTitleLength);
}

void SetCurrentIngredients(Database& db, std::string_view text) {
  CopyText(db.ingredientsBuffer, kTextBufferSize, text, db, header::kIngredientsLength);
}

void SetCurrentDirections(Database& db, std::string_view text) {
  CopyText(db.directionsBuffer, kTextBufferSize, text, db, header::kDirectionsLength);
}

}  // namespace tovalia
