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

namespace {

constexpr int kPagesWithoutProgress = 3;

// Shows the progress of a list long enough to take a while; remembers
// whether the box is up so that it can be closed.
class PageProgress {
 public:
  PageProgress(Progress& progress, std::string caption) : progress_(progress), caption_(std::move(caption)) {}
  ~PageProgress() {
    if (shown_) progress_.CloseProgress();
  }
  ListPagePrinter::PageHook Hook() {
    return [this](int page, int pages) {
      if (pages <= kPagesWithoutProgress) return true;
      shown_ = true;
      progress_.ShowProgress(caption_, "Page " + std::to_string(page) + " of " + std::to_string(pages), page - 1,
                             pages);
      progress_.PumpMessages(0);
      return !progress_.StopRequested();
    };
  }

 private:
  Progress& progress_;
  std::string caption_;
  bool shown_ = false;
};

}  // namespace

PrintReport PrintGroceryList(GroceryCatalogue& catalogue, const ByteBuffer& record, const LocalDate& today,
                             const MealSection& meals, PrintSystem& printers, const std::string& outputPath,
                             Progress& progress) {
  const std::vector<int32_t> order = ShoppingListInOrder(catalogue);
  const GroceryPrintHeading heading = GroceryPrintHeadingFor(catalogue.listTotal, today);
  const std::vector<GroceryPrintLine> lines = GroceryPrintLines(catalogue, order);
  return PrintDocument(record, printers, outputPath, [&](PrintDevice& device) {
    PrintReport report;
    ListPagePrinter groceries(device, record);
    PageProgress groceryProgress(progress, "Printing Grocery List");
    groceries.SetPageHook(groceryProgress.Hook());
    if (PrintGroceryPages(groceries, heading, lines)) {
      report.lines = static_cast<int>(order.size());
      if (!meals.lines.empty()) {
        // The meal list's own face, size and place; its printer is the
        // grocery list's, as both go in one document.
        ListPagePrinter mealPages(device, meals.record, FontFace(record));
        PageProgress mealProgress(progress, "Printing Meal List");
        mealPages.SetPageHook(mealProgress.Hook());
        if (PrintMealPages(mealPages, meals.lines)) report.lines += static_cast<int>(meals.lines.size());
      }
    }
    report.pages = device.PagesStarted();
    return report;
  });
}

PrintReport PrintMealList(const std::vector<MealPrintLine>& lines, const ByteBuffer& record, PrintSystem& printers,
                          const std::string& outputPath, Progress& progress) {
  return PrintDocument(record, printers, outputPath, [&](PrintDevice& device) {
    PrintReport report;
    ListPagePrinter pages(device, record);
    PageProgress pageProgress(progress, "Printing Meal List");
    pages.SetPageHook(pageProgress.Hook());
    if (PrintMealPages(pages, lines)) report.lines = static_cast<int>(lines.size());
    report.pages = device.PagesStarted();
    return report;
  });
}

}  // namespace tovalia
