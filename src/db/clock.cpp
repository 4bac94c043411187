#include "db/clock.h"

#include <ctime>

namespace tovalia {

namespace {
std::optional<LocalDate> g_fixedToday;
}

LocalDate Today() {
  if (g_fixedToday) return *g_fixedToday;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string FormatDate(int year, int month, int day) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string monthName = (month >= 1 && month <= 12) ? kMonths[month - 1] : "???";
  return monthName + " " + std::to_string(day) + ", " + std::to_string(year);
}

void SetTodayForTesting(std::optional<LocalDate> date) { g_fixedToday = date; }

}  // namespace tovalia
