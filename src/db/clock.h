// Today's local date, with a switch that tests use to fix the day.
#pragma once

#include <optional>
#include <string>

namespace tovalia {

struct LocalDate {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  bool operator==(const LocalDate&) const = default;
};

LocalDate Today();
// A fixed date for every later Today(); nullopt returns to the real clock.
void SetTodayForTesting(std::optional<LocalDate> date);

// "Dec 8, 2026": three-letter month, day without leading zero, year.
std::string FormatDate(int year, int month, int day);

}  // namespace tovalia
