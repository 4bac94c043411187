#include "db/byte_buffer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

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

void CreateBuffer(int32_t size, ByteBuffer& buffer) {
  if (size <= 0) return;
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[static_cast<size_t>(size)]());
  if (!block) {
    g_reportAllocationFailure("Error creating memory buffer!",
                              "(" + std::to_string(size) + " bytes/" +
                                  std::to_string(kProcessHeapNumber) +
                                  " heap) Please restart your computer.");
    buffer.block_.reset();
    buffer.size_ = 0;
    return;
  }
  buffer.block_ = std::move(block);
  buffer.size_ = size;
}

void ResizeBuffer(int32_t newSize, ByteBuffer& buffer) {
  if (!buffer.block_) return;
  if (newSize == buffer.size_) return;
  std::unique_ptr<uint8_t[]> block;
  if (newSize > 0) block.reset(new (std::nothrow) uint8_t[static_cast<size_t>(newSize)]());
  if (!block) {
    g_reportAllocationFailure("Error resizing memory buffer!",
                              "(" + std::to_string(newSize) +
                                  " bytes) Please restart your computer.");
    buffer.block_.reset();
    buffer.size_ = 0;
    return;
  }
  std::memcpy(block.get(), buffer.block_.get(),
              static_cast<size_t>(std::min(newSize, buffer.size_)));
  buffer.block_ = std::move(block);
  buffer.size_ = newSize;
}

void FreeBuffer(ByteBuffer& buffer) {
  buffer.block_.reset();
  buffer.size_ = 0;
}

int32_t GetU8(const ByteBuffer& buffer, int32_t offset, int32_t fallback) {
  if (!buffer.Holds(offset, 1)) return fallback;
  return buffer.Data()[offset];
}

int32_t GetU16(const ByteBuffer& buffer, int32_t offset, int32_t fallback) {
  if (!buffer.Holds(offset, 2)) return fallback;
  return LoadU16(buffer.Data() + offset);
}

int32_t GetI32(const ByteBuffer& buffer, int32_t offset, int32_t fallback) {
  if (!buffer.Holds(offset, 4)) return fallback;
  return LoadI32(buffer.Data() + offset);
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
