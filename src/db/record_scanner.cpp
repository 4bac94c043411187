#include "db/record_scanner.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/record_format.h"

namespace tovalia {

namespace {
constexpr int32_t kWindowSize = 1 << 20;
}

RecordScanner::RecordScanner(DataFile& file, int64_t fileLength, int64_t start)
    : file_(file), fileLength_(fileLength), next_(std::max<int64_t>(start, 0)) {}

const uint8_t* RecordScanner::Window(int64_t position, int32_t count) {
  if (position < windowStart_ || position + count > windowStart_ + windowLength_) {
    if (!window_) {
      windowCapacity_ = static_cast<int32_t>(std::min<int64_t>(kWindowSize, fileLength_));
      window_.reset(new uint8_t[static_cast<size_t>(std::max(windowCapacity_, 1))]);
    }
    int32_t want = static_cast<int32_t>(std::min<int64_t>(windowCapacity_, fileLength_ - position));
    SeekFile(file_, position);
    windowStart_ = position;
    windowLength_ = ReadRaw(file_, window_.get(), want);
    if (position + count > windowStart_ + windowLength_) return nullptr;
  }
  return window_.get() + (position - windowStart_);
}

bool RecordScanner::NextLiveRecord() {
  while (next_ + kRecordHeaderSize <= fileLength_) {
    int64_t p = next_;
    const uint8_t* h = Window(p, kRecordHeaderSize);
    if (!h) return false;  // the file shrank under us
    HeaderCheck check = CheckRecordHeader(h, p, fileLength_);
    if (!check.whole) {
      next_ = p + 1;
      continue;
    }
    next_ = p + LoadI32(h + header::kRecordSize);
    // Deleted records, the file header and oversized texts are stepped over.
    if (!check.loadable || h[header::kRecordKind] == kKindDeleted) continue;
    int32_t titleLength = h[header::kTitleLength];
    h = Window(p, kRecordHeaderSize + titleLength);
    if (!h) return false;
    current_ = p;
    header_ = h;
    return true;
  }
  return false;
}

}  // namespace tovalia
