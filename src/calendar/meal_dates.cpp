#include "calendar/meal_dates.h"

#include <cstdio>

namespace tovalia {

namespace {

// Two digits per month, January first; February is mended for leap years.
constexpr char kMonthLengths[] = "312831303130313130313031";
constexpr char kDayNames[] = "SunMonTueWedThuFriSat";

// Division that rounds towards minus infinity, so the weekday formula holds
// for the year before year 1 as well.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int MonthLength(int year, int month) {
  if (month < 1 || month > 12) return 0;
  int length = (kMonthLengths[2 * (month - 1)] - '0') * 10 + (kMonthLengths[2 * (month - 1) + 1] - '0');
  if (month == 2 && IsLeapYear(year)) ++length;
  return length;
}

bool IsValidDate(const LocalDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.day >= 1 &&
         date.day <= MonthLength(date.year, date.month);
}

int DayOfWeek(int year, int month, int day) {
  const int a = (month == 1 || month == 2) ? 1 : 0;
  const int64_t y = static_cast<int64_t>(year) - a;
  const int64_t m = static_cast<int64_t>(month) + 12 * a - 2;
  const int64_t w = day + y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) + FloorDiv(31 * m, 12);
  return static_cast<int>(((w % 7) + 7) % 7);
}

std::string DayName(int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek > 6) return "???";
  return std::string(kDayNames + 3 * dayOfWeek, 3);
}

std::string MonthAbbreviation(int month) {
  // FormatDate keeps the month names; its first three characters are the month.
  return FormatDate(2000, month, 1).substr(0, 3);
}

LocalDate NextDay(const LocalDate& date) {
  LocalDate next = date;
  if (++next.day > MonthLength(next.year, next.month)) {
    next.day = 1;
    if (++next.month > 12) {
      next.month = 1;
      ++next.year;
    }
  }
  return next;
}

LocalDate FirstOfMonthBefore(const LocalDate& date, int months) {
  int month = date.month - months;
  int year = date.year;
  while (month < 1) {
    month += 12;
    --year;
  }
  return {year, month, 1};
}

int64_t DayNumber(const LocalDate& date) {
  // Days from the civil calendar (proleptic Gregorian), counted from 1970-01-01.
  const int64_t y = static_cast<int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
  const int64_t era = FloorDiv(y, 400);
  const int64_t yearOfEra = y - era * 400;
  const int64_t monthFromMarch = (date.month + 9) % 12;
  const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

std::string IsoDate(const LocalDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::optional<LocalDate> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  auto digits = [&](size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  LocalDate date{digits(0, 4), digits(5, 2), digits(8, 2)};
  if (!IsValidDate(date)) return std::nullopt;
  return date;
}

}  // namespace tovalia
