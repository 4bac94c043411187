#include "calendar/meal_dates.h"

#include <gtest/gtest.h>

#include "calendar/day_table.h"

namespace tovalia {
namespace {

TEST(MealDates, LeapYearsFollowTheCenturyRules) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_FALSE(IsLeapYear(2026));
  EXPECT_EQ(MonthLength(2024, 2), 29);
  EXPECT_EQ(MonthLength(2100, 2), 28);
  EXPECT_EQ(MonthLength(2000, 2), 29);
  EXPECT_EQ(MonthLength(1900, 2), 28);
  const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month) EXPECT_EQ(MonthLength(2026, month), lengths[month - 1]);
  EXPECT_EQ(MonthLength(2026, 0), 0);
  EXPECT_EQ(MonthLength(2026, 13), 0);
}

TEST(MealDates, DayOfWeekAcrossCenturies) {
  EXPECT_EQ(DayOfWeek(2026, 12, 6), 0);  // Sunday
  EXPECT_EQ(DayOfWeek(2026, 12, 7), 1);  // Monday
  EXPECT_EQ(DayOfWeek(1900, 1, 1), 1);   // Monday
  EXPECT_EQ(DayOfWeek(1900, 3, 1), 4);   // Thursday: 1900 has no 29 February
  EXPECT_EQ(DayOfWeek(2000, 2, 29), 2);  // Tuesday
  EXPECT_EQ(DayOfWeek(2000, 3, 1), 3);
  EXPECT_EQ(DayOfWeek(2024, 2, 29), 4);  // Thursday
  EXPECT_EQ(DayOfWeek(2100, 3, 1), 1);   // Monday
  EXPECT_EQ(DayOfWeek(1752, 9, 14), 4);  // Thursday, proleptic Gregorian
  EXPECT_EQ(DayOfWeek(1, 1, 1), 1);      // Monday, the year before year 1 included in the sum
  // Each following day is the next weekday, over a leap day and a year's end.
  LocalDate date{2023, 12, 25};
  for (int i = 0; i < 500; ++i) {
    const LocalDate next = NextDay(date);
    EXPECT_EQ(DayOfWeek(next.year, next.month, next.day),
              (DayOfWeek(date.year, date.month, date.day) + 1) % 7);
    EXPECT_EQ(DayNumber(next), DayNumber(date) + 1);
    date = next;
  }
  EXPECT_EQ(date, (LocalDate{2025, 5, 8}));
}

TEST(MealDates, DamagedDatesStillGiveAWeekday) {
  for (int month : {0, 13, 255})
    for (int day : {0, 31, 255}) {
      const int w = DayOfWeek(0, month, day);
      EXPECT_GE(w, 0);
      EXPECT_LE(w, 6);
      EXPECT_EQ(DayName(w).size(), 3u);
    }
  EXPECT_EQ(MonthAbbreviation(13), "???");
}

TEST(MealDates, NamesComeFromTheThreeLetterTables) {
  EXPECT_EQ(DayName(0), "Sun");
  EXPECT_EQ(DayName(3), "Wed");
  EXPECT_EQ(DayName(6), "Sat");
  EXPECT_EQ(MonthAbbreviation(1), "Jan");
  EXPECT_EQ(MonthAbbreviation(5), "May");
  EXPECT_EQ(MonthAbbreviation(12), "Dec");
}

TEST(MealDates, DateKeysOrderDates) {
  EXPECT_EQ(DateKey(2026, 12, 8), 2026u * 65536 + 12 * 256 + 8);
  EXPECT_LT(DateKey(2026, 1, 31), DateKey(2026, 2, 1));
  EXPECT_LT(DateKey(2025, 12, 31), DateKey(2026, 1, 1));
  EXPECT_LT(DateKey(32767, 12, 31), DateKey(65535, 1, 1));  // no sign trouble at the top
}

TEST(MealDates, IsoDatesAreReadOnlyWhenTheyExist) {
  EXPECT_EQ(ParseIsoDate("2024-02-29"), (LocalDate{2024, 2, 29}));
  EXPECT_FALSE(ParseIsoDate("2100-02-29"));
  EXPECT_FALSE(ParseIsoDate("2026-04-31"));
  EXPECT_FALSE(ParseIsoDate("2026-13-01"));
  EXPECT_FALSE(ParseIsoDate("2026-1-01"));
  EXPECT_FALSE(ParseIsoDate("12/08/2026"));
  EXPECT_FALSE(ParseIsoDate("0000-01-01"));
  EXPECT_EQ(IsoDate({2026, 3, 7}), "2026-03-07");
}

TEST(CalendarGrid, StartsOnTheSundayOnOrBeforeTheFirstOfTwoMonthsBack) {
  EXPECT_EQ(GridFirstDay({2026, 1, 15}), (LocalDate{2025, 10, 26}));
  EXPECT_EQ(GridFirstDay({2026, 12, 7}), (LocalDate{2026, 9, 27}));
  EXPECT_EQ(GridFirstDay({2026, 2, 28}), (LocalDate{2025, 11, 30}));
  // 2026-02-01 is a Sunday: a month that starts on Sunday starts the grid itself.
  EXPECT_EQ(GridFirstDay({2026, 4, 1}), (LocalDate{2026, 2, 1}));
  // Going back over a leap February.
  EXPECT_EQ(GridFirstDay({2024, 5, 20}), (LocalDate{2024, 2, 25}));
}

TEST(CalendarGrid, HoldsSevenHundredDaysFromASundayWithLeapDaysRight) {
  CalendarDays table;
  BuildCalendarDays(table, GridFirstDay({2023, 12, 20}));
  ASSERT_EQ(table.days.size(), 700u);
  EXPECT_EQ(DayOfWeek(table.days[0].date.year, table.days[0].date.month, table.days[0].date.day), 0);
  EXPECT_GE(table.IndexOf({2024, 2, 29}), 0);
  EXPECT_EQ(table.IndexOf({2024, 2, 29}) + 1, table.IndexOf({2024, 3, 1}));
  EXPECT_EQ(DayNumber(table.days.back().date) - DayNumber(table.days.front().date), 699);

  BuildCalendarDays(table, GridFirstDay({2100, 1, 10}));
  EXPECT_EQ(table.IndexOf({2100, 2, 29}), -1);
  EXPECT_EQ(table.IndexOf({2100, 2, 28}) + 1, table.IndexOf({2100, 3, 1}));
  EXPECT_EQ(table.IndexOf({1999, 1, 1}), -1);
}

}  // namespace
}  // namespace tovalia
