#include "db/record_format.h"

#include <cstring>

#include "db/byte_buffer.h"
#include "db/clock.h"

namespace tovalia {

HeaderCheck CheckRecordHeader(const uint8_t* h, int64_t position, int64_t fileLength) {
  HeaderCheck check;
  check.tagged = std::memcmp(h + header::kRecordTag, kRecordTag, 4) == 0;
  if (!check.tagged) return check;
  int64_t size = LoadI32(h + header::kRecordSize);
  if (size < kRecordHeaderSize || position + size > fileLength) return check;
  int kind = h[header::kRecordKind];
  if (kind > kKindDeleted) {
    // The file header (kind 255) and unknown kinds are stepped over by size.
    check.whole = true;
    return check;
  }
  int64_t title = h[header::kTitleLength];
  int64_t ingredients = LoadI32(h + header::kIngredientsLength);
  int64_t directions = LoadI32(h + header::kDirectionsLength);
  int64_t photo = LoadI32(h + header::kPhotoLength);
  if (ingredients < 0 || directions < 0 || photo < 0) return check;
  // A record's size is always the sum of its parts; anything else is a stray
  // tag inside damaged bytes, and trusting its size would skip good records.
  if (size != kRecordHeaderSize + title + ingredients + directions + photo) return check;
  check.whole = true;
  check.loadable = ingredients <= kTextBufferSize && directions <= kTextBufferSize;
  return check;
}

void WriteFileHeaderBytes(uint8_t* h) {
  std::memset(h, 0, kRecordHeaderSize);
  StoreI32(h + header::kRecordSize, kRecordHeaderSize);
  std::memcpy(h + header::kRecordTag, kRecordTag, 4);
  h[header::kRecordKind] = kKindFileHeader;
  StoreI32(h + header::kFileVersion, kProgramVersionNumber);
  LocalDate today = Today();
  StoreU16(h + header::kSavedYear, today.year);
  h[header::kSavedMonth] = static_cast<uint8_t>(today.month);
  h[header::kSavedDay] = static_cast<uint8_t>(today.day);
}

}  // namespace tovalia
