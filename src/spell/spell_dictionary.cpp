#include "spell/spell_dictionary.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_file.h"

namespace tovalia {

namespace {

uint8_t ByteAt(const std::string& image, size_t at) { return static_cast<uint8_t>(image[at]); }

// Whether a sound entry starts at `at`: its length byte agrees with the
// word and replacement lengths and the entry ends inside the image.
bool EntryFits(const std::string& image, size_t at) {
  if (at + 3 > image.size()) return false;
  const size_t length = ByteAt(image, at);
  const size_t wordLength = ByteAt(image, at + 1);
  if (length < 3 || at + length > image.size() || wordLength + 3 > length) return false;
  return wordLength + ByteAt(image, at + 2 + wordLength) + 3 == length;
}

// The midpoint of lo and hi with half steps rounded to the even number.
int32_t Midpoint(int32_t lo, int32_t hi) {
  const int32_t span = hi - lo;
  int32_t half = span / 2;
  if (span % 2 != 0 && half % 2 != 0) ++half;
  return lo + half;
}

}  // namespace

std::string_view SpellDictionary::Word(int32_t entry) const {
  if (entry < 0 || entry >= Count()) return {};
  const size_t at = static_cast<size_t>(offsets[static_cast<size_t>(entry)]);
  return std::string_view(image).substr(at + 2, ByteAt(image, at + 1));
}

std::string_view SpellDictionary::Replacement(int32_t entry) const {
  if (entry < 0 || entry >= Count()) return {};
  const size_t at = static_cast<size_t>(offsets[static_cast<size_t>(entry)]);
  const size_t wordLength = ByteAt(image, at + 1);
  return std::string_view(image).substr(at + 3 + wordLength, ByteAt(image, at + 2 + wordLength));
}

std::string DamagedDictionaryMessage() {
  return "The spell check dictionary Spell54.dat is damaged.|Words can be checked against the part that could|"
         "be read, but it will not be changed.";
}

DictionaryState LoadSpellImage(SpellDictionary& dictionary, std::string image) {
  FreeSpellDictionary(dictionary);
  dictionary.image = std::move(image);
  const std::string& bytes = dictionary.image;
  size_t at = 0;
  bool sorted = true;
  std::string previous;
  while (at < bytes.size() && EntryFits(bytes, at)) {
    dictionary.offsets.push_back(static_cast<int32_t>(at));
    std::string word = LowerCase(dictionary.Word(dictionary.Count() - 1));
    if (word < previous) sorted = false;
    previous = std::move(word);
    at += ByteAt(bytes, at);
  }
  if (at < bytes.size() || !sorted) {
    dictionary.state = DictionaryState::kDamaged;
  } else {
    dictionary.state = dictionary.offsets.empty() ? DictionaryState::kEmpty : DictionaryState::kLoaded;
  }
  return dictionary.state;
}

DictionaryState LoadSpellDictionary(SpellDictionary& dictionary, const std::string& path) {
  ByteBuffer bytes;
  std::string image;
  if (FileExists(path) && ReadWholeFile(path, bytes) && bytes.Size() > 0)
    image.assign(reinterpret_cast<const char*>(bytes.Data()), static_cast<size_t>(bytes.Size()));
  const DictionaryState state = LoadSpellImage(dictionary, std::move(image));
  dictionary.path = path;
  return state;
}

void FreeSpellDictionary(SpellDictionary& dictionary) {
  dictionary.image.clear();
  dictionary.image.shrink_to_fit();
  dictionary.offsets.clear();
  dictionary.offsets.shrink_to_fit();
  dictionary.current = -1;
  dictionary.listTop = 0;
  dictionary.state = DictionaryState::kEmpty;
}

void CentreListTop(SpellDictionary& dictionary) {
  dictionary.listTop = std::max(0, dictionary.current - kSpellListRows / 2);
}

void FindSpellWord(SpellDictionary& dictionary, std::string_view word, std::string& foundWord,
                   std::string& foundReplacement) {
  foundWord.clear();
  foundReplacement.clear();
  if (word.empty() || dictionary.Count() == 0) {
    dictionary.current = -1;
    dictionary.listTop = 0;
    return;
  }
  const std::string wanted = LowerCase(word);
  int32_t lo = 0;
  int32_t hi = dictionary.Count() - 1;
  while (hi - lo >= 2) {
    const int32_t mid = Midpoint(lo, hi);
    if (wanted < LowerCase(dictionary.Word(mid))) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  // The word may be either end of the last span: the first entry or the
  // last can only be found there.
  dictionary.current = LowerCase(dictionary.Word(lo)) == wanted ? lo : hi;
  foundWord = dictionary.Word(dictionary.current);
  foundReplacement = dictionary.Replacement(dictionary.current);
  CentreListTop(dictionary);
}

std::string BuildSpellImage(std::vector<SpellEntry> entries) {
  for (SpellEntry& entry : entries) entry.word = LowerCase(entry.word);
  std::stable_sort(entries.begin(), entries.end(),
                   [](const SpellEntry& a, const SpellEntry& b) { return a.word < b.word; });
  std::string image;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i + 1 < entries.size() && entries[i + 1].word == entries[i].word) continue;
    AppendSpellEntry(image, {entries[i].word, LowerCase(entries[i].replacement)});
  }
  return image;
}

SpellSaveResult SaveSpellEntry(SpellDictionary& dictionary, SpellSaveMode mode, std::string_view word,
                               std::string_view replacement) {
  if (dictionary.state == DictionaryState::kDamaged) return SpellSaveResult::kDamaged;
  const bool deleting = mode == SpellSaveMode::kDeleteCurrent;
  SpellEntry added{LowerCase(word), deleting ? std::string() : LowerCase(replacement)};
  if (added.replacement == added.word) added.replacement.clear();  // a word replaced by itself is a plain word
  std::string newEntry;
  if (!deleting && !AppendSpellEntry(newEntry, added)) return SpellSaveResult::kTooLong;

  std::string image;
  image.reserve(dictionary.image.size() + newEntry.size());
  bool written = deleting;
  for (int32_t i = 0; i < dictionary.Count(); ++i) {
    const size_t at = static_cast<size_t>(dictionary.offsets[static_cast<size_t>(i)]);
    const std::string_view entry = std::string_view(dictionary.image).substr(at, ByteAt(dictionary.image, at));
    if (deleting) {
      if (i != dictionary.current) image += entry;
      continue;
    }
    const std::string existing = LowerCase(dictionary.Word(i));
    if (!written && existing > added.word) {
      image += newEntry;
      written = true;
    }
    if ((mode == SpellSaveMode::kReplaceCurrent && i == dictionary.current) || existing == added.word) continue;
    image += entry;
  }
  if (!written) image += newEntry;

  if (!ReplaceFileContents(dictionary.path, image.data(), image.size())) return SpellSaveResult::kWriteFailed;
  const std::string path = dictionary.path;
  LoadSpellDictionary(dictionary, path);
  std::string foundWord, foundReplacement;
  FindSpellWord(dictionary, added.word, foundWord, foundReplacement);
  return SpellSaveResult::kSaved;
}

}  // namespace tovalia
