// Calendar arithmetic for the meal planner: month lengths, leap years, the
// day of the week, the names shown for them, and the date key by which
// meals are ordered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/clock.h"

namespace tovalia {

bool IsLeapYear(int year);
// Days in the month (1-12) of the year; 0 for a month outside 1-12.
int MonthLength(int year, int month);
// True for a date that exists (year 1 to 9999).
bool IsValidDate(const LocalDate& date);

// 0 for Sunday to 6 for Saturday; any month and day give a value in that range.
int DayOfWeek(int year, int month, int day);
// "Sun" to "Sat" for 0 to 6.
std::string DayName(int dayOfWeek);
// "Jan" to "Dec" for 1 to 12, "???" otherwise.
std::string MonthAbbreviation(int month);

// year * 65536 + month * 256 + day: comparing keys compares dates.
inline uint32_t DateKey(int year, int month, int day) {
  return (static_cast<uint32_t>(year) << 16) | (static_cast<uint32_t>(month & 0xFF) << 8) |
         static_cast<uint32_t>(day & 0xFF);
}
inline uint32_t DateKey(const LocalDate& date) { return DateKey(date.year, date.month, date.day); }

// The day after, and the first day of the month `months` before the date's month.
LocalDate NextDay(const LocalDate& date);
LocalDate FirstOfMonthBefore(const LocalDate& date, int months);

// Days since 1970-01-01 (negative before), for counting days between dates.
int64_t DayNumber(const LocalDate& date);

// "2026-12-08" and back; nullopt for text that is not a real date in that form.
std::string IsoDate(const LocalDate& date);
std::optional<LocalDate> ParseIsoDate(std::string_view text);

}  // namespace tovalia
