// The checking pass over one record's texts, apart from any screen: the
// title, then the ingredients, then the directions (title and text for a
// text record), word by word. "Watch for" words are replaced silently; the
// pass stops at each word the dictionary does not hold.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "spell/spell_dictionary.h"

namespace tovalia {

// One text under the pass: where the scan stands and the current word
// (start and end inclusive, -1 when none).
struct SpellText {
  std::string* text = nullptr;
  int32_t capacity = 0;  // the most bytes the text may grow to
  int32_t position = 0;
  int32_t wordStart = -1;
  int32_t wordEnd = -1;
  int32_t grown = 0;  // bytes the replacements so far added (negative: removed)
};

// A "watch for" word the pass replaced on its own.
struct SilentReplacement {
  int32_t part = 0;
  int32_t originalOffset = 0;  // where the word stood before any replacement
  std::string word;
  std::string replacement;
};

struct SpellPass {
  SpellDictionary& dictionary;
  std::array<SpellText, 3> texts{};
  int32_t textCount = 0;
  int32_t part = 0;         // the text being scanned
  bool finished = false;
  bool changed = false;     // some word was replaced
  std::vector<SilentReplacement> silentReplacements;

  explicit SpellPass(SpellDictionary& d) : dictionary(d) {}
  // Adds the next text to scan (title first); capacity in bytes.
  void AddText(std::string& text, int32_t capacity);
  bool HasWord() const;
  const SpellText& Current() const { return texts[static_cast<size_t>(part)]; }
  std::string CurrentWord() const;
};

// Digits, letters, the apostrophe and every byte of 128 and above.
bool IsSpellWordCharacter(uint8_t c);

// Continues the scan; true with the current word set at a misspelled word,
// false when the pass is done (the dictionary's current entry is then -1).
bool NextMisspelledWord(SpellPass& pass);

// The new text in the capitalisation of the word it replaces: all capitals,
// a capital first letter, or lower case.
std::string MatchCapitalisation(std::string_view replaced, std::string_view text);

// Replaces the current word (with the current dictionary entry's
// replacement, or its word, when `text` is empty), keeping the word's
// capitalisation; the rest of the text moves and the scan continues after
// the new word. False, with nothing changed, without a current word or text
// to put in, or when the text would outgrow its capacity.
bool ReplaceCurrentWord(SpellPass& pass, std::string_view text);

// The scan states go back to the start of every text.
void ResetSpellPass(SpellPass& pass);

// The display line of the current text around the current word: the text
// from the line's start to its end (CR), with the word's place in it.
struct WordInLine {
  std::string line;
  int32_t wordStart = 0;
  int32_t wordLength = 0;
};
WordInLine CurrentWordInLine(const SpellPass& pass, int32_t mostCharacters);

}  // namespace tovalia
