#include "interchange/duplicate_fingerprints.h"

#include <algorithm>
#include <string>

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

// Header and texts are read into one block of this size; longer texts are
// cut to fit.
constexpr int32_t kWorkBufferSize = 128000;
constexpr int32_t kMostWords = 65534;

bool IsAsciiLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The counter of a word's first letter: A-F, G-L, M-R, S-Z.
size_t LetterGroup(uint8_t first) {
  const uint8_t upper = first >= 'a' ? static_cast<uint8_t>(first - 32) : first;
  if (upper <= 'F') return 0;
  if (upper <= 'L') return 1;
  if (upper <= 'R') return 2;
  return 3;
}

}  // namespace

uint8_t CounterByte(int32_t count) {
  while (count > 255) {
    const int32_t half = count / 2;
    // An odd count lies halfway between two whole numbers: the even one wins.
    count = (count % 2 == 0 || half % 2 == 0) ? half : half + 1;
  }
  return static_cast<uint8_t>(std::max(count, 0));
}

WordCounters CountWords(std::string_view block) {
  std::array<int32_t, kFingerprintCounters> counts{};
  int32_t words = 0;
  size_t first = 0;
  size_t last = 0;
  bool open = false;
  auto endWord = [&] {
    open = false;
    ++counts[LetterGroup(static_cast<uint8_t>(block[first]))];
    const size_t length = last - first + 1;
    if (length >= 2 && length <= 7) ++counts[4 + (length - 2)];
    ++words;
  };
  for (size_t i = 0; i < block.size(); ++i) {
    const uint8_t c = static_cast<uint8_t>(block[i]);
    if (IsAsciiLetter(c)) {
      if (!open) {
        open = true;
        first = i;
      }
      last = i;
    } else if (open && ((c < '0' && c != '\'') || i + 1 == block.size())) {
      endWord();
      if (words > kMostWords) break;
    }
  }
  WordCounters counters{};
  for (size_t k = 0; k < kFingerprintCounters; ++k) counters[k] = CounterByte(counts[k]);
  return counters;
}

bool GatherFingerprints(Database& db, std::vector<RecipeFingerprint>& fingerprints) {
  fingerprints.clear();
  int64_t entries = 0;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) ++entries;
  DataFile file = OpenDataFile("i", db.paths.recipeFile);
  const int64_t fileLength = file.IsOpen() ? FileLength(file) : 0;
  std::string block(kWorkBufferSize, '\0');
  uint8_t* bytes = reinterpret_cast<uint8_t*>(block.data());
  bool stopped = false;
  int64_t visited = 0;
  for (int32_t o = 0; o < db.indexSize && file.IsOpen(); o += EntryLength(db, o), ++visited) {
    db.progress->ShowProgress("Gathering Recipe Statistics", "", visited, entries);
    db.progress->PumpMessages(0);
    if (db.progress->StopRequested()) {
      stopped = true;
      break;
    }
    if (EntryKind(db, o) >= kKindChapter) continue;
    const int32_t position = EntryPosition(db, o);
    SeekFile(file, position);
    if (ReadRaw(file, bytes, kRecordHeaderSize) != kRecordHeaderSize) continue;
    if (!CheckRecordHeader(bytes, position, fileLength).whole || bytes[header::kRecordKind] >= kKindChapter) continue;
    const int64_t textLength = int64_t{bytes[header::kTitleLength]} + LoadI32(bytes + header::kIngredientsLength) +
                               LoadI32(bytes + header::kDirectionsLength);
    const int32_t wanted = static_cast<int32_t>(std::min<int64_t>(textLength, kWorkBufferSize - kRecordHeaderSize));
    const int32_t got = std::max(ReadRaw(file, bytes + kRecordHeaderSize, wanted), 0);
    RecipeFingerprint print;
    print.position = position;
    print.photoLength = LoadI32(bytes + header::kPhotoLength);
    print.recipeId = LoadI32(bytes + header::kRecipeId);
    print.savedYear = LoadU16(bytes + header::kSavedYear);
    print.savedMonth = bytes[header::kSavedMonth];
    print.savedDay = bytes[header::kSavedDay];
    print.counters = CountWords(std::string_view(block).substr(kRecordHeaderSize, static_cast<size_t>(got)));
    fingerprints.push_back(print);
  }
  db.progress->CloseProgress();
  if (stopped) fingerprints.clear();
  return !stopped;
}

}  // namespace tovalia
