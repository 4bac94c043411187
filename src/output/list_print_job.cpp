#include "output/list_print_job.h"

#include "calendar/day_table.h"
#include "calendar/meal_dates.h"
#include "grocery/shopping_list.h"
#include "output/list_printouts.h"
#include "output/print_record.h"

namespace tovalia {

bool MealListAfterGroceries(const ByteBuffer& groceryRecord) {
  return GetU8(groceryRecord, print_field::kPhotos) != 0;
}

bool MealsForGroceryList(MealCalendar& calendar, const LocalDate& today, std::vector<MealPrintLine>& lines) {
  if (calendar.firstDayKey == 0) calendar.firstDayKey = DateKey(GridFirstDay(today));
  const bool read = LoadMeals(calendar);
  lines = MealPrintLines(calendar);
  return read;
}

PrintReport PrintGroceryList(GroceryCatalogue& catalogue, const ByteBuffer& record, const LocalDate& today,
                             const MealSection& meals, PrintSystem& printers, const std::string& outputPath) {
  const std::vector<int32_t> order = ShoppingListInOrder(catalogue);
  const GroceryPrintHeading heading = GroceryPrintHeadingFor(catalogue.listTotal, today);
  const std::vector<GroceryPrintLine> lines = GroceryPrintLines(catalogue, order);
  return PrintDocument(record, printers, outputPath, [&](PrintDevice& device) {
    PrintReport report;
    ListPagePrinter groceries(device, record);
    if (!PrintGroceryPages(groceries, heading, lines)) return report;
    report.lines = static_cast<int>(order.size());
    if (!meals.lines.empty()) {
      // The meal list's own face, size and place; its printer is the
      // grocery list's, as both go in one document.
      ListPagePrinter mealPages(device, meals.record, FontFace(record));
      if (!PrintMealPages(mealPages, meals.lines)) return report;
      report.lines += static_cast<int>(meals.lines.size());
    }
    report.pages = device.PagesStarted();
    return report;
  });
}

PrintReport PrintMealList(const std::vector<MealPrintLine>& lines, const ByteBuffer& record, PrintSystem& printers,
                          const std::string& outputPath) {
  return PrintDocument(record, printers, outputPath, [&](PrintDevice& device) {
    PrintReport report;
    ListPagePrinter pages(device, record);
    if (PrintMealPages(pages, lines)) report.lines = static_cast<int>(lines.size());
    report.pages = device.PagesStarted();
    return report;
  });
}

}  // namespace tovalia
