#include "spell/spell_pass.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

void SpellPass::AddText(std::string& text, int32_t capacity) {
  if (textCount >= static_cast<int32_t>(texts.size())) return;
  texts[static_cast<size_t>(textCount++)] = SpellText{&text, std::max(capacity, static_cast<int32_t>(text.size()))};
}

bool SpellPass::HasWord() const {
  return !finished && part < textCount && Current().wordStart >= 0 && Current().wordEnd >= Current().wordStart;
}

std::string SpellPass::CurrentWord() const {
  if (!HasWord()) return {};
  const SpellText& t = Current();
  return t.text->substr(static_cast<size_t>(t.wordStart), static_cast<size_t>(t.wordEnd - t.wordStart + 1));
}

bool IsSpellWordCharacter(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\'' || c >= 128;
}

namespace {

bool HasDigit(std::string_view word) {
  return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void FinishPass(SpellPass& pass) {
  pass.finished = true;
  for (SpellText& t : pass.texts) t.wordStart = t.wordEnd = -1;
  pass.dictionary.current = -1;
  pass.dictionary.listTop = 0;
}

}  // namespace

bool NextMisspelledWord(SpellPass& pass) {
  std::string foundWord, foundReplacement;
  while (!pass.finished) {
    if (pass.part >= pass.textCount) {
      FinishPass(pass);
      return false;
    }
    SpellText& t = pass.texts[static_cast<size_t>(pass.part)];
    const std::string& text = *t.text;
    const int32_t length = static_cast<int32_t>(text.size());
    t.wordStart = t.wordEnd = -1;
    if (t.position >= length) {
      if (++pass.part < pass.textCount) pass.texts[static_cast<size_t>(pass.part)].position = 0;
      continue;
    }
    int32_t start = t.position;
    int32_t after = start;
    while (after < length && IsSpellWordCharacter(static_cast<uint8_t>(text[static_cast<size_t>(after)]))) ++after;
    int32_t end = std::max(after - 1, start);
    t.position = std::max(after, start) + 1;
    if (end > start && text[static_cast<size_t>(start)] == '\'' && text[static_cast<size_t>(end)] == '\'') {
      ++start;
      --end;
    }
    if (end - start + 1 < 2) continue;
    const std::string_view word = std::string_view(text).substr(static_cast<size_t>(start),
                                                                static_cast<size_t>(end - start + 1));
    if (HasDigit(word)) continue;
    t.wordStart = start;
    t.wordEnd = end;
    FindSpellWord(pass.dictionary, word, foundWord, foundReplacement);
    if (pass.dictionary.current >= 0 && LowerCase(word) == LowerCase(foundWord)) {
      if (!foundReplacement.empty()) {
        SilentReplacement replaced{pass.part, start - t.grown, std::string(word), {}};
        if (ReplaceCurrentWord(pass, foundReplacement)) {
          replaced.replacement = pass.CurrentWord();
          pass.silentReplacements.push_back(std::move(replaced));
        }
      }
      t.wordStart = t.wordEnd = -1;
      continue;
    }
    return true;
  }
  return false;
}

std::string MatchCapitalisation(std::string_view replaced, std::string_view text) {
  if (!replaced.empty() && replaced == UpperCase(replaced)) return UpperCase(text);
  std::string result = LowerCase(text);
  const auto first = replaced.empty() ? uint8_t{0} : static_cast<uint8_t>(replaced[0]);
  if (first != 0 && UpperCaseByte(first) == first && LowerCaseByte(first) != first && !result.empty())
    result[0] = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(result[0])));
  return result;
}

bool ReplaceCurrentWord(SpellPass& pass, std::string_view text) {
  if (!pass.HasWord()) return false;
  std::string chosen(text);
  if (chosen.empty()) {
    const SpellDictionary& d = pass.dictionary;
    chosen = d.Replacement(d.current).empty() ? std::string(d.Word(d.current)) : std::string(d.Replacement(d.current));
  }
  if (chosen.empty()) return false;
  SpellText& t = pass.texts[static_cast<size_t>(pass.part)];
  const int32_t oldLength = t.wordEnd - t.wordStart + 1;
  const std::string newWord = MatchCapitalisation(pass.CurrentWord(), chosen);
  const int32_t difference = static_cast<int32_t>(newWord.size()) - oldLength;
  if (static_cast<int64_t>(t.text->size()) + difference > t.capacity) return false;
  t.text->replace(static_cast<size_t>(t.wordStart), static_cast<size_t>(oldLength), newWord);
  t.position += difference;
  t.grown += difference;
  t.wordEnd = t.wordStart + static_cast<int32_t>(newWord.size()) - 1;
  pass.changed = true;
  return true;
}

void ResetSpellPass(SpellPass& pass) {
  for (SpellText& t : pass.texts) {
    t.position = 0;
    t.wordStart = t.wordEnd = -1;
    t.grown = 0;
  }
  pass.part = 0;
}

WordInLine CurrentWordInLine(const SpellPass& pass, int32_t mostCharacters) {
  WordInLine shown;
  if (!pass.HasWord()) return shown;
  const SpellText& t = pass.Current();
  const std::string& text = *t.text;
  size_t from = text.rfind('\r', static_cast<size_t>(t.wordStart));
  from = from == std::string::npos ? 0 : from + 1;
  size_t to = text.find('\r', static_cast<size_t>(t.wordEnd));
  if (to == std::string::npos) to = text.size();
  const int32_t length = t.wordEnd - t.wordStart + 1;
  // A long line is cut to a window around the word.
  const int32_t room = std::max(mostCharacters, length);
  if (static_cast<int32_t>(to - from) > room) {
    const int32_t before = (room - length) / 2;
    from = static_cast<size_t>(std::max<int32_t>(static_cast<int32_t>(from), t.wordStart - before));
    to = std::min(to, from + static_cast<size_t>(room));
  }
  shown.line = text.substr(from, to - from);
  for (char& c : shown.line)
    if (static_cast<uint8_t>(c) < 32) c = ' ';
  shown.wordStart = t.wordStart - static_cast<int32_t>(from);
  shown.wordLength = length;
  return shown;
}

}  // namespace tovalia
