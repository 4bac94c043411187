// Single-byte Windows-1252 text: the fixed case table used for sorting and
// searching on every machine alike, and conversion to and from UTF-8 at the
// program's edges (terminal, clipboard, drawing, file names).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovalia {

uint8_t UpperCaseByte(uint8_t c);
// The 256 upper-case bytes, for loops over many bytes.
const uint8_t* UpperCaseTable();
uint8_t LowerCaseByte(uint8_t c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Orders two texts by their upper-cased bytes as unsigned values; a text that
// is a prefix of the other comes first. Returns <0, 0 or >0.
int CompareUpperCased(std::string_view a, std::string_view b);

// The text without blanks at either end.
std::string TrimBlanks(std::string_view text);

std::string Cp1252ToUtf8(std::string_view text);
// Appends the CP1252 form of a character: its byte, or the letter a
// combining mark makes with the byte before it, or its nearest plain form
// (plain_forms.h); '?' only for a character that has none.
void AppendCp1252(std::string& out, uint32_t codePoint);

// What becomes of bytes that are no UTF-8: '?', or the CP1252 character of
// the byte (for files that mix the two).
enum class BrokenUtf8 { kQuestionMark, kAsCp1252 };
std::string Utf8ToCp1252(std::string_view text, BrokenUtf8 broken = BrokenUtf8::kQuestionMark);

// How many multi-byte UTF-8 sequences a text holds, and how many bytes
// above 127 belong to none.
struct Utf8Census {
  size_t sequences = 0;
  size_t broken = 0;
};
Utf8Census CountUtf8(std::string_view text);
// For drawing: as Cp1252ToUtf8, except that three or four bytes that form
// one UTF-8 character are drawn as that character. Such runs are text that
// came from a UTF-8 source byte for byte ("ï¿½" is the replacement
// character, "â€™" a closing quote); CP1252 text does not hold them by
// chance. Two-byte runs ("Ã©") are left alone: a capital accented letter
// before a sign is ordinary CP1252 ("Straße“").
std::string DisplayTextToUtf8(std::string_view text);
bool IsValidUtf8(std::string_view text);
// Text files from outside may be either: UTF-8 when they decode as such
// (a byte-order mark is dropped), CP1252 otherwise.
std::string TextFileToCp1252(std::string_view bytes);

}  // namespace tovalia
