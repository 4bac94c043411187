#include "calendar/icalendar_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::TempFolder;

// Reads an .ics file with Python's icalendar module and prints one line per
// event: UID, start, end, summary, separated by " | ".
constexpr char kParser[] = R"(
import sys
from icalendar import Calendar
with open(sys.argv[1], 'rb') as f:
    calendar = Calendar.from_ical(f.read())
assert calendar['VERSION'] == '2.0'
for event in calendar.walk('VEVENT'):
    for name in ('UID', 'DTSTAMP', 'DTSTART', 'DTEND', 'SUMMARY'):
        assert name in event, name
    print(' | '.join([str(event['UID']), event['DTSTART'].dt.isoformat(),
                      event['DTEND'].dt.isoformat(), str(event['SUMMARY'])]))
)";

// The parser's lines for the text, or the error it gave.
std::string ParseWithPython(const TempFolder& folder, const std::string& ics) {
  std::ofstream(folder.File("meals.ics"), std::ios::binary) << ics;
  std::ofstream(folder.File("parse.py")) << kParser;
  // Debian's interpreter, where python3-icalendar installs the module.
  const std::string python = testing::Exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  const std::string command = python + " " + folder.File("parse.py") + " " + folder.File("meals.ics") + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char chunk[4096];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, n);
  const int status = ::pclose(pipe);
  return status == 0 ? out : "failed (" + std::to_string(status) + "; scripts/install-dependencies "
                             "installs python3-icalendar): " + out;
}

class ICalendarTest : public ::testing::Test {
 protected:
  ICalendarTest() : calendar(folder.File("Event40.dat")) {}
  TempFolder folder;
  MealCalendar calendar;
};

TEST_F(ICalendarTest, APlannedWeekReadsBackThroughAnICalendarParser) {
  ASSERT_TRUE(AddMeal(calendar, 12, "Chicken Curry", kMealRecipe, {2026, 12, 7}));
  ASSERT_TRUE(AddMeal(calendar, 0, "Leftovers; then pie, maybe \\ or not", kMealNote, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(calendar, 31, "Cr\xE8me Br\xFBl\xE9" "e", kMealRecipe, {2026, 12, 31}));
  ASSERT_TRUE(AddMeal(calendar, 0, std::string(40, 'a') + "\xE9" + std::string(40, 'b'), kMealNote, {2024, 2, 29}));
  const IcsExport ics = MealsAsICalendar(calendar, MealsInRange(calendar, {}), 1796720400);
  EXPECT_EQ(ics.events, 4);
  EXPECT_EQ(ParseWithPython(folder, ics.text),
            "meal-3@tovalia | 2024-02-29 | 2024-03-01 | " + std::string(40, 'a') + "\xC3\xA9" +
                std::string(40, 'b') + "\n"
            "meal-0@tovalia | 2026-12-07 | 2026-12-08 | Chicken Curry\n"
            "meal-1@tovalia | 2026-12-08 | 2026-12-09 | Leftovers; then pie, maybe \\ or not\n"
            "meal-2@tovalia | 2026-12-31 | 2027-01-01 | Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9" "e\n");
  EXPECT_NE(ics.text.find("\r\nDTSTAMP:20261208T090000Z\r\n"), std::string::npos);
}

TEST_F(ICalendarTest, LinesAreFoldedAt75OctetsWithoutSplittingACharacter) {
  const std::string line = "SUMMARY:" + std::string(66, 'x') + "\xC3\xA9\xC3\xA9" + std::string(100, 'y');
  const std::string folded = FoldContentLine(line);
  size_t start = 0;
  std::string joined;
  while (start < folded.size()) {
    const size_t end = folded.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    const std::string piece = folded.substr(start, end - start);
    EXPECT_LE(piece.size(), 75u);
    joined += start == 0 ? piece : piece.substr(1);
    if (start > 0) {
      EXPECT_EQ(piece[0], ' ');
    }
    EXPECT_NE(static_cast<unsigned char>(piece.back()), 0xC3) << "a character was cut in two";
    start = end + 2;
  }
  EXPECT_EQ(joined, line);
}

TEST_F(ICalendarTest, ARangeKeepsItsEndsAndDatesThatDoNotExistAreLeftOut) {
  ASSERT_TRUE(AddMeal(calendar, 0, "before", kMealNote, {2026, 12, 6}));
  ASSERT_TRUE(AddMeal(calendar, 0, "first", kMealNote, {2026, 12, 7}));
  ASSERT_TRUE(AddMeal(calendar, 0, "broken", kMealNote, {2026, 12, 8}));
  ASSERT_TRUE(AddMeal(calendar, 0, "last", kMealNote, {2026, 12, 13}));
  ASSERT_TRUE(AddMeal(calendar, 0, "after", kMealNote, {2026, 12, 14}));
  SetU8(calendar.meals, 2 * kMealRecordSize + meal::kDay, 0);  // 2026-12-00
  const IcsExport ics = MealsAsICalendar(calendar, MealsInRange(calendar, {DateKey(2026, 12, 7), DateKey(2026, 12, 13)}), 0);
  EXPECT_EQ(ics.events, 2);
  EXPECT_EQ(ics.skipped, 0);  // 2026-12-00 lies before the range
  EXPECT_EQ(ParseWithPython(folder, ics.text),
            "meal-1@tovalia | 2026-12-07 | 2026-12-08 | first\n"
            "meal-3@tovalia | 2026-12-13 | 2026-12-14 | last\n");
  EXPECT_EQ(MealsAsICalendar(calendar, MealsInRange(calendar, {}), 0).skipped, 1);
}

TEST_F(ICalendarTest, AnEmptyCalendarIsStillACalendar) {
  EXPECT_EQ(ParseWithPython(folder, MealsAsICalendar(calendar, MealsInRange(calendar, {}), 0).text), "");
}

}  // namespace
}  // namespace tovalia
