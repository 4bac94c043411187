#include "recipe/quantity.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tovalia {
namespace {

TEST(FormatQuantity, EveryEighthAndThirdFromZeroToTenReadsBack) {
  for (int denominator : {8, 3}) {
    for (int k = 0; k <= 10 * denominator; ++k) {
      const double value = static_cast<double>(k) / denominator;
      const std::string text = FormatQuantity(value);
      const LeadingQuantity read = ParseLeadingQuantity(text + " cup");
      EXPECT_NEAR(read.value, value, 1e-9) << k << "/" << denominator << " written " << text;
      if (k > 0) {
        EXPECT_EQ(read.rest, "cup") << text;
      }
    }
  }
  EXPECT_EQ(FormatQuantity(1.5), "1-1/2");
  EXPECT_EQ(FormatQuantity(2.0 + 2.0 / 3), "2-2/3");
  EXPECT_EQ(FormatQuantity(0.75), "3/4");
  EXPECT_EQ(FormatQuantity(7), "7");
}

TEST(FormatQuantity, BandsRoundAtTheirLimits) {
  EXPECT_EQ(FormatQuantity(0.0625), "1/8");  // a value on a limit belongs to the band above
  EXPECT_EQ(FormatQuantity(0.0624), "0");
  EXPECT_EQ(FormatQuantity(2.96), "3");
  EXPECT_EQ(FormatQuantity(2.93), "2-7/8");
  EXPECT_EQ(FormatQuantity(0.3), "1/3");
  EXPECT_EQ(FormatQuantity(0.35), "1/3");
  EXPECT_EQ(FormatQuantity(0.36), "3/8");
  EXPECT_EQ(FormatQuantity(0.9375), "1");
  EXPECT_EQ(FormatQuantity(0.7), "2/3");
  EXPECT_EQ(FormatQuantity(0.705), "3/4");
  EXPECT_EQ(FormatQuantity(0.29), "1/3");
  EXPECT_EQ(FormatQuantity(0.2899), "1/4");
}

TEST(FormatQuantity, ZeroNegativeLargeAndTinyValues) {
  EXPECT_EQ(FormatQuantity(0), "0");
  EXPECT_EQ(FormatScaledQuantity(0), " 0");
  EXPECT_EQ(FormatScaledQuantity(2), " 2");
  EXPECT_EQ(FormatScaledQuantity(2.5), "2-1/2");
  EXPECT_EQ(FormatQuantity(-1.5), "-1-1/2");
  EXPECT_EQ(FormatQuantity(-0.25), "-1/4");
  EXPECT_EQ(FormatQuantity(1e-12), "0");
  EXPECT_EQ(FormatQuantity(123456789.5), "123456789-1/2");
  EXPECT_EQ(FormatQuantity(1e20), "100000000000000000000");
  EXPECT_EQ(FormatQuantity(NAN), "0");
  EXPECT_EQ(FormatQuantity(INFINITY), "0");
}

TEST(ParseLeadingQuantity, ReadsEveryFormAQuantityTakes) {
  struct Case {
    const char* line;
    double value;
    const char* rest;
  };
  for (const Case& c : std::vector<Case>{
           {"2 cups flour", 2, "cups flour"},
           {"1.5 cups milk", 1.5, "cups milk"},
           {".5 cup oil", 0.5, "cup oil"},
           {"1/2 cup sugar", 0.5, "cup sugar"},
           {"1 1/2 cups flour", 1.5, "cups flour"},
           {"1-1/2 tsp salt", 1.5, "tsp salt"},
           {"1-2 eggs", 1, "2 eggs"},  // a range: only the first number
           {"1/0 cup", 1, "cup"},
           {"1 1/0 cup", 2, "cup"},
           {"12", 12, ""},
           {"12\r", 12, ""},
           {"3/4\r", 0.75, ""},
           {"2lbs beef", 0, ""},
           {" 1 cup", 0, ""},
           {"Salt to taste", 0, ""},
           {"1/x cup", 0, ""},
           {"\xBD cup cream", 0.5, "cup cream"},
           {"1\xBD cups stock", 1.5, "cups stock"},
           {"2 \xBE cup rice", 2.75, "cup rice"},
           {"", 0, ""},
       }) {
    LeadingQuantity q = ParseLeadingQuantity(c.line);
    EXPECT_DOUBLE_EQ(q.value, c.value) << c.line;
    if (c.value != 0) {
      EXPECT_EQ(q.rest, c.rest) << c.line;
    }
  }
}

// Both ends of a range are scaled, however the range is written.
TEST(ResizeLine, ScalesBothEndsOfARange) {
  EXPECT_EQ(ResizeLine(2, "2 - 3 cups water\r"), "4-6 cups water\r");
  EXPECT_EQ(ResizeLine(2, "2-3 cups water"), "4-6 cups water\r");
  EXPECT_EQ(ResizeLine(0.5, "1-2 eggs"), "1/2-1 eggs\r");
  EXPECT_EQ(ResizeLine(2, "1/2-1 cup milk"), "1-2 cup milk\r");
  EXPECT_EQ(ResizeLine(2, "1 to 1-1/2 cups sugar"), "2-3 cups sugar\r");
  EXPECT_EQ(ResizeLine(3, "1-1/2 to 2 cups"), "4-1/2 to 6 cups\r");
  // No range: a mixed number, a second number no larger, one ten times larger.
  EXPECT_EQ(ResizeLine(2, "1-1/2 cups"), "3 cups\r");
  EXPECT_EQ(ResizeLine(2, "3-2 eggs"), "6 2 eggs\r");
  EXPECT_EQ(ResizeLine(2, "1-16 oz can"), "2 16 oz can\r");
}

TEST(ResizeLine, ScalesTheQuantityAndEndsEveryLineWithACarriageReturn) {
  EXPECT_EQ(ResizeLine(2, "1/2 cup milk"), "1 cup milk\r");
  EXPECT_EQ(ResizeLine(0.5, "1 1/2 cups flour\r"), "3/4 cups flour\r");
  EXPECT_EQ(ResizeLine(2, "1-1/2 tsp salt"), "3 tsp salt\r");
  EXPECT_EQ(ResizeLine(3, "1/3 cup"), "1 cup\r");
  EXPECT_EQ(ResizeLine(0.5, "1/8 tsp"), "1/8 tsp\r");
  EXPECT_EQ(ResizeLine(0.1, "1/4 tsp"), "0 tsp\r");
  EXPECT_EQ(ResizeLine(2, "2lbs beef"), "2lbs beef\r");
  EXPECT_EQ(ResizeLine(2, " 1 cup"), " 1 cup\r");
  EXPECT_EQ(ResizeLine(2, "Salt to taste\r"), "Salt to taste\r");
  EXPECT_EQ(ResizeLine(2, "4"), "8\r");
  EXPECT_EQ(ResizeLine(2, "4\r"), "8\r");
  EXPECT_EQ(ResizeLine(2, "1-2 eggs"), "2-4 eggs\r");
  EXPECT_EQ(ResizeLine(2, "\xBD cup cream"), "1 cup cream\r");
}

TEST(RoundHalfToEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfToEven(2.5), 2);
  EXPECT_EQ(RoundHalfToEven(3.5), 4);
  EXPECT_EQ(RoundHalfToEven(2.6), 3);
}

}  // namespace
}  // namespace tovalia
