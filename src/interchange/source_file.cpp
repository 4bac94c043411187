#include "interchange/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "db/data_file.h"

namespace tovalia {

namespace {

// Bytes read at a time; a piece grows to at most kLargestPiece when it
// holds no place to cut.
constexpr size_t kPiece = 1 << 20;
constexpr size_t kLargestPiece = 8 << 20;
// Lines in pieces look this far ahead (the data files' line rule).
constexpr size_t kLineLookahead = 84;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads up to `count` bytes at the offset; the bytes read.
size_t ReadAt(int fd, int64_t offset, char* to, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, to + done, count - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

// Where a piece of `bytes` may end so that no character, and neither
// neighbour of a byte the encoding census weighs, is split: between two
// ASCII characters. 0 when there is no such place.
size_t CutBetweenAscii(std::string_view bytes, SourceEncoding encoding) {
  const bool utf16 = encoding == SourceEncoding::kUtf16LittleEndian || encoding == SourceEncoding::kUtf16BigEndian;
  if (utf16) {
    auto ascii = [&](size_t unit) {
      const auto a = static_cast<uint8_t>(bytes[unit]);
      const auto b = static_cast<uint8_t>(bytes[unit + 1]);
      return encoding == SourceEncoding::kUtf16LittleEndian ? b == 0 && a < 0x80 : a == 0 && b < 0x80;
    };
    for (size_t p = (bytes.size() & ~size_t{1}) - 2; p >= 2 && p + 2 <= bytes.size(); p -= 2)
      if (ascii(p) && ascii(p - 2)) return p;
    return 0;
  }
  for (size_t p = bytes.size() - 1; p >= 1 && p < bytes.size(); --p)
    if (static_cast<uint8_t>(bytes[p]) < 0x80 && static_cast<uint8_t>(bytes[p - 1]) < 0x80) return p;
  return 0;
}

// A place to cut a piece that has no place between two ASCII characters
// (no text has such stretches): at least not inside a character.
size_t CutAnywhere(std::string_view bytes, SourceEncoding encoding) {
  if (encoding == SourceEncoding::kUtf16LittleEndian || encoding == SourceEncoding::kUtf16BigEndian)
    return bytes.size() & ~size_t{1};
  if (encoding == SourceEncoding::kUtf8) {
    for (size_t p = bytes.size() - 1; p >= 1 && p < bytes.size(); --p)
      if ((static_cast<uint8_t>(bytes[p]) & 0xC0) != 0x80) return p;
  }
  return bytes.size();
}

// The next piece of raw bytes from the offset, and its length up to where
// it may be cut; false at the end of the file.
bool ReadPiece(int fd, int64_t offset, int64_t size, SourceEncoding encoding, std::string& raw, size_t& length) {
  if (offset >= size) return false;
  size_t want = kPiece;
  for (;;) {
    want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(want), size - offset));
    raw.resize(want);
    const size_t got = ReadAt(fd, offset, raw.data(), want);
    raw.resize(got);
    if (got == 0) return false;  // the file shrank under us
    if (offset + static_cast<int64_t>(got) >= size || got < want) {
      length = got;
      return true;
    }
    const std::string_view bytes(raw.data(), got);
    if (const size_t cut = CutBetweenAscii(bytes, encoding); cut > 0) {
      length = cut;
      return true;
    }
    if (want >= kLargestPiece) {
      length = CutAnywhere(bytes, encoding);
      return true;
    }
    want *= 2;
  }
}

}  // namespace

namespace {

// The first CR or LF at or after `from`, or npos. (find_first_of searches
// its set once a character, which made it the import's costliest step.)
size_t FindLineEnd(const std::string& text, size_t from) {
  const char* const data = text.data();
  for (size_t i = from; i < text.size(); ++i)
    if (data[i] == '\r' || data[i] == '\n') return i;
  return std::string::npos;
}

}  // namespace

SourceFile::~SourceFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool SourceFile::Open(const std::string& path) {
  if (FolderExists(path)) return false;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat info;
  size_ = ::fstat(fd_, &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
  char head[3] = {};
  const size_t got = ReadAt(fd_, 0, head, sizeof head);
  const std::string_view opening(head, got);
  start_ = static_cast<int64_t>(ByteOrderMarkLength(opening));
  if (start_ > 0) {
    encoding_ = DetectSourceEncoding(opening);
  } else {
    EncodingCensus census;
    std::string raw;
    size_t length = 0;
    for (int64_t offset = 0; ReadPiece(fd_, offset, size_, SourceEncoding::kUtf8, raw, length);
         offset += static_cast<int64_t>(length))
      census.Add(std::string_view(raw.data(), length));
    encoding_ = census.Decide();
  }
  readTo_ = start_;
  return true;
}

bool SourceFile::DecodePiece(int64_t& offset, std::string& raw, std::string& text) const {
  size_t length = 0;
  if (!ReadPiece(fd_, offset, size_, encoding_, raw, length)) return false;
  offset += static_cast<int64_t>(length);
  if (encoding_ == SourceEncoding::kCp1252) {
    text.append(raw, 0, length);
  } else {
    text += DecodeAs(encoding_, std::string_view(raw.data(), length));
  }
  return true;
}

bool SourceFile::Fill() {
  if (ended_) return false;
  text_.erase(0, at_);
  at_ = 0;
  if (!DecodePiece(readTo_, raw_, text_)) {
    ended_ = true;
    return false;
  }
  return true;
}

std::string SourceFile::Opening(size_t count) const {
  std::string opening;
  std::string raw;
  std::string piece;
  int64_t offset = start_;
  while (opening.size() < count && DecodePiece(offset, raw, piece)) {
    size_t from = 0;
    if (opening.empty()) {
      while (from < piece.size() && IsBlank(piece[from])) ++from;
    }
    opening.append(piece, from, count - opening.size());
    piece.clear();
  }
  return opening;
}

std::string SourceFile::WholeText() const {
  std::string text;
  std::string raw;
  int64_t offset = start_;
  while (DecodePiece(offset, raw, text)) {
  }
  return text;
}

bool SourceFile::Next(std::string& line, SourceLines::Length length) {
  if (length == SourceLines::Length::kInPieces) {
    while (text_.size() - at_ < kLineLookahead && Fill()) {
    }
    if (at_ >= text_.size()) return false;
    at_ += TakeTextLine(std::string_view(text_).substr(at_), line, 1);
    return true;
  }
  for (;;) {
    const size_t end = FindLineEnd(text_, at_);
    const size_t lineEnd = end == std::string::npos ? text_.size() : end;
    if (lineEnd - at_ >= kLongestSourceLine) {
      line.assign(text_, at_, kLongestSourceLine);
      at_ += kLongestSourceLine;
      return true;
    }
    // A line end not yet read, or a CR whose LF may follow in the next piece:
    // the next piece is read and the line end looked for again, also when
    // there was none (the text before has moved to the front).
    if ((end == std::string::npos || (text_[end] == '\r' && end + 1 == text_.size())) && !ended_) {
      Fill();
      continue;
    }
    if (at_ >= text_.size()) return false;
    line.assign(text_, at_, lineEnd - at_);
    if (end == std::string::npos) {
      at_ = text_.size();
    } else {
      at_ = end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
    }
    return true;
  }
}

int64_t SourceFile::Position() const {
  return std::max<int64_t>(0, readTo_ - static_cast<int64_t>(text_.size() - at_));
}

}  // namespace tovalia
