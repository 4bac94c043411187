// Quantities at the head of ingredient lines: reading them, writing scaled
// values as kitchen fractions in eighths and thirds, and scaling a line.
// Every part of the program that turns a number into a quantity uses
// FormatQuantity, so the fraction rules live here only.
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

// A value as a whole number, a fraction or a mixed number: "2", "3/4",
// "1-1/2". Fractional parts fall into bands around the eighths and thirds;
// a part of 15/16 or more rounds the whole number up. Negative values are
// written as their size with a minus sign.
std::string FormatQuantity(double value);

// The same, with a blank in the sign position of a value written without a
// fraction (" 2"); the caller trims it.
std::string FormatScaledQuantity(double value);

struct LeadingQuantity {
  double value = 0;  // 0: the line opens with no quantity
  std::string rest;  // the text after it
};

// Reads the number that opens a line: "2", "1.5", ".5", "1/2", "1 1/2",
// "1-1/2", and the CP1252 fraction signs (0xBC-0xBE) alone or after a whole
// number ("1\xBD", "1 \xBD").
LeadingQuantity ParseLeadingQuantity(std::string_view line);

// Scales the quantity of one line (CP1252, perhaps ending with CR) by the
// factor; the line always ends with CR afterwards.
std::string ResizeLine(double factor, std::string_view line);

// Rounds to the nearest whole number, a half going to the even neighbour.
int RoundHalfToEven(double value);

}  // namespace tovalia
