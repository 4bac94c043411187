// The planned meals as an iCalendar file (RFC 5545) that calendar programs
// import: one all-day event per meal, the meal's text as its summary, and a
// UID made from the entry id so that a second import updates the events
// instead of doubling them.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "calendar/meal_calendar.h"

namespace tovalia {

struct IcsExport {
  std::string text;   // UTF-8, lines ending in CR LF
  int events = 0;
  int skipped = 0;    // meals whose stored date does not exist
};

// The meals at the indices, in that order. stamp: the moment of export
// (UTC), written as each event's DTSTAMP.
IcsExport MealsAsICalendar(const MealCalendar& calendar, const std::vector<int32_t>& meals,
                           std::time_t stamp);

// A property line folded at 75 octets, never inside a UTF-8 character.
std::string FoldContentLine(const std::string& line);
// TEXT value escaping: backslash, semicolon, comma and line ends.
std::string EscapeIcsText(const std::string& utf8);

}  // namespace tovalia
