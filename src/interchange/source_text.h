// The text of an import source in the program's CP1252, whatever the
// source was written in: UTF-8 (with or without a byte-order mark),
// UTF-16 with its mark, CP1252, or the DOS code page 437 of old Meal-Master
// collections. Characters CP1252 cannot hold become their nearest plain
// form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovalia {

enum class SourceEncoding { kCp1252, kUtf8, kUtf16LittleEndian, kUtf16BigEndian, kCp437 };

// Decides by a byte-order mark; otherwise by whether the bytes read as
// UTF-8 with multi-byte sequences (a few stray bytes allowed); otherwise
// by which of CP1252 and CP437 makes more sense of the bytes above 127
// (degree signs after numbers, accented letters inside words, box drawing).
SourceEncoding DetectSourceEncoding(std::string_view bytes);

// The bytes as CP1252 text, without a byte-order mark. Text in CP1252
// (plain ASCII included) comes back as it was, without a copy.
std::string DecodeSourceText(std::string bytes);

// Reads a source file whole and decodes it; false when it cannot be read
// (a missing file, a folder, no permission).
bool ReadSourceText(const std::string& path, std::string& text);

// A decoded source handed out line by line, line ends (CR, LF, CR LF)
// stripped. In pieces, an overlong line comes in pieces of at most 84
// bytes, by the line rule of the data files' text lines.
class SourceLines {
 public:
  enum class Length { kWhole, kInPieces };
  explicit SourceLines(std::string_view text, Length length = Length::kWhole) : text_(text), length_(length) {}
  bool Next(std::string& line);
  size_t Position() const { return position_; }
  size_t Size() const { return text_.size(); }

 private:
  std::string_view text_;
  Length length_;
  size_t position_ = 0;
};

}  // namespace tovalia
