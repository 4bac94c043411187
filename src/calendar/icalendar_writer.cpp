#include "calendar/icalendar_writer.h"

#include <cstdio>

#include "calendar/meal_dates.h"
#include "db/cp1252.h"

namespace tovalia {

namespace {

std::string CompactDate(const LocalDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

std::string UtcStamp(std::time_t stamp) {
  std::tm utc{};
  gmtime_r(&stamp, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
  return text;
}

}  // namespace

std::string EscapeIcsText(const std::string& utf8) {
  std::string escaped;
  for (char c : utf8) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case ';': escaped += "\\;"; break;
      case ',': escaped += "\\,"; break;
      case '\r': break;
      case '\n': escaped += "\\n"; break;
      default:
        // Other control characters are not allowed in a TEXT value.
        if (static_cast<unsigned char>(c) >= 32 && c != 127) escaped += c;
        break;
    }
  }
  return escaped;
}

std::string FoldContentLine(const std::string& line) {
  constexpr size_t kMaxOctets = 75;
  std::string folded;
  size_t start = 0;
  size_t limit = kMaxOctets;
  while (line.size() - start > limit) {
    size_t cut = start + limit;
    // Step back over continuation bytes so a character stays whole.
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    folded.append(line, start, cut - start);
    folded += "\r\n ";
    start = cut;
    limit = kMaxOctets - 1;  // the leading blank counts
  }
  folded.append(line, start, std::string::npos);
  return folded + "\r\n";
}

IcsExport MealsAsICalendar(const MealCalendar& calendar, const std::vector<int32_t>& meals,
                           std::time_t stamp) {
  IcsExport out;
  std::string& text = out.text;
  text += FoldContentLine("BEGIN:VCALENDAR");
  text += FoldContentLine("VERSION:2.0");
  text += FoldContentLine("PRODID:-//Tovalia//Meal Calendar 5.8//EN");
  text += FoldContentLine("CALSCALE:GREGORIAN");
  text += FoldContentLine("METHOD:PUBLISH");
  text += FoldContentLine("X-WR-CALNAME:Meals");
  const std::string dtstamp = "DTSTAMP:" + UtcStamp(stamp);
  for (int32_t i : meals) {
    const LocalDate date = MealDate(calendar.meals, i);
    if (!IsValidDate(date)) {
      ++out.skipped;
      continue;
    }
    const bool recipe = MealKindOf(calendar.meals, i) == kMealRecipe;
    text += FoldContentLine("BEGIN:VEVENT");
    text += FoldContentLine("UID:meal-" + std::to_string(MealId(calendar.meals, i)) + "@tovalia");
    text += FoldContentLine(dtstamp);
    text += FoldContentLine("DTSTART;VALUE=DATE:" + CompactDate(date));
    text += FoldContentLine("DTEND;VALUE=DATE:" + CompactDate(NextDay(date)));
    text += FoldContentLine("SUMMARY:" + EscapeIcsText(Cp1252ToUtf8(MealText(calendar.meals, i))));
    text += FoldContentLine(std::string("CATEGORIES:") + (recipe ? "Recipe" : "Note"));
    text += FoldContentLine("TRANSP:TRANSPARENT");
    text += FoldContentLine("END:VEVENT");
    ++out.events;
  }
  text += FoldContentLine("END:VCALENDAR");
  return out;
}

}  // namespace tovalia
