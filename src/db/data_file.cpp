#include "db/data_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace tovalia {

DataFile::~DataFile() { CloseDataFile(*this); }

DataFile::DataFile(DataFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

DataFile& DataFile::operator=(DataFile&& other) noexcept {
  if (this != &other) {
    CloseDataFile(*this);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

namespace {

int OpenWithCreate(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags | O_CREAT | O_CLOEXEC, 0644);
  // A read-only folder still lets existing files be read.
  if (fd < 0 && (flags & O_ACCMODE) == O_RDONLY) fd = ::open(path.c_str(), flags | O_CLOEXEC);
  return fd;
}

// Windows' sharing modes map to advisory locks: writers hold the file
// exclusively, readers share it.
bool TakeLock(int fd, bool exclusive) {
  for (;;) {
    if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) return true;
    if (errno != EINTR) return false;
  }
}

}  // namespace

DataFile OpenDataFile(const std::string& mode, const std::string& path) {
  DataFile file;
  int flags;
  bool exclusive = true;
  if (mode == "o" || mode == "a") {
    flags = O_WRONLY;
  } else if (mode == "i") {
    flags = O_RDONLY;
    exclusive = false;
  } else if (mode == "u") {
    flags = O_RDWR;
  } else {
    return file;
  }
  int fd = OpenWithCreate(path, flags);
  if (fd < 0) return file;
  if (!TakeLock(fd, exclusive)) {
    ::close(fd);
    return file;
  }
  // Truncate only once the lock is ours, so a file another handle holds is
  // never cut short.
  if (mode == "o" && ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return file;
  }
  if (mode == "a") ::lseek(fd, 0, SEEK_END);
  file.fd_ = fd;
  return file;
}

void CloseDataFile(DataFile& file) {
  if (file.fd_ >= 0) ::close(file.fd_);
  file.fd_ = -1;
}

int64_t FilePosition(const DataFile& file) {
  if (file.fd_ < 0) return 0;
  off_t position = ::lseek(file.fd_, 0, SEEK_CUR);
  return position < 0 ? 0 : position;
}

int64_t FileLength(const DataFile& file) {
  struct stat info;
  if (file.fd_ < 0 || ::fstat(file.fd_, &info) != 0) return 0;
  return info.st_size;
}

void SeekFile(DataFile& file, int64_t position) {
  if (file.fd_ < 0 || position < 0) return;
  ::lseek(file.fd_, position, SEEK_SET);
}

int32_t ReadRaw(DataFile& file, void* target, int32_t count) {
  if (file.fd_ < 0 || count <= 0) return 0;
  auto* bytes = static_cast<uint8_t*>(target);
  int32_t done = 0;
  while (done < count) {
    ssize_t got = ::read(file.fd_, bytes + done, static_cast<size_t>(count - done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<int32_t>(got);
  }
  return done;
}

int32_t ReadBlock(DataFile& file, ByteBuffer& buffer, int32_t offset, int32_t count) {
  if (count <= 0 || !buffer.Holds(offset, count)) return 0;
  return ReadRaw(file, buffer.Data() + offset, count);
}

bool WriteRaw(DataFile& file, const void* source, size_t count) {
  if (file.fd_ < 0) return false;
  const auto* bytes = static_cast<const uint8_t*>(source);
  size_t done = 0;
  while (done < count) {
    ssize_t put = ::write(file.fd_, bytes + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

int32_t WriteBlock(DataFile& file, const ByteBuffer& buffer, int32_t offset, int32_t count) {
  if (count <= 0 || !buffer.Holds(offset, count)) return 0;
  return WriteRaw(file, buffer.Data() + offset, static_cast<size_t>(count)) ? count : 0;
}

bool SyncDataFile(DataFile& file) { return file.fd_ >= 0 && ::fsync(file.fd_) == 0; }

bool TruncateDataFile(DataFile& file, int64_t length) {
  return file.fd_ >= 0 && length >= 0 && ::ftruncate(file.fd_, length) == 0;
}

void WriteTextLine(DataFile& file, const std::string& text, int lineEndFlag) {
  WriteRaw(file, text.data(), text.size());
  if (lineEndFlag != 0) WriteRaw(file, "\r\n", 2);
}

size_t TakeTextLine(std::string_view rest, std::string& text, int stripFlag) {
  constexpr size_t kChunk = 84;
  constexpr size_t kBlankWindow = 80;
  if (rest.empty()) return 0;
  const std::string_view s = rest.substr(0, kChunk);
  const size_t cr = s.find('\r');
  const size_t lf = s.find('\n');
  const size_t blank = s.substr(0, kBlankWindow).rfind(' ');
  if (cr != std::string_view::npos && (lf == std::string_view::npos || lf > cr)) {
    // A CR LF pair is one line end.
    text.assign(s.substr(0, stripFlag == 1 ? cr : cr + 1));
    return lf == cr + 1 ? lf + 1 : cr + 1;
  }
  if (lf != std::string_view::npos) {
    text.assign(s.substr(0, lf));
    if (stripFlag == 0) text += '\r';
    return lf + 1;
  }
  if (blank != std::string_view::npos) {
    // An overlong line is broken after its last blank.
    text.assign(s.substr(0, blank + 1));
    return blank + 1;
  }
  text.assign(s);
  return s.size();
}

bool ReadTextLine(DataFile& file, std::string& text, int stripFlag) {
  const int64_t position = FilePosition(file);
  const int64_t length = FileLength(file);
  if (length <= position) return false;
  char chunk[84];
  const int32_t count = ReadRaw(file, chunk, static_cast<int32_t>(std::min<int64_t>(sizeof chunk, length - position)));
  if (count <= 0) return false;
  const size_t used = TakeTextLine(std::string_view(chunk, static_cast<size_t>(count)), text, stripFlag);
  SeekFile(file, position + static_cast<int64_t>(used));
  return true;
}

TextLineReader::TextLineReader(const std::string& path) { file_.Open(path); }

bool TextLineReader::Next(std::string& text, int stripFlag) {
  if (!file_.Data() || position_ >= static_cast<size_t>(file_.Size())) return false;
  const std::string_view rest(reinterpret_cast<const char*>(file_.Data()) + position_,
                              static_cast<size_t>(file_.Size()) - position_);
  position_ += TakeTextLine(rest, text, stripFlag);
  return true;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

bool FolderExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileReadable(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

void ClearReadOnly(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return;
  if (!(info.st_mode & S_IWUSR)) ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
}

bool DeleteDataFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RenameDataFile(const std::string& source, const std::string& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}

void SyncFolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ReplaceFileContents(const std::string& path, const void* data, size_t size) {
  std::string temporary = path + ".new";
  {
    DataFile file = OpenDataFile("o", temporary);
    if (!file.IsOpen()) return false;
    if (!WriteRaw(file, data, size) || !SyncDataFile(file)) {
      CloseDataFile(file);
      DeleteDataFile(temporary);
      return false;
    }
  }
  if (!RenameDataFile(temporary, path)) {
    DeleteDataFile(temporary);
    return false;
  }
  SyncFolderOf(path);
  return true;
}

MappedFile::~MappedFile() {
  if (data_) ::munmap(const_cast<uint8_t*>(data_), static_cast<size_t>(size_));
}

bool MappedFile::Open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool mapped = false;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    void* address = ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (address != MAP_FAILED) {
      data_ = static_cast<const uint8_t*>(address);
      size_ = info.st_size;
      mapped = true;
    }
  }
  ::close(fd);
  return mapped;
}

bool ReadWholeFile(const std::string& path, ByteBuffer& buffer) {
  FreeBuffer(buffer);
  if (!FileExists(path)) return false;
  DataFile file = OpenDataFile("i", path);
  if (!file.IsOpen()) return false;
  int64_t length = FileLength(file);
  if (length <= 0) return true;
  if (length > INT32_MAX) return false;
  CreateBuffer(static_cast<int32_t>(length), buffer);
  int32_t got = ReadBlock(file, buffer, 0, static_cast<int32_t>(length));
  if (got != length) {
    FreeBuffer(buffer);
    return false;
  }
  return true;
}

}  // namespace tovalia
