// One writer per data folder. The window and every command-line job lock
// "Tovalia.lock" in the data folder for their whole run: writers alone,
// readers side by side. Without it two imports at once appended over each
// other, and a job under an open window left the window's index pointing
// at the wrong bytes.
#pragma once

#include <string>

namespace tovalia {

inline constexpr char kDataFolderLockName[] = "Tovalia.lock";

enum class FolderAccess { kRead, kWrite };

class DataFolderLock {
 public:
  // The folder ends with the separator.
  explicit DataFolderLock(std::string dataFolder);
  ~DataFolderLock();  // releases the lock
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

  // Takes the lock, trying again for up to waitMilliseconds while another
  // process holds it. A held lock changes to the asked access (a reader
  // becoming a writer may have to wait for other readers). False when it
  // could not be had in time or the lock file cannot be opened.
  bool Acquire(FolderAccess access, int waitMilliseconds);
  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace tovalia
