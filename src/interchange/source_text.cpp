#include "interchange/source_text.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "db/cp1252.h"
#include "db/data_file.h"

namespace tovalia {

namespace {

// Unicode code points of the DOS code page 437's bytes 128-255.
constexpr std::array<uint16_t, 128> kCp437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

bool AsciiLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool AsciiDigit(int c) { return c >= '0' && c <= '9'; }

// Bytes above 127 weighed for each code page by what stands around them.
struct CodePageVotes {
  int cp437 = 0;
  int cp1252 = 0;
};

CodePageVotes Weigh(std::string_view bytes) {
  CodePageVotes votes;
  const auto at = [&bytes](size_t i) { return i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0; };
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = at(i);
    if (b < 0x80) continue;
    const int before = i > 0 ? at(i - 1) : 0;
    const int after = at(i + 1);
    const bool inWord = AsciiLetter(before) && AsciiLetter(after);
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
      votes.cp437 += 2;  // no character in CP1252
    } else if (b == 0xF8 && (AsciiDigit(before) || before == ' ')) {
      votes.cp437 += 2;  // the DOS degree sign: "350\xF8F"
    } else if (b == 0xFF) {
      votes.cp437 += 1;  // the DOS no-break space
    } else if (b >= 0xB0 && b <= 0xDF && (before == b || after == b) && !inWord) {
      votes.cp437 += 1;  // box drawing: a rule of the same character
    } else if ((b == 0xAB || b == 0xAC) && (AsciiDigit(before) || before == ' ')) {
      votes.cp437 += 1;  // the DOS one half and one quarter
    } else if (inWord && b < 0xA6 && b != 0x92) {
      votes.cp437 += 1;  // a DOS accented letter inside a word
    } else if (b == 0xB0 && AsciiDigit(before)) {
      votes.cp1252 += 2;  // the degree sign
    } else if (b == 0xBA && AsciiDigit(before)) {
      votes.cp1252 += 1;  // the ordinal sign standing for degrees
    } else if (b >= 0xC0 && inWord) {
      votes.cp1252 += 1;  // an accented letter inside a word
    } else if (b == 0x92 && inWord) {
      votes.cp1252 += 1;  // the typographic apostrophe
    } else if ((b >= 0x91 && b <= 0x94) || b == 0x96 || b == 0x97 || b == 0x85) {
      votes.cp1252 += (before == ' ' || after == ' ' || AsciiLetter(before)) ? 1 : 0;
    } else if (b >= 0xBC && b <= 0xBE && (AsciiDigit(before) || before == ' ')) {
      votes.cp1252 += 1;  // fraction signs
    }
  }
  return votes;
}

std::string Cp437ToCp1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x80) {
      out += c;
    } else if (b == 0xFF) {
      out += ' ';  // the no-break space lines up amount columns
    } else {
      AppendCp1252(out, kCp437[b - 0x80]);
    }
  }
  return out;
}

std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const auto unit = [&](size_t i) {
    const auto a = static_cast<uint8_t>(bytes[i]);
    const auto b = static_cast<uint8_t>(bytes[i + 1]);
    return static_cast<uint32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t codePoint = unit(i);
    if (codePoint >= 0xD800 && codePoint < 0xDC00 && i + 3 < bytes.size()) {
      const uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendCp1252(out, codePoint);
  }
  return out;
}

bool HasHighBytes(std::string_view bytes) {
  // Eight bytes at a time: sources run to a hundred megabytes.
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ull) return true;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<uint8_t>(bytes[i]) >= 0x80) return true;
  }
  return false;
}

}  // namespace

SourceEncoding DetectSourceEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return SourceEncoding::kUtf8;
  if (bytes.substr(0, 2) == "\xFF\xFE") return SourceEncoding::kUtf16LittleEndian;
  if (bytes.substr(0, 2) == "\xFE\xFF") return SourceEncoding::kUtf16BigEndian;
  if (!HasHighBytes(bytes)) return SourceEncoding::kCp1252;
  // A stray byte in a UTF-8 file (one in twenty sequences at most) does
  // not make it CP1252; text in CP1252 rarely forms even one sequence.
  const Utf8Census census = CountUtf8(bytes);
  if (census.sequences > 0 && census.broken * 20 <= census.sequences) return SourceEncoding::kUtf8;
  const CodePageVotes votes = Weigh(bytes);
  return votes.cp437 > votes.cp1252 ? SourceEncoding::kCp437 : SourceEncoding::kCp1252;
}

std::string DecodeSourceText(std::string text) {
  std::string_view bytes = text;
  switch (DetectSourceEncoding(bytes)) {
    case SourceEncoding::kUtf8: {
      if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
      std::string text = Utf8ToCp1252(bytes, BrokenUtf8::kAsCp1252);
      // No-break spaces would keep amounts and units from being read apart.
      for (char& c : text) {
        if (c == '\xA0') c = ' ';
      }
      return text;
    }
    case SourceEncoding::kUtf16LittleEndian: return Utf16ToCp1252(bytes.substr(2), false);
    case SourceEncoding::kUtf16BigEndian: return Utf16ToCp1252(bytes.substr(2), true);
    case SourceEncoding::kCp437: return Cp437ToCp1252(bytes);
    case SourceEncoding::kCp1252: break;
  }
  return text;
}

bool ReadSourceText(const std::string& path, std::string& text) {
  text.clear();
  if (FolderExists(path)) return false;
  MappedFile file;
  if (!file.Open(path)) {
    // An empty file maps to nothing but reads as an empty text.
    return FileExists(path) && FileReadable(path);
  }
  text.assign(reinterpret_cast<const char*>(file.Data()), static_cast<size_t>(file.Size()));
  text = DecodeSourceText(std::move(text));
  return true;
}

bool SourceLines::Next(std::string& line) {
  if (position_ >= text_.size()) return false;
  if (length_ == Length::kInPieces) {
    position_ += TakeTextLine(text_.substr(position_), line, 1);
    return true;
  }
  const size_t end = text_.find_first_of("\r\n", position_);
  if (end == std::string_view::npos) {
    line.assign(text_.substr(position_));
    position_ = text_.size();
    return true;
  }
  line.assign(text_.substr(position_, end - position_));
  position_ = end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
  return true;
}

}  // namespace tovalia
