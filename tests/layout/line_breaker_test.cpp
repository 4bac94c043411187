#include "layout/line_breaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovalia {
namespace {

// A stand-in for a proportional face: capitals wider than small letters,
// M and W wider still.
int GlyphWidth(char c) {
  if (c == 'M' || c == 'W') return 15;
  if (c >= 'A' && c <= 'Z') return 11;
  if (c == ' ' || c == '.' || c == ',') return 4;
  return 8;
}

const TextMeasure kMeasure = [](std::string_view text) {
  int width = 0;
  for (char c : text) width += GlyphWidth(c);
  return width;
};

std::vector<std::string> Lines(std::string_view text, int characters, int width = 0) {
  const LineLimit limit{characters, width, width > 0 ? &kMeasure : nullptr};
  std::vector<std::string> lines;
  for (std::string_view line : BreakIntoLines(text, limit)) lines.emplace_back(line);
  return lines;
}

TEST(LineBreaker, MeasuredLinesNeverRunPastTheWidthAndLoseNothing) {
  const std::string text =
      "IN A 9\" PIE PLATE OR SHALLOW CASSEROLE DISH, ARRANGE BROCCOLI; TOP WITH CHICKEN. "
      "COMBINE SOUP AND MILK; POUR OVER CHICKEN. MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM mix well\r"
      "\rwhisk the cream with a little sugar until it holds soft peaks";
  for (int width : {60, 150, 333, 1000}) {
    std::string joined;
    for (const std::string& line : Lines(text, 80, width)) {
      std::string_view drawn = line;
      if (!drawn.empty() && drawn.back() == '\r') drawn.remove_suffix(1);
      // A glyph wider than the whole width still gets a line of its own.
      if (drawn.size() > 1) {
        EXPECT_LE(kMeasure(drawn), width) << '"' << line << "\" at " << width;
      }
      EXPECT_LE(line.size(), 80u);
      joined += line;
    }
    EXPECT_EQ(joined, text);
  }
}

TEST(LineBreaker, WideTextWrapsSoonerThanNarrowTextOfTheSameLength) {
  // 19 small letters and blanks fit in 150; the same words in capitals do not.
  EXPECT_EQ(Lines("mix in the flour", 80, 150), (std::vector<std::string>{"mix in the flour"}));
  EXPECT_EQ(Lines("MIX IN THE FLOUR", 80, 150), (std::vector<std::string>{"MIX IN THE ", "FLOUR"}));
  // A word wider than the width is cut where it stops fitting, not at the
  // character limit.
  EXPECT_EQ(Lines("WWWWWWWWWW", 80, 50), (std::vector<std::string>{"WWW", "WWW", "WWW", "W"}));
  // A carriage return ends the line only when the text before it fits.
  EXPECT_EQ(Lines("MIX IN THE FLOUR\rSALT", 80, 150),
            (std::vector<std::string>{"MIX IN THE ", "FLOUR\r", "SALT"}));
  EXPECT_EQ(Lines("mix in\rsalt", 80, 150), (std::vector<std::string>{"mix in\r", "salt"}));
}

TEST(LineBreaker, TheCharacterLimitStillHoldsWhenEverythingFits) {
  const std::string text = "a b c d e f g h i j k l";
  EXPECT_EQ(Lines(text, 10, 10000), Lines(text, 10));
  EXPECT_EQ(Lines(text, 10), (std::vector<std::string>{"a b c d e ", "f g h i j ", "k l"}));
  EXPECT_EQ(Lines("abcdefghij", 6, 10000), (std::vector<std::string>{"abcde", "fghij"}));
}

TEST(LineBreaker, FittingLengthIsTheLongestStartThatFits) {
  EXPECT_EQ(FittingLength("abcd", 16, kMeasure), 2);
  EXPECT_EQ(FittingLength("abcd", 15, kMeasure), 1);
  EXPECT_EQ(FittingLength("abcd", 7, kMeasure), 0);
  EXPECT_EQ(FittingLength("abcd", 100, kMeasure), 4);
  EXPECT_EQ(FittingLength("", 0, kMeasure), 0);
}

}  // namespace
}  // namespace tovalia
