#include "db/index_writer.h"

#include "db/data_file.h"
#include "db/record_format.h"

namespace tovalia {

bool WriteEntriesInOrder(const std::string& path, const uint8_t* index, const LargeVector<int32_t>& order) {
  constexpr size_t kChunk = 1 << 20;
  auto length = [index](int32_t o) { return entry::kFixedSize + index[o + entry::kTitleLength]; };
  return ReplaceFileWith(path, [&](DataFile& file) {
    std::vector<uint8_t> chunk;
    chunk.reserve(kChunk);
    for (size_t i = 0; i < order.size();) {
      // Entries that stay neighbours go together.
      const int32_t from = order[i];
      int32_t run = length(from);
      size_t next = i + 1;
      while (next < order.size() && order[next] == from + run) run += length(order[next++]);
      if (chunk.size() + static_cast<size_t>(run) > kChunk) {
        if (!WriteRaw(file, chunk.data(), chunk.size())) return false;
        chunk.clear();
      }
      if (static_cast<size_t>(run) >= kChunk) {
        if (!WriteRaw(file, index + from, static_cast<size_t>(run))) return false;
      } else {
        chunk.insert(chunk.end(), index + from, index + from + run);
      }
      i = next;
    }
    return WriteRaw(file, chunk.data(), chunk.size());
  });
}

IndexWriter::~IndexWriter() {
  Finish();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void IndexWriter::Write(ByteBuffer block, LargeVector<int32_t> order) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (waiting_) {
      spare_ = std::move(waiting_->block);
      spareOrder_ = std::move(waiting_->order);
    }
    waiting_ = Job{std::move(block), std::move(order)};
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  changed_.notify_all();
}

ByteBuffer IndexWriter::TakeSpareBlock(int32_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  ByteBuffer spare = std::move(spare_);
  if (spare.Size() < size) FreeBuffer(spare);
  return spare;
}

LargeVector<int32_t> IndexWriter::TakeSpareOrder() {
  std::lock_guard<std::mutex> lock(mutex_);
  LargeVector<int32_t> spare = std::move(spareOrder_);
  spare.clear();
  return spare;
}

bool IndexWriter::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !waiting_ && !writing_; });
  const bool written = !failed_;
  failed_ = false;
  return written;
}

void IndexWriter::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || waiting_; });
    if (!waiting_) return;
    Job job = std::move(*waiting_);
    waiting_.reset();
    writing_ = true;
    lock.unlock();
    const bool written = WriteEntriesInOrder(path_, job.block.Data(), job.order);
    lock.lock();
    spare_ = std::move(job.block);
    spareOrder_ = std::move(job.order);
    writing_ = false;
    failed_ = failed_ || !written;
    changed_.notify_all();
  }
}

}  // namespace tovalia
