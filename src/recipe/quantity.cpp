#include "recipe/quantity.h"

#include <cmath>
#include <cstdio>

#include "db/cp1252.h"

namespace tovalia {

namespace {

// Bands of the fractional part; the limits are single-precision constants,
// compared after widening, and a value on a limit belongs to the band above.
struct FractionStep {
  float from;
  const char* text;  // "" for no fraction, nullptr for the next whole number
};

constexpr FractionStep kFractionSteps[] = {
    {0.0f, ""},      {0.0625f, "1/8"}, {0.1875f, "1/4"}, {0.29f, "1/3"},
    {0.3525f, "3/8"}, {0.4375f, "1/2"}, {0.5625f, "5/8"}, {0.6425f, "2/3"},
    {0.705f, "3/4"}, {0.8125f, "7/8"}, {0.9375f, nullptr},
};

std::string WholeNumber(double n) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", n);
  return text;
}

std::string Format(double value, bool blankForSign) {
  if (!std::isfinite(value)) return "0";
  if (value < 0) return "-" + Format(-value, false);
  double n = std::trunc(value);
  double f = value - n;
  const char* fraction = "";
  for (const FractionStep& step : kFractionSteps)
    if (f >= static_cast<double>(step.from)) fraction = step.text;
  if (fraction == nullptr) {
    n += 1;
    fraction = "";
  }
  if (*fraction == '\0') return (blankForSign ? " " : "") + WholeNumber(n);
  if (n >= 1) return WholeNumber(n) + "-" + fraction;
  return fraction;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a CP1252 fraction sign, or 0.
double FractionSign(char c) {
  switch (static_cast<uint8_t>(c)) {
    case 0xBC: return 0.25;
    case 0xBD: return 0.5;
    case 0xBE: return 0.75;
    default: return 0;
  }
}

// The longest numeric prefix (digits, one point, digits) of a slice.
double DecimalReading(std::string_view slice) {
  double value = 0;
  size_t i = 0;
  for (; i < slice.size() && IsDigit(slice[i]); ++i) value = value * 10 + (slice[i] - '0');
  if (i < slice.size() && slice[i] == '.') {
    double scale = 0.1;
    for (++i; i < slice.size() && IsDigit(slice[i]); ++i, scale /= 10) value += (slice[i] - '0') * scale;
  }
  return value;
}

// Scans a digit run from index `from`; stops at the first non-digit or at
// the line's last character, and returns that index.
size_t ScanDigits(std::string_view line, size_t from) {
  size_t i = from;
  while (i < line.size() && IsDigit(line[i]) && i + 1 < line.size()) ++i;
  return i;
}

std::string_view After(std::string_view line, size_t index) {
  return index + 1 < line.size() ? line.substr(index + 1) : std::string_view();
}

}  // namespace

std::string FormatQuantity(double value) { return Format(value, false); }
std::string FormatScaledQuantity(double value) { return Format(value, true); }

int RoundHalfToEven(double value) { return static_cast<int>(std::nearbyint(value)); }

LeadingQuantity ParseLeadingQuantity(std::string_view line) {
  LeadingQuantity q;
  if (line.empty()) return q;
  const char c = line[0];
  if (double sign = FractionSign(c); sign > 0) {
    q.value = sign;
    q.rest = std::string(TrimBlanks(line.substr(1)));
    return q;
  }
  if (c == '.') {
    // The character after the point is taken as part of the number unexamined.
    size_t i = 2;
    while (i < line.size() && IsDigit(line[i])) ++i;
    q.value = DecimalReading(line.substr(0, i));
    q.rest = std::string(After(line, i));
    return q;
  }
  if (!IsDigit(c)) return q;

  const size_t e = ScanDigits(line, 0);
  const char d = line[e];
  if (e + 1 == line.size() && (IsDigit(d) || d == '\r')) {
    q.value = DecimalReading(line);
    return q;
  }
  const std::string_view whole = line.substr(0, e);
  if (d == '/') {
    if (e + 1 >= line.size() || !IsDigit(line[e + 1])) return q;
    const size_t stop = ScanDigits(line, e + 1);
    std::string_view denominator = line.substr(e + 1, stop - e - (IsDigit(line[stop]) ? 0 : 1));
    double numerator = DecimalReading(whole);
    double divisor = DecimalReading(denominator);
    q.value = divisor == 0 ? numerator : numerator / divisor;
    q.rest = std::string(After(line, stop));
    return q;
  }
  if (d == '.') {
    size_t stop = e + 1;
    while (stop < line.size() && IsDigit(line[stop]) && stop + 1 < line.size()) ++stop;
    q.value = DecimalReading(line.substr(0, stop + 1));
    q.rest = std::string(After(line, stop));
    return q;
  }
  if (double sign = FractionSign(d); sign > 0) {
    q.value = DecimalReading(whole) + sign;
    q.rest = std::string(TrimBlanks(After(line, e)));
    return q;
  }
  if (d == ' ' || d == '-') {
    if (e + 1 < line.size()) {
      if (double sign = FractionSign(line[e + 1]); sign > 0 && d == ' ') {
        q.value = DecimalReading(whole) + sign;
        q.rest = std::string(TrimBlanks(After(line, e + 1)));
        return q;
      }
    }
    const size_t stop = e + 1 < line.size() ? ScanDigits(line, e + 1) : e;
    if (stop > e && line[stop] == '/') {
      std::string_view numerator = line.substr(e + 1, stop - e - 1);
      const size_t denominatorStop = stop + 1 < line.size() ? ScanDigits(line, stop + 1) : stop;
      std::string_view denominator =
          line.substr(stop + 1, denominatorStop - stop - (IsDigit(line[denominatorStop]) ? 0 : 1));
      double divisor = DecimalReading(denominator);
      if (divisor == 0) divisor = 1;
      q.value = DecimalReading(whole) + DecimalReading(numerator) / divisor;
      q.rest = std::string(After(line, denominatorStop));
      return q;
    }
    q.value = DecimalReading(whole);
    q.rest = std::string(After(line, e));
    return q;
  }
  return q;  // a letter glued to the number
}

LeadingRange ParseLeadingRange(std::string_view line) {
  const LeadingQuantity first = ParseLeadingQuantity(line);
  LeadingRange range{first.value, 0, first.rest};
  if (first.value == 0) return range;
  // The first reading drops a hyphen that ends its number ("1-2" leaves "2");
  // a blank before the hyphen leaves "- 2".
  std::string_view rest = first.rest;
  const size_t used = line.size() - std::min(line.size(), rest.size());
  const bool hyphenDropped = used > 0 && line.substr(0, used).back() == '-' && line.substr(used) == rest;
  if (!hyphenDropped) {
    const size_t blanks = rest.find_first_not_of(' ');
    if (blanks == std::string_view::npos) return range;
    rest.remove_prefix(blanks);
    if (rest.substr(0, 1) == "-") {
      rest.remove_prefix(1);
    } else if (rest.substr(0, 3) == "to ") {
      rest.remove_prefix(3);
    } else {
      return range;
    }
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  }
  if (rest.empty() || !(IsDigit(rest.front()) || rest.front() == '.')) return range;
  const LeadingQuantity second = ParseLeadingQuantity(rest);
  if (second.value > first.value && second.value <= first.value * 10) {
    range.upTo = second.value;
    range.rest = second.rest;
  }
  return range;
}

bool IsKitchenQuantity(double value) {
  if (!std::isfinite(value) || value < 0) return false;
  const double f = value - std::floor(value);
  for (double step : {0.0, 0.125, 0.25, 1.0 / 3, 0.375, 0.5, 0.625, 2.0 / 3, 0.75, 0.875, 1.0}) {
    if (std::fabs(f - step) < 0.002) return true;
  }
  return false;
}

std::string JoinRange(const std::string& from, const std::string& upTo) {
  const bool mixed = from.find('-') != std::string::npos || upTo.find('-') != std::string::npos;
  return from + (mixed ? " to " : "-") + upTo;
}

std::string ResizeLine(double factor, std::string_view line) {
  const LeadingRange q = ParseLeadingRange(line);
  std::string result(line);
  if (q.value != 0) {
    std::string amount = TrimBlanks(FormatScaledQuantity(q.value * factor));
    if (q.upTo != 0) amount = JoinRange(amount, TrimBlanks(FormatScaledQuantity(q.upTo * factor)));
    result = TrimBlanks(amount + " " + q.rest);
  }
  if (result.empty() || result.back() != '\r') result += '\r';
  return result;
}

}  // namespace tovalia
