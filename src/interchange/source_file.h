// An import source read from its file a piece at a time, so that the
// memory an import needs stays the same however large the file is: the
// encoding is decided over the whole file first (as DecodeSourceText
// decides it), then the file is decoded piece by piece and handed out line
// by line as SourceLines hands out a decoded text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "interchange/source_text.h"

namespace tovalia {

// A line longer than this comes in pieces of this length.
inline constexpr size_t kLongestSourceLine = 4 << 20;

class SourceFile {
 public:
  SourceFile() = default;
  ~SourceFile();
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  // False when the file cannot be read (missing, a folder, no permission).
  bool Open(const std::string& path);
  SourceEncoding Encoding() const { return encoding_; }

  // The decoded text from its first character that is not a blank, tab or
  // line end, `count` characters of it or what there is: enough to tell a
  // structured export by its opening. Line reading is not moved.
  std::string Opening(size_t count) const;
  // The whole decoded text, for the readers that take a file whole.
  std::string WholeText() const;

  // The next line, its line end (CR, LF or CR LF) stripped; false at the end.
  bool Next(std::string& line, SourceLines::Length length = SourceLines::Length::kWhole);
  // How far the lines have come, in bytes of the file, and its size.
  int64_t Position() const;
  int64_t Size() const { return size_; }

 private:
  // Reads the next piece of the file from `offset` on (into `raw`) and adds
  // it decoded to `text`; false at the end of the file.
  bool DecodePiece(int64_t& offset, std::string& raw, std::string& text) const;
  // Adds the next piece to the text waiting to be handed out.
  bool Fill();

  int fd_ = -1;
  int64_t size_ = 0;
  int64_t start_ = 0;  // after the byte-order mark
  SourceEncoding encoding_ = SourceEncoding::kCp1252;
  int64_t readTo_ = 0;  // file bytes decoded into text_
  bool ended_ = false;
  std::string raw_;   // the piece last read, kept for its memory
  std::string text_;  // decoded, not yet handed out from at_ on
  size_t at_ = 0;
};

}  // namespace tovalia
