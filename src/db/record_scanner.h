// Walks the recipe file from a start position to its end, stepping over
// whole records by their sizes and sliding one byte at a time through
// damaged stretches until a sound record header turns up again. Reads go
// through one large window, so a scan costs a few reads per megabyte.
#pragma once

#include <cstdint>
#include <memory>

#include "db/data_file.h"

namespace tovalia {

class RecordScanner {
 public:
  RecordScanner(DataFile& file, int64_t fileLength, int64_t start);

  // Moves to the next live record (recipe, text record or chapter) that can
  // be loaded whole; false at the end of the file.
  bool NextLiveRecord();

  int64_t Position() const { return current_; }
  // The 40 header bytes and the title bytes that follow them; valid until
  // the next call.
  const uint8_t* Header() const { return header_; }
  const uint8_t* Title() const { return header_ + 40; }
  int64_t FileLength() const { return fileLength_; }

 private:
  const uint8_t* Window(int64_t position, int32_t count);

  DataFile& file_;
  int64_t fileLength_;
  int64_t next_;
  int64_t current_ = -1;
  const uint8_t* header_ = nullptr;
  std::unique_ptr<uint8_t[]> window_;  // not cleared: every byte used is read first
  int32_t windowCapacity_ = 0;
  int64_t windowStart_ = 0;
  int32_t windowLength_ = 0;
};

}  // namespace tovalia
