// Heap byte blocks and the typed little-endian accessors through which every
// data-file layout is read and written.
//
// A ByteBuffer with no block behaves as the zero handle: reads return their
// fallback and writes are dropped. Every access is also checked against the
// block's size, so damaged lengths and offsets read from a file can never
// reach outside the block: such reads return the fallback and such writes
// are dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tovalia {

// Little-endian field codecs over raw bytes; the accessors below and the
// scanners that work over their own read windows share them.
inline int32_t LoadU16(const uint8_t* p) { return p[0] | (p[1] << 8); }
inline int32_t LoadI32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) |
                              (static_cast<uint32_t>(p[3]) << 24));
}
inline void StoreU16(uint8_t* p, int32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}
inline void StoreI32(uint8_t* p, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

// Small blocks come from the heap; large ones are mapped pages of their
// own, which are zero until first written (a block only part of which is
// used costs only that part) and grow without being copied.
struct ByteBlockRelease {
  size_t mappedBytes = 0;  // 0 for a heap block
  void operator()(uint8_t* block) const;
};

class ByteBuffer {
 public:
  ByteBuffer() = default;
  // A buffer moved from has no block and size 0.
  ByteBuffer(ByteBuffer&& other) noexcept : block_(std::move(other.block_)), size_(other.size_) { other.size_ = 0; }
  ByteBuffer& operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
      block_ = std::move(other.block_);
      size_ = other.size_;
      other.size_ = 0;
    }
    return *this;
  }
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  bool HasBlock() const { return block_ != nullptr; }
  int32_t Size() const { return size_; }
  uint8_t* Data() { return block_.get(); }
  const uint8_t* Data() const { return block_.get(); }

  // True when [offset, offset + count) lies inside the block.
  bool Holds(int64_t offset, int64_t count) const {
    return block_ && offset >= 0 && count >= 0 && offset + count <= size_;
  }

 private:
  friend void CreateBuffer(int32_t size, ByteBuffer& buffer);
  friend void ResizeBuffer(int32_t newSize, ByteBuffer& buffer);
  friend void FreeBuffer(ByteBuffer& buffer);

  std::unique_ptr<uint8_t[], ByteBlockRelease> block_;
  int32_t size_ = 0;
};

// Called when an allocation fails, with the caption and text of the message
// the user sees. The default prints to standard error; the window replaces it
// with a system message box.
using AllocationFailureReporter = void (*)(const std::string& caption, const std::string& text);
void SetAllocationFailureReporter(AllocationFailureReporter reporter);

// Size 0 (or below) leaves the variable as it is. The new block's contents are
// zero, which keeps stale heap bytes out of files.
void CreateBuffer(int32_t size, ByteBuffer& buffer);
// Keeps the first min(old, new) bytes, the bytes added are zero; a buffer
// without block stays without.
void ResizeBuffer(int32_t newSize, ByteBuffer& buffer);
void FreeBuffer(ByteBuffer& buffer);

// Inline: the index walks call them millions of times.
inline int32_t GetU8(const ByteBuffer& buffer, int32_t offset, int32_t fallback = 0) {
  return buffer.Holds(offset, 1) ? buffer.Data()[offset] : fallback;
}
inline int32_t GetU16(const ByteBuffer& buffer, int32_t offset, int32_t fallback = 0) {
  return buffer.Holds(offset, 2) ? LoadU16(buffer.Data() + offset) : fallback;
}
inline int32_t GetI32(const ByteBuffer& buffer, int32_t offset, int32_t fallback = 0) {
  return buffer.Holds(offset, 4) ? LoadI32(buffer.Data() + offset) : fallback;
}
void SetU8(ByteBuffer& buffer, int32_t offset, int32_t value);
void SetU16(ByteBuffer& buffer, int32_t offset, int32_t value);
void SetI32(ByteBuffer& buffer, int32_t offset, int32_t value);

void FillBytes(ByteBuffer& buffer, int32_t offset, int32_t count, uint8_t value);
// Correct for overlapping ranges within one buffer; out-of-range moves do nothing.
void MoveBytes(const ByteBuffer& source, int32_t sourceOffset, ByteBuffer& target,
               int32_t targetOffset, int32_t count);

// Text up to the first zero byte (or the end of the block).
std::string GetZText(const ByteBuffer& buffer, int32_t offset);
// One length byte, then the bytes. Texts longer than 255 bytes are cut to 255
// so that the length byte always tells the truth.
void PutShortText(ByteBuffer& buffer, int32_t offset, const std::string& text);
// The stored length is trusted only as far as the block reaches.
std::string GetShortText(const ByteBuffer& buffer, int32_t offset);
std::string GetBytes(const ByteBuffer& buffer, int32_t offset, int32_t count);
void PutBytes(ByteBuffer& buffer, int32_t offset, const std::string& text);

}  // namespace tovalia
