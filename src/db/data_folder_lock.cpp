#include "db/data_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace tovalia {

DataFolderLock::DataFolderLock(std::string dataFolder)
    : path_(std::move(dataFolder) + kDataFolderLockName) {}

DataFolderLock::~DataFolderLock() { Release(); }

bool DataFolderLock::Acquire(FolderAccess access, int waitMilliseconds) {
  if (fd_ < 0) {
    // Close-on-exec: a browser started from the window must not keep the
    // folder locked after the program has ended.
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
  }
  const int operation = (access == FolderAccess::kWrite ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  for (;;) {
    if (::flock(fd_, operation) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  Release();
  return false;
}

void DataFolderLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing drops the lock
  fd_ = -1;
}

}  // namespace tovalia
