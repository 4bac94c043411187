// Byte layouts of the recipe file: its 40-byte file header, the 40-byte
// record header in front of every record, and the index entry that the
// title index keeps for each live record.
#pragma once

#include <cstdint>

namespace tovalia {

inline constexpr char kRecordTag[] = "TQZD";
inline constexpr int32_t kRecordHeaderSize = 40;
inline constexpr int32_t kProgramVersionNumber = 5800;  // version "5.8" times 1000

enum RecordKind : int32_t {
  kKindRecipe = 0,
  kKindTextRecord = 1,
  kKindChapter = 2,
  kKindDeleted = 3,
  kKindFileHeader = 255,
};

// Offsets inside a record header (and, with kind 255, the file header).
namespace header {
inline constexpr int32_t kRecordSize = 0;
inline constexpr int32_t kRecordTag = 4;
inline constexpr int32_t kRecordKind = 8;
inline constexpr int32_t kTitleLength = 9;
inline constexpr int32_t kIngredientsLength = 10;
inline constexpr int32_t kDirectionsLength = 14;
inline constexpr int32_t kPhotoLength = 18;
inline constexpr int32_t kReserved = 22;
inline constexpr int32_t kRecipeId = 26;
inline constexpr int32_t kChapterNumber = 30;
inline constexpr int32_t kServings = 32;
inline constexpr int32_t kSearchMark = 33;
inline constexpr int32_t kSavedYear = 36;
inline constexpr int32_t kSavedMonth = 38;
inline constexpr int32_t kSavedDay = 39;
// The file header keeps the program version where records keep lengths.
inline constexpr int32_t kFileVersion = 10;
}  // namespace header

// Offsets inside an index entry; the title follows the 14 fixed bytes.
namespace entry {
inline constexpr int32_t kPosition = 0;
inline constexpr int32_t kRecipeId = 4;
inline constexpr int32_t kChapterNumber = 8;
inline constexpr int32_t kKind = 10;
inline constexpr int32_t kSearchFlag = 11;
inline constexpr int32_t kHasPhoto = 12;
inline constexpr int32_t kTitleLength = 13;
inline constexpr int32_t kTitle = 14;
inline constexpr int32_t kFixedSize = 14;
}  // namespace entry

// Capacities of the current-record buffers; a stored text never exceeds them.
inline constexpr int32_t kRecordHeaderBufferSize = 128;
inline constexpr int32_t kTitleBufferSize = 256;
inline constexpr int32_t kTextBufferSize = 65000;

// What a scan may trust of a 40-byte header found at `position` in a file of
// `fileLength` bytes.
struct HeaderCheck {
  bool tagged = false;      // carries the tag
  bool whole = false;       // tagged, and its size is sane and lies inside the file
  bool loadable = false;    // a whole record of kind 0-3 whose texts fit the buffers
};
HeaderCheck CheckRecordHeader(const uint8_t* headerBytes, int64_t position, int64_t fileLength);

// The header bytes a fresh file header holds, dated today.
void WriteFileHeaderBytes(uint8_t* headerBytes);

}  // namespace tovalia
