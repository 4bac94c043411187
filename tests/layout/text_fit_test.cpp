#include "layout/text_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tovalia {
namespace {

// Half the size per character, capitals three quarters.
const SizedMeasure kMeasure = [](std::string_view text, double size) {
  double width = 0;
  for (char c : text) width += (c >= 'A' && c <= 'Z' ? 0.75 : 0.5) * size;
  return static_cast<int>(std::ceil(width));
};

TEST(TextFit, ShrinksALittleBeforeItWraps) {
  // 20 small letters: 220 at 22, 200 at 20.
  FittedText f = FitText("abcdefghij klmnopqrs", 220, 2, 22, 17, kMeasure);
  EXPECT_EQ(f.size, 22);
  EXPECT_EQ(f.lines, std::vector<std::string>{"abcdefghij klmnopqrs"});
  f = FitText("abcdefghij klmnopqrs", 200, 2, 22, 17, kMeasure);
  EXPECT_EQ(f.size, 20);
  EXPECT_EQ(f.lines.size(), 1u);
  EXPECT_FALSE(f.shortened);
}

TEST(TextFit, WrapsAtTheSmallestSizeThenEndsInAnEllipsis) {
  const std::string title = "Slow Roasted Autumn Harvest Vegetable Casserole";
  FittedText f = FitText(title, 250, 2, 22, 17, kMeasure);
  EXPECT_EQ(f.size, 17);
  ASSERT_EQ(f.lines.size(), 2u);
  EXPECT_EQ(f.lines[0] + " " + f.lines[1], title);  // the blank at the break is dropped
  EXPECT_FALSE(f.shortened);
  for (const std::string& line : f.lines) EXPECT_LE(kMeasure(line, 17), 250);

  f = FitText(title + " with Brown Butter Sage Crumb Topping for Twelve", 250, 2, 22, 17, kMeasure);
  ASSERT_EQ(f.lines.size(), 2u);
  EXPECT_TRUE(f.shortened);
  EXPECT_EQ(f.lines[1].back(), kEllipsis);
  EXPECT_NE(f.lines[1][f.lines[1].size() - 2], ' ');  // no blank before the ellipsis
  for (const std::string& line : f.lines) EXPECT_LE(kMeasure(line, 17), 250);

  // One line only: shrunk, then cut.
  f = FitText("MMMMMMMMMMMMMMMMMMMM", 100, 1, 14, 12, kMeasure);
  EXPECT_EQ(f.size, 12);
  ASSERT_EQ(f.lines.size(), 1u);
  EXPECT_TRUE(f.shortened);
  EXPECT_LE(kMeasure(f.lines[0], 12), 100);
}

TEST(TextFit, EllipsisOnlyWhenNeeded) {
  const TextMeasure at10 = [](std::string_view t) { return kMeasure(t, 10); };
  EXPECT_EQ(EndWithEllipsis("short  ", 100, at10), "short");
  EXPECT_EQ(EndWithEllipsis("abcd efghij", 34, at10), std::string("abcd") + kEllipsis);
  EXPECT_EQ(EndWithEllipsis("abcdefgh", 2, at10), std::string(1, kEllipsis));
}

}  // namespace
}  // namespace tovalia
