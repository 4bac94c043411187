#include "platform/instance_marker.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace tovalia {

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = (folder && *folder) ? folder : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}

std::string DefaultMarkerPath() { return TemporaryFolder() + "Tovalia In Use.dat"; }

InstanceMarker::InstanceMarker(std::string path) : path_(std::move(path)) {}

InstanceMarker::~InstanceMarker() { Release(); }

bool InstanceMarker::Acquire() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return false;
    }
    // A copy that was ending may have deleted the file between our open and
    // our lock; the lock only counts on the file the path still names.
    struct stat held, named;
    if (::fstat(fd, &held) == 0 && ::stat(path_.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
      if (::ftruncate(fd, 0) != 0) { /* an empty marker is all we need */ }
      fd_ = fd;
      return true;
    }
    ::close(fd);
  }
  return false;
}

void InstanceMarker::Release() {
  if (fd_ < 0) return;
  ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
}

}  // namespace tovalia
