// Spell54.dat byte for byte, the binary search at its edges, the three ways
// of saving an entry, the word rules and a damaged file.
#include <gtest/gtest.h>

#include "spell/spell_dictionary.h"
#include "spell/spell_entry_form.h"
#include "spell/spell_list.h"
#include "spell/spell_suggestions.h"
#include "spell/starter_dictionary.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

std::string FileText(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// A dictionary file of plain words (already sorted).
std::string Plain(std::initializer_list<const char*> words) {
  std::string image;
  for (const char* w : words) AppendSpellEntry(image, {w, ""});
  return image;
}

class Dictionary : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  std::string path = folder.File("Spell54.dat");
  SpellDictionary d;
  std::string found, replacement;

  void Write(const std::string& image) { WriteBytes(path, std::vector<uint8_t>(image.begin(), image.end())); }
  void Find(const char* word) { FindSpellWord(d, word, found, replacement); }
};

TEST_F(Dictionary, EntriesAreWrittenSortedWithTheirLengthBytesAndOneEntryAWord) {
  LoadSpellDictionary(d, path);  // no file: empty
  EXPECT_EQ(d.state, DictionaryState::kEmpty);
  ASSERT_EQ(SaveSpellEntry(d, SpellSaveMode::kAdd, "Tomatoe", "Tomato"), SpellSaveResult::kSaved);
  ASSERT_EQ(SaveSpellEntry(d, SpellSaveMode::kAdd, "basil", ""), SpellSaveResult::kSaved);
  ASSERT_EQ(SaveSpellEntry(d, SpellSaveMode::kAdd, "zest", "zest"), SpellSaveResult::kSaved);
  EXPECT_EQ(FileText(path), std::string("\x08\x05" "basil\x00", 8) + std::string("\x10\x07tomatoe\x06tomato") +
                                std::string("\x07\x04zest\x00", 7));
  EXPECT_FALSE(testing::Exists(path + ".new"));  // written through a temporary file and a rename
  EXPECT_EQ(d.Word(d.current), "zest");  // the saved word is current

  // Adding an existing word replaces its entry.
  ASSERT_EQ(SaveSpellEntry(d, SpellSaveMode::kAdd, "TOMATOE", "tomatoes"), SpellSaveResult::kSaved);
  EXPECT_EQ(d.Count(), 3);
  Find("tomatoe");
  EXPECT_EQ(replacement, "tomatoes");

  // Replacing the current entry under another word moves it into order.
  Find("basil");
  ASSERT_EQ(SaveSpellEntry(d, SpellSaveMode::kReplaceCurrent, "thyme", ""), SpellSaveResult::kSaved);
  EXPECT_EQ(FileText(path), std::string("\x08\x05thyme\x00", 8) + std::string("\x12\x07tomatoe\x08tomatoes") +
                                std::string("\x07\x04zest\x00", 7));

  // Deleting every entry leaves an empty file.
  for (const char* word : {"thyme", "zest", "tomatoe"}) {
    Find(word);
    ASSERT_EQ(SaveSpellEntry(d, SpellSaveMode::kDeleteCurrent, word, ""), SpellSaveResult::kSaved);
  }
  EXPECT_TRUE(testing::Exists(path));
  EXPECT_EQ(FileText(path), "");
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(SaveSpellEntry(d, SpellSaveMode::kAdd, std::string(200, 'a'), std::string(53, 'b')),
            SpellSaveResult::kTooLong);
}

TEST_F(Dictionary, BinarySearchFindsBothEndsWithOneTwoAndManyEntries) {
  LoadSpellImage(d, Plain({"only"}));
  Find("only");
  EXPECT_EQ(d.current, 0);
  EXPECT_EQ(found, "only");
  Find("ONLY");
  EXPECT_EQ(found, "only");

  LoadSpellImage(d, Plain({"apple", "pear"}));
  Find("apple");
  EXPECT_EQ(found, "apple");
  Find("pear");
  EXPECT_EQ(found, "pear");
  EXPECT_EQ(d.current, 1);

  LoadSpellImage(d, Plain({"aa", "bb", "cc", "dd", "ee", "ff", "gg", "hh", "ii", "jj", "kk", "ll"}));
  for (int32_t i = 0; i < d.Count(); ++i) {
    const std::string word(d.Word(i));
    Find(word.c_str());
    EXPECT_EQ(d.current, i) << word;
    EXPECT_EQ(found, word);
    EXPECT_EQ(d.listTop, std::max(0, i - 4));
  }
  Find("cd");  // not there: a neighbour is current
  EXPECT_TRUE(d.current == 2 || d.current == 3);
  EXPECT_NE(found, "cd");
  Find("");
  EXPECT_EQ(d.current, -1);
  EXPECT_EQ(d.listTop, 0);
  LoadSpellImage(d, "");
  Find("word");
  EXPECT_EQ(d.current, -1);
}

TEST_F(Dictionary, ADamagedFileIsReportedReadAsFarAsItGoesAndNeverRewritten) {
  const std::string sound = Plain({"basil", "thyme"});
  Write(sound + "\x09\x05oregano");  // the last entry runs past the end
  EXPECT_EQ(LoadSpellDictionary(d, path), DictionaryState::kDamaged);
  EXPECT_EQ(d.Count(), 2);
  Find("thyme");
  EXPECT_EQ(found, "thyme");
  EXPECT_EQ(SaveSpellEntry(d, SpellSaveMode::kAdd, "sage", ""), SpellSaveResult::kDamaged);
  EXPECT_EQ(FileText(path), sound + "\x09\x05oregano");

  Write(Plain({"thyme", "basil"}));  // out of order: the search could not find words
  EXPECT_EQ(LoadSpellDictionary(d, path), DictionaryState::kDamaged);
  Write(std::string("\x09\x05" "basil\x02x", 9));  // the length byte disagrees
  EXPECT_EQ(LoadSpellDictionary(d, path), DictionaryState::kDamaged);
}

