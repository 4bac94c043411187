// Saving the title index as Index34.dat: the entries written in a given
// order straight from an index block, through a temporary file that is
// flushed and renamed over the old one, as every whole-file rewrite is.
// The IndexWriter does that on a thread of its own, so that an edit of a
// large collection does not wait for the disk.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "db/byte_buffer.h"
#include "db/large_pages.h"

namespace tovalia {

// Writes the entries at `order` (offsets of whole entries in `index`) one
// after the other as the whole file at `path`; false when it could not.
bool WriteEntriesInOrder(const std::string& path, const uint8_t* index, const LargeVector<int32_t>& order);

class IndexWriter {
 public:
  explicit IndexWriter(std::string path) : path_(std::move(path)) {}
  // Finishes the last write first.
  ~IndexWriter();
  IndexWriter(const IndexWriter&) = delete;
  IndexWriter& operator=(const IndexWriter&) = delete;

  // Hands over an index to write: its entries at `order` in `block`, which
  // nobody changes any more. One still waiting to be written is dropped.
  void Write(ByteBuffer block, LargeVector<int32_t> order);
  // Waits until everything handed over is on disk. False when a write since
  // the last Finish failed (the file then holds an older index).
  bool Finish();
  // A block that is written (or was passed over) and no longer needed, when
  // it has at least `size` bytes: its memory is ready for use, where a new
  // block's is not. Its contents are stale.
  ByteBuffer TakeSpareBlock(int32_t size);
  // Likewise the vector of a written order, for its memory.
  LargeVector<int32_t> TakeSpareOrder();

 private:
  struct Job {
    ByteBuffer block;
    LargeVector<int32_t> order;
  };
  void Run();

  std::string path_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Job> waiting_;
  ByteBuffer spare_;
  LargeVector<int32_t> spareOrder_;
  bool writing_ = false;
  bool failed_ = false;
  bool quit_ = false;
  std::thread thread_;  // started with the first write
};

}  // namespace tovalia
