// The thin file layer every data format is built on: the four open modes,
// block reads and writes through byte buffers, text lines, and the
// write-then-rename replacement that keeps whole-file rewrites crash-safe.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"

namespace tovalia {

// An open data file. A handle that failed to open (or was closed) transfers
// nothing: reads leave buffers alone and writes are dropped.
class DataFile {
 public:
  DataFile() = default;
  ~DataFile();
  DataFile(DataFile&& other) noexcept;
  DataFile& operator=(DataFile&& other) noexcept;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

 private:
  friend DataFile OpenDataFile(const std::string& mode, const std::string& path);
  friend void CloseDataFile(DataFile& file);
  friend int64_t FilePosition(const DataFile& file);
  friend int64_t FileLength(const DataFile& file);
  friend void SeekFile(DataFile& file, int64_t position);
  friend int32_t ReadBlock(DataFile& file, ByteBuffer& buffer, int32_t offset, int32_t count);
  friend int32_t ReadRaw(DataFile& file, void* target, int32_t count);
  friend int32_t WriteBlock(DataFile& file, const ByteBuffer& buffer, int32_t offset,
                            int32_t count);
  friend bool WriteRaw(DataFile& file, const void* source, size_t count);
  friend bool SyncDataFile(DataFile& file);
  friend bool TruncateDataFile(DataFile& file, int64_t length);

  int fd_ = -1;
};

// Modes: "o" write only, created or truncated, not shared; "a" write only,
// opened or created, not shared, positioned at the end; "i" read only, opened
// or created, shared for reading; "u" read and write, opened or created, not
// shared, positioned at 0. Any other mode, or a file another handle holds
// against sharing, gives a handle that is not open.
DataFile OpenDataFile(const std::string& mode, const std::string& path);
void CloseDataFile(DataFile& file);

int64_t FilePosition(const DataFile& file);
int64_t FileLength(const DataFile& file);
void SeekFile(DataFile& file, int64_t position);

// Both return the bytes moved; a range outside the buffer moves nothing.
int32_t ReadBlock(DataFile& file, ByteBuffer& buffer, int32_t offset, int32_t count);
int32_t WriteBlock(DataFile& file, const ByteBuffer& buffer, int32_t offset, int32_t count);
// Plain-memory variants for code that streams through its own buffers.
int32_t ReadRaw(DataFile& file, void* target, int32_t count);
bool WriteRaw(DataFile& file, const void* source, size_t count);
// Flushes the file's contents to the disk.
bool SyncDataFile(DataFile& file);
// Cuts the file to the length (used to take back a failed append).
bool TruncateDataFile(DataFile& file, int64_t length);

// Writes the text, then CR LF when the flag is nonzero.
void WriteTextLine(DataFile& file, const std::string& text, int lineEndFlag);

// Reads the next line of a text file, at most 84 bytes at a time: a line
// ends at CR, LF or CR LF; a longer line is broken after its last blank
// within 80 bytes, or else after 84 bytes. With stripFlag 0 the line keeps a
// CR at its end. At the end of the file the text is left unchanged and false
// is returned.
bool ReadTextLine(DataFile& file, std::string& text, int stripFlag);

// The same line rule over bytes in memory: sets the line taken from the
// start of `rest` and returns how many bytes it used up (0 when rest is empty).
size_t TakeTextLine(std::string_view rest, std::string& text, int stripFlag);


bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Whether this process may read the file.
bool FileReadable(const std::string& path);
void ClearReadOnly(const std::string& path);
bool DeleteDataFile(const std::string& path);
// Replaces target by source in one step (the target may exist).
bool RenameDataFile(const std::string& source, const std::string& target);
// Makes a rename or delete inside the folder durable.
void SyncFolderOf(const std::string& path);

// Writes the bytes to a temporary file beside path, flushes it and renames it
// over path: a crash leaves either the old file or the new one.
bool ReplaceFileContents(const std::string& path, const void* data, size_t size);

// A whole file mapped read-only into memory, for reading many records in
// any order without a system call each. Empty when it could not be mapped.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  bool Open(const std::string& path);
  const uint8_t* Data() const { return data_; }
  int64_t Size() const { return size_; }

 private:
  const uint8_t* data_ = nullptr;
  int64_t size_ = 0;
};

// Reads a text file's lines by the ReadTextLine rule from memory, so that a
// long import does not pay several system calls a line.
class TextLineReader {
 public:
  explicit TextLineReader(const std::string& path);
  bool Next(std::string& text, int stripFlag);
  int64_t Position() const { return static_cast<int64_t>(position_); }
  int64_t Length() const { return file_.Size(); }

 private:
  MappedFile file_;
  size_t position_ = 0;
};

// Reads a whole file (mode "i"); false when it could not be opened or read.
bool ReadWholeFile(const std::string& path, ByteBuffer& buffer);

}  // namespace tovalia
