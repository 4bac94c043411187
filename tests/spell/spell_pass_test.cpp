// The checking pass without its screen: which words it stops at, the
// "watch for" replacements in the typed capitalisation, and replacing the
// current word.
#include <gtest/gtest.h>

#include "spell/spell_dictionary.h"
#include "spell/spell_pass.h"

namespace tovalia {
namespace {

SpellDictionary Words(std::vector<SpellEntry> entries) {
  SpellDictionary d;
  LoadSpellImage(d, BuildSpellImage(std::move(entries)));
  return d;
}

// Every word the pass stops at, skipping each.
std::vector<std::string> Stops(SpellPass& pass) {
  std::vector<std::string> stops;
  while (NextMisspelledWord(pass)) stops.push_back(pass.CurrentWord());
  return stops;
}

TEST(SpellPass, StopsOnlyAtUnknownWordsAcrossTitleIngredientsAndDirections) {
  SpellDictionary d = Words({{"bake", ""}, {"for", ""}, {"minutes", ""}, {"cook's", ""}, {"flour", ""},
                             {"cup", ""}, {"pie", ""}, {"the", ""}, {"oven", ""}});
  std::string title = "Cook's Pie", ingredients = "1 cup flour\r2 cups sugarr", directions =
      "Bake at 350F for 40 minutes. 'Oven' is hot; the ovens' door, a b c.";
  SpellPass pass(d);
  pass.AddText(title, 100);
  pass.AddText(ingredients, 100);
  pass.AddText(directions, 100);
  // Digits (350F) and single letters are passed over; 'Oven' loses both
  // apostrophes; "ovens'" keeps its trailing one.
  EXPECT_EQ(Stops(pass), (std::vector<std::string>{"cups", "sugarr", "at", "is", "hot", "ovens'", "door"}));
  EXPECT_TRUE(pass.finished);
  EXPECT_EQ(d.current, -1);
  EXPECT_FALSE(pass.changed);

  // An empty dictionary: every word of two letters or more without digits.
  SpellDictionary empty;
  std::string text = "A 2x pot of tea";
  SpellPass all(empty);
  all.AddText(text, 100);
  EXPECT_EQ(Stops(all), (std::vector<std::string>{"pot", "of", "tea"}));
}

TEST(SpellPass, WatchForWordsAreReplacedSilentlyInTheTypedCapitalisation) {
  SpellDictionary d = Words({{"teh", "the"}, {"tomatoe", "tomato"}, {"and", ""}, {"the", ""}, {"tomato", ""}});
  std::string text = "TEH Teh teh and Tomatoe TOMATOE tomatoe";
  SpellPass pass(d);
  pass.AddText(text, 100);
  EXPECT_TRUE(Stops(pass).empty());
  EXPECT_EQ(text, "THE The the and Tomato TOMATO tomato");
  EXPECT_TRUE(pass.changed);
  ASSERT_EQ(pass.silentReplacements.size(), 6u);
  EXPECT_EQ(pass.silentReplacements[3].word, "Tomatoe");
  EXPECT_EQ(pass.silentReplacements[3].originalOffset, 16);  // where it stood before the text moved
  EXPECT_EQ(pass.silentReplacements[5].originalOffset, 32);

  EXPECT_EQ(MatchCapitalisation("Word", "other"), "Other");
  EXPECT_EQ(MatchCapitalisation("WORD", "other"), "OTHER");
  EXPECT_EQ(MatchCapitalisation("wORD", "Other"), "other");
  EXPECT_EQ(MatchCapitalisation("\xC9" "clair", "\xE9" "clair"), "\xC9" "clair");  // accented capitals
}

TEST(SpellPass, ReplacingWithALongerWordMovesTheRestAndTheScanGoesOn) {
  SpellDictionary d = Words({{"simmer", ""}, {"gently", ""}, {"then", ""}, {"serve", ""}});
  std::string text = "Simr gently then Srve";
  SpellPass pass(d);
  pass.AddText(text, 100);
  ASSERT_TRUE(NextMisspelledWord(pass));
  EXPECT_EQ(pass.CurrentWord(), "Simr");
  ASSERT_TRUE(ReplaceCurrentWord(pass, "SIMMER"));
  EXPECT_EQ(text, "Simmer gently then Srve");
  EXPECT_EQ(pass.CurrentWord(), "Simmer");  // the word now spans the new text
  ASSERT_TRUE(NextMisspelledWord(pass));
  EXPECT_EQ(pass.CurrentWord(), "Srve");
  // An empty text takes the current dictionary entry.
  std::string found, replacement;
  FindSpellWord(d, "serve", found, replacement);
  ASSERT_TRUE(ReplaceCurrentWord(pass, ""));
  EXPECT_EQ(text, "Simmer gently then Serve");
  EXPECT_FALSE(NextMisspelledWord(pass));

  // A replacement that would outgrow the text's capacity changes nothing.
  std::string title = "Stw";
  SpellPass small(d);
  small.AddText(title, 5);
  ASSERT_TRUE(NextMisspelledWord(small));
  EXPECT_FALSE(ReplaceCurrentWord(small, "stewpot"));
  EXPECT_EQ(title, "Stw");
  EXPECT_TRUE(ReplaceCurrentWord(small, "stew"));
  EXPECT_EQ(title, "Stew");
}

TEST(SpellPass, TheLineAroundTheWordForTheScreen) {
  SpellDictionary d;
  std::string text = "first line\rsecond wrd here\rthird";
  SpellPass pass(d);
  pass.AddText(text, 100);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(NextMisspelledWord(pass));
  const WordInLine shown = CurrentWordInLine(pass, 80);
  EXPECT_EQ(shown.line, "second wrd here");
  EXPECT_EQ(shown.line.substr(static_cast<size_t>(shown.wordStart), static_cast<size_t>(shown.wordLength)), "wrd");
}

}  // namespace
}  // namespace tovalia
