// Printing the two lists as documents: the grocery list (in export order,
// with the meal list after it when its settings ask for that) and the meal
// list, each with its own print settings record (70 and 80).
#pragma once

#include <string>
#include <vector>

#include "calendar/meal_calendar.h"
#include "calendar/meal_printout.h"
#include "db/byte_buffer.h"
#include "db/clock.h"
#include "grocery/grocery_catalogue.h"
#include "output/print_run.h"
#include "platform/print_device.h"
#include "ui/progress.h"

namespace tovalia {

// The meal list printed after the groceries: its lines, laid out with the
// meal list's own settings record.
struct MealSection {
  std::vector<MealPrintLine> lines;
  ByteBuffer record;
};

// Whether the grocery list's settings ask for the meal list after it.
bool MealListAfterGroceries(const ByteBuffer& groceryRecord);

// The meals that follow the groceries: those of the meal list as the Meals
// screen holds it (from the first day of its grid), ticked ones only when
// some but not all are ticked. Reads the calendar file; false when it
// cannot be read.
bool MealsForGroceryList(MealCalendar& calendar, const LocalDate& today, std::vector<MealPrintLine>& lines);

// Prints the shopping list ("Selected Items" in export order, headed with
// its total and `today`) on the record's printer, then the meal section on
// pages of its own when it has lines. outputPath is the file "Save as PDF"
// writes. report.lines counts the items and meals printed. A list of more
// than a few pages shows its progress page by page ("Printing Grocery
// List", "Printing Meal List"); a stop request ends the document with the
// pages printed so far.
PrintReport PrintGroceryList(GroceryCatalogue& catalogue, const ByteBuffer& record, const LocalDate& today,
                             const MealSection& meals, PrintSystem& printers, const std::string& outputPath,
                             Progress& progress);

// Prints the meal list's lines on the record's printer.
PrintReport PrintMealList(const std::vector<MealPrintLine>& lines, const ByteBuffer& record, PrintSystem& printers,
                          const std::string& outputPath, Progress& progress);

}  // namespace tovalia