TEST(SpellWords, TheFormTidiesAndRefusesWithItsErrorLines) {
  std::string word = "  Tomatoe ", replacement = " TOMATO";
  EXPECT_EQ(TidySpellEntry(word, replacement), "");
  EXPECT_EQ(word, "tomatoe");
  EXPECT_EQ(replacement, "tomato");
  word = "Sage";
  replacement = "sage";
  EXPECT_EQ(TidySpellEntry(word, replacement), "");
  EXPECT_EQ(replacement, "");  // the same text is a plain word
  const std::string badCharacter = "||** No numbers, spaces, or punctuation|allowed in dictionary words **";
  for (const char* bad : {"350f", "ice cream", "semi-sweet"}) {
    word = bad;
    EXPECT_EQ(TidySpellEntry(word, replacement), badCharacter) << bad;
  }
  word = "a";
  EXPECT_EQ(TidySpellEntry(word, replacement), "||** Dictionary words must be two or more letters **");
  word = "cr\xE8me";
  EXPECT_EQ(TidySpellEntry(word, replacement), "");  // accented letters are letters
  word = "cook's";
  EXPECT_EQ(TidySpellEntry(word, replacement), "");
}

TEST(SpellList, KeysAndWheelKeepTheCurrentEntryInTheNineRows) {
  SpellDictionary d;
  std::string image;
  for (char c = 'a'; c <= 't'; ++c) AppendSpellEntry(image, {std::string(2, c), ""});  // 20 entries
  LoadSpellImage(d, image);
  MoveInSpellList(d, SpellListMove::kEnd);
  EXPECT_EQ(d.current, 19);
  EXPECT_EQ(d.listTop, 11);
  MoveInSpellList(d, SpellListMove::kPageUp);
  EXPECT_EQ(d.listTop, 2);
  EXPECT_EQ(d.current, 2);
  MoveInSpellList(d, SpellListMove::kUp);
  MoveInSpellList(d, SpellListMove::kUp);
  MoveInSpellList(d, SpellListMove::kUp);
  EXPECT_EQ(d.current, 0);
  EXPECT_EQ(d.listTop, 0);
  MoveInSpellList(d, SpellListMove::kPageDown);
  EXPECT_EQ(d.listTop, 9);
  EXPECT_EQ(d.current, 17);
  MoveInSpellList(d, SpellListMove::kPageDown);
  EXPECT_EQ(d.listTop, 11);
  EXPECT_EQ(d.current, 19);
  for (int i = 0; i < 9; ++i) MoveInSpellList(d, SpellListMove::kUp);
  EXPECT_EQ(d.current, 10);
  EXPECT_EQ(d.listTop, 10);
  ScrollSpellList(d, -50);
  EXPECT_EQ(d.listTop, 11);
  ScrollSpellList(d, 50);
  EXPECT_EQ(d.listTop, 0);
  MoveInSpellList(d, SpellListMove::kHome);
  EXPECT_EQ(d.current, 0);
}

TEST(SpellSuggestions, NearestWordsFirstAndWatchForWordsAsTheirReplacement) {
  SpellDictionary d;
  LoadSpellImage(d, BuildSpellImage({{"simmer", ""}, {"summer", ""}, {"shimmer", ""}, {"salmon", ""},
                                     {"tomatoe", "tomato"}, {"tomato", ""}, {"simmer's", ""}}));
  const std::vector<std::string> s = SuggestSpellings(d, "Simmr");
  ASSERT_GE(s.size(), 2u);
  EXPECT_EQ(s[0], "simmer");
  EXPECT_EQ(std::count(s.begin(), s.end(), "simmer's"), 0);
  EXPECT_EQ(SuggestSpellings(d, "tomatoee"), std::vector<std::string>{"tomato"});
  EXPECT_EQ(BoundedEditDistance("teh", "the", 2), 1);  // a swap is one edit
  EXPECT_EQ(BoundedEditDistance("abc", "xyzabc", 2), 3);
  EXPECT_TRUE(SuggestSpellings(d, "zzzzzzzz").empty());
}

TEST(StarterDictionary, WordListsAndTheFirstStartCopy) {
  const WordListReading reading = ReadWordList(
      "# comment\nApple\n\ncr\xC3\xA8me\nteh\tthe\nalot -> a lot\nsemi-sweet\nx\nsame\tsame\n");
  ASSERT_EQ(reading.entries.size(), 5u);
  EXPECT_EQ(reading.entries[1].word, "cr\xE8me");  // UTF-8 read as CP1252
  EXPECT_EQ(reading.entries[2].replacement, "the");
  EXPECT_EQ(reading.entries[3].replacement, "a lot");
  EXPECT_EQ(reading.entries[4].replacement, "");
  EXPECT_EQ(reading.refused, 2);

  testing::TempFolder program, data;
  const std::string shipped = Plain({"apple", "pear"});
  WriteBytes(program.File("Spell54.dat"), std::vector<uint8_t>(shipped.begin(), shipped.end()));
  EXPECT_TRUE(InstallStarterDictionary(program.Path(), data.Path()));
  EXPECT_EQ(FileText(data.File("Spell54.dat")), shipped);
  // An existing dictionary, even an empty one, is never replaced.
  WriteBytes(data.File("Spell54.dat"), {});
  EXPECT_FALSE(InstallStarterDictionary(program.Path(), data.Path()));
  EXPECT_EQ(FileText(data.File("Spell54.dat")), "");
}

}  // namespace
}  // namespace tovalia
