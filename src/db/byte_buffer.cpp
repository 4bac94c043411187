#include "db/byte_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tovalia {

namespace {

void ReportToStandardError(const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
}

AllocationFailureReporter g_reportAllocationFailure = ReportToStandardError;

// The heap the program allocates from; there is only one.
constexpr int kProcessHeapNumber = 1;

}  // namespace

void SetAllocationFailureReporter(AllocationFailureReporter reporter) {
  g_reportAllocationFailure = reporter ? reporter : ReportToStandardError;
}

namespace {

// Blocks from this size on are mapped pages of their own.
constexpr size_t kMappedFrom = 1 << 20;

size_t PageSize() {
  static const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  return page;
}

size_t RoundToPages(size_t bytes) { return (bytes + PageSize() - 1) / PageSize() * PageSize(); }

// Large pages where the system offers them: a block is then brought in
// with a few faults rather than one per four kilobytes.
void AskForLargePages(void* block, size_t bytes) {
#ifdef MADV_HUGEPAGE
  ::madvise(block, bytes, MADV_HUGEPAGE);
#else
  (void)block;
  (void)bytes;
#endif
}

uint8_t* MapZeroPages(size_t bytes) {
  void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  AskForLargePages(block, bytes);
  return static_cast<uint8_t*>(block);
}

}  // namespace

void ByteBlockRelease::operator()(uint8_t* block) const {
  if (mappedBytes > 0) {
    ::munmap(block, mappedBytes);
  } else {
    std::free(block);
  }
}

void CreateBuffer(int32_t size, ByteBuffer& buffer) {
  if (size <= 0) return;
  const size_t bytes = static_cast<size_t>(size);
  ByteBlockRelease release;
  uint8_t* block = nullptr;
  if (bytes >= kMappedFrom) {
    release.mappedBytes = RoundToPages(bytes);
    block = MapZeroPages(release.mappedBytes);
  } else {
    block = static_cast<uint8_t*>(std::calloc(bytes, 1));
  }
  if (!block) {
    g_reportAllocationFailure("Error creating memory buffer!",
                              "(" + std::to_string(size) + " bytes/" +
                                  std::to_string(kProcessHeapNumber) +
                                  " heap) Please restart your computer.");
    buffer.block_.reset();
    buffer.size_ = 0;
    return;
  }
  buffer.block_ = std::unique_ptr<uint8_t[], ByteBlockRelease>(block, release);
  buffer.size_ = size;
}

void ResizeBuffer(int32_t newSize, ByteBuffer& buffer) {
  if (!buffer.block_) return;
  if (newSize == buffer.size_) return;
  const size_t oldBytes = static_cast<size_t>(buffer.size_);
  const size_t newBytes = newSize > 0 ? static_cast<size_t>(newSize) : 0;
  const size_t mapped = buffer.block_.get_deleter().mappedBytes;
  uint8_t* block = nullptr;
  size_t newMapped = 0;
  if (newBytes > 0 && mapped > 0 && newBytes >= kMappedFrom) {
    // The pages move as they are; pages added are fresh, so zero, and the
    // bytes past the old end on its last page are cleared by hand.
    newMapped = RoundToPages(newBytes);
    if (newBytes > oldBytes) std::memset(buffer.block_.get() + oldBytes, 0, std::min(mapped, newBytes) - oldBytes);
    void* moved = ::mremap(buffer.block_.get(), mapped, newMapped, MREMAP_MAYMOVE);
    if (moved != MAP_FAILED) {
      AskForLargePages(moved, newMapped);
      (void)buffer.block_.release();
      buffer.block_ = std::unique_ptr<uint8_t[], ByteBlockRelease>(static_cast<uint8_t*>(moved),
                                                                       ByteBlockRelease{newMapped});
      buffer.size_ = newSize;
      return;
    }
  } else if (newBytes > 0 && mapped == 0 && newBytes < kMappedFrom) {
    block = static_cast<uint8_t*>(std::realloc(buffer.block_.get(), newBytes));
    if (block) {
      (void)buffer.block_.release();
      if (newBytes > oldBytes) std::memset(block + oldBytes, 0, newBytes - oldBytes);
      buffer.block_ = std::unique_ptr<uint8_t[], ByteBlockRelease>(block, ByteBlockRelease{});
      buffer.size_ = newSize;
      return;
    }
  } else if (newBytes > 0) {
    // Between the heap and mapped pages: a new block and one copy.
    ByteBuffer grown;
    CreateBuffer(newSize, grown);
    if (grown.block_) {
      std::memcpy(grown.block_.get(), buffer.block_.get(), std::min(oldBytes, newBytes));
      buffer.block_ = std::move(grown.block_);
      buffer.size_ = newSize;
      return;
    }
  }
  g_reportAllocationFailure("Error resizing memory buffer!",
                            "(" + std::to_string(newSize) + " bytes) Please restart your computer.");
  buffer.block_.reset();
  buffer.size_ = 0;
}

