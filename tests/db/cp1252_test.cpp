#include "db/cp1252.h"
#include "platform/clipboard_text.h"

#include <gtest/gtest.h>

namespace tovalia {
namespace {

TEST(Cp1252Case, FollowsTheFixedTable) {
  EXPECT_EQ(UpperCase(Utf8ToCp1252("crème brûlée")), Utf8ToCp1252("CRÈME BRÛLÉE"));
  EXPECT_EQ(UpperCaseByte(0xE0), 0xC0);  // a grave
  EXPECT_EQ(UpperCaseByte(0xFE), 0xDE);  // thorn
  EXPECT_EQ(UpperCaseByte(0xF7), 0xF7);  // division sign has no capital
  EXPECT_EQ(UpperCaseByte(0xDF), 0xDF);  // sharp s stays
  EXPECT_EQ(UpperCaseByte(0xFF), 0x9F);  // y diaeresis
  EXPECT_EQ(UpperCaseByte(0x9A), 0x8A);  // s caron
  EXPECT_EQ(UpperCaseByte(0x9C), 0x8C);  // oe
  EXPECT_EQ(UpperCaseByte(0x9E), 0x8E);  // z caron
  EXPECT_EQ(UpperCaseByte(0xB5), 0xB5);  // micro sign stays
  for (int c = 0; c < 256; ++c) {
    uint8_t upper = UpperCaseByte(static_cast<uint8_t>(c));
    if (upper != c) {
      EXPECT_EQ(LowerCaseByte(upper), c);
    }
  }
  EXPECT_EQ(LowerCase("SOUP KITCHEN"), "soup kitchen");
}

TEST(Cp1252Case, TitlesCompareUpperCasedWithPrefixesFirst) {
  EXPECT_LT(CompareUpperCased("APPLE", "Apple Crumble"), 0);
  EXPECT_LT(CompareUpperCased("Apple Crumble", "apple pie"), 0);
  EXPECT_EQ(CompareUpperCased("apple", "APPLE"), 0);
  EXPECT_LT(CompareUpperCased("apples", "Zucchini"), 0);
  // Bytes compare unsigned: accented letters sort after Z.
  EXPECT_GT(CompareUpperCased(Utf8ToCp1252("Éclair"), "Zucchini"), 0);
}

TEST(Cp1252Utf8, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
  EXPECT_EQ(Utf8ToCp1252("½ cup"), "\xBD cup");
}

// Clipboard text, file names and command-line files alike: a character
// CP1252 has no byte for becomes its nearest plain form.
TEST(Cp1252Utf8, WhatCp1252CannotHoldBecomesItsPlainForm) {
  EXPECT_EQ(Utf8ToCp1252("ﬁne ﬂour"), "fine flour");
  EXPECT_EQ(Utf8ToCp1252("⅓ cup − 2 ‐ 3 ℃"), "1/3 cup - 2 - 3 \xB0" "C");
  EXPECT_EQ(Utf8ToCp1252("Gołąbki, Škoda, Ærø"), "Golabki, \x8A" "koda, \xC6r\xF8");
  EXPECT_EQ(Utf8ToCp1252("e\xCC\x81" "clair a\xCC\x80" " la"), "\xE9" "clair \xE0 la");  // decomposed accents
  EXPECT_EQ(Utf8ToCp1252("zero\xE2\x80\x8Bwidth 🍰 cake"), "zerowidth  cake");
  EXPECT_EQ(ClipboardToProgramText("ﬁlet\r\n“mignon”"), "filet\r\x93mignon\x94");
}

TEST(Cp1252Utf8, WhatHasNoPlainFormBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("日本"), "??");
  EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");     // broken UTF-8
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");       // overlong form
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "??");       // cut short
}

TEST(Cp1252Utf8, TextFilesMayBeEitherEncoding) {
  EXPECT_EQ(TextFileToCp1252("\xEF\xBB\xBF" "Café"), "Caf\xE9");
  EXPECT_EQ(TextFileToCp1252("Caf\xE9"), "Caf\xE9");  // not UTF-8: taken as it is
}

TEST(DisplayText, UtfEightRunsOfThreeOrFourBytesAreDrawnAsTheirCharacter) {
  // The replacement character and a closing quote stored byte for byte.
  EXPECT_EQ(DisplayTextToUtf8("a \xEF\xBF\xBD b"), "a \xEF\xBF\xBD b");
  EXPECT_EQ(DisplayTextToUtf8("Mom\xE2\x80\x99s"), "Mom\xE2\x80\x99s");
  EXPECT_EQ(DisplayTextToUtf8("\xF0\x9F\x8D\xB0"), "\xF0\x9F\x8D\xB0");
  // Everything else is CP1252: two-byte runs, broken or cut-off runs, lone letters.
  EXPECT_EQ(DisplayTextToUtf8("Stra\xDF\x93"), "Stra\xC3\x9F\xE2\x80\x9C");
  EXPECT_EQ(DisplayTextToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(DisplayTextToUtf8("\xEF\xBF"), "\xC3\xAF\xC2\xBF");
  EXPECT_EQ(DisplayTextToUtf8("\xE9t\xE9"), Cp1252ToUtf8("\xE9t\xE9"));
}

}  // namespace
}  // namespace tovalia
