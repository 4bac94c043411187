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

// Reads the quantity that opens a line, or a range of two ("1-2 eggs",
// "2 - 3 cups", "1/2-1 c", "2 to 3 cups"): `upTo` is the range's top, 0 when
// the line holds one quantity. A second number no larger than the first, or
// more than ten times it ("1-16 oz can"), is no range.
struct LeadingRange {
  double value = 0;
  double upTo = 0;
  std::string rest;
};
LeadingRange ParseLeadingRange(std::string_view line);

// Whether a value is a whole number or one of the kitchen fractions the
// writer knows (eighths and thirds) exactly.
bool IsKitchenQuantity(double value);

// Two written quantities as one range: "2-3", "1/2-1"; " to " where an end
// is a mixed number, which has a hyphen of its own ("1-1/2 to 2").
std::string JoinRange(const std::string& from, const std::string& upTo);

// Scales the quantity of one line (CP1252, perhaps ending with CR) by the
// factor, both ends of a range; the line always ends with CR afterwards.
std::string ResizeLine(double factor, std::string_view line);

// Rounds to the nearest whole number, a half going to the even neighbour.
int RoundHalfToEven(double value);

}  // namespace tovalia