void FreeBuffer(ByteBuffer& buffer) {
  buffer.block_.reset();
  buffer.size_ = 0;
}

void SetU8(ByteBuffer& buffer, int32_t offset, int32_t value) {
  if (!buffer.Holds(offset, 1)) return;
  buffer.Data()[offset] = static_cast<uint8_t>(value);
}

void SetU16(ByteBuffer& buffer, int32_t offset, int32_t value) {
  if (!buffer.Holds(offset, 2)) return;
  StoreU16(buffer.Data() + offset, value);
}

void SetI32(ByteBuffer& buffer, int32_t offset, int32_t value) {
  if (!buffer.Holds(offset, 4)) return;
  StoreI32(buffer.Data() + offset, value);
}

void FillBytes(ByteBuffer& buffer, int32_t offset, int32_t count, uint8_t value) {
  if (count <= 0 || !buffer.Holds(offset, count)) return;
  std::memset(buffer.Data() + offset, value, static_cast<size_t>(count));
}

void MoveBytes(const ByteBuffer& source, int32_t sourceOffset, ByteBuffer& target,
               int32_t targetOffset, int32_t count) {
  if (count <= 0) return;
  if (!source.Holds(sourceOffset, count) || !target.Holds(targetOffset, count)) return;
  // memmove copies as if through a temporary, which is what copying from the
  // last byte or from the first byte (whichever the overlap needs) achieves.
  std::memmove(target.Data() + targetOffset, source.Data() + sourceOffset,
               static_cast<size_t>(count));
}

std::string GetZText(const ByteBuffer& buffer, int32_t offset) {
  if (!buffer.Holds(offset, 0)) return {};
  const uint8_t* start = buffer.Data() + offset;
  const uint8_t* end = buffer.Data() + buffer.Size();
  const uint8_t* zero = std::find(start, end, uint8_t{0});
  return std::string(reinterpret_cast<const char*>(start), static_cast<size_t>(zero - start));
}

void PutShortText(ByteBuffer& buffer, int32_t offset, const std::string& text) {
  int32_t length = static_cast<int32_t>(std::min<size_t>(text.size(), 255));
  if (!buffer.Holds(offset, 1 + length)) return;
  buffer.Data()[offset] = static_cast<uint8_t>(length);
  std::memcpy(buffer.Data() + offset + 1, text.data(), static_cast<size_t>(length));
}

std::string GetShortText(const ByteBuffer& buffer, int32_t offset) {
  if (!buffer.Holds(offset, 1)) return {};
  int32_t length = buffer.Data()[offset];
  length = std::min(length, buffer.Size() - offset - 1);
  return std::string(reinterpret_cast<const char*>(buffer.Data() + offset + 1),
                     static_cast<size_t>(length));
}

std::string GetBytes(const ByteBuffer& buffer, int32_t offset, int32_t count) {
  if (count <= 0 || !buffer.Holds(offset, count)) return {};
  return std::string(reinterpret_cast<const char*>(buffer.Data() + offset),
                     static_cast<size_t>(count));
}

void PutBytes(ByteBuffer& buffer, int32_t offset, const std::string& text) {
  int64_t count = static_cast<int64_t>(text.size());
  if (count == 0 || !buffer.Holds(offset, count)) return;
  std::memcpy(buffer.Data() + offset, text.data(), text.size());
}

}  // namespace tovalia
