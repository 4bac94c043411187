// The printed grocery and meal lists: where their lines fall on the pages
// of a recording printer (the record's area inside the printable area,
// columns, headings, page breaks), and whole documents through "Save as
// PDF" read back with the poppler tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "calendar/meal_printout.h"
#include "grocery/grocery_edits.h"
#include "grocery/grocery_money.h"
#include "output/list_page_printer.h"
#include "output/list_print_job.h"
#include "output/list_printouts.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "support/pdf_text.h"
#include "support/recording_printer.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::DrawnLine;
using testing::FakePrinters;
using testing::RecordedPage;
using testing::RecordingDevice;

// 300 dots an inch, a quarter inch that cannot be printed on all round:
// the printable area starts 75 pixels into the sheet and is 2400 x 3150.
PrinterInfo Kitchen() {
  PrinterInfo printer;
  printer.name = "Kitchen";
  printer.dpiX = printer.dpiY = 300;
  printer.marginLeft = printer.marginTop = printer.marginRight = printer.marginBottom = 250;
  return printer;
}

ByteBuffer ListRecord(int32_t id, int32_t left, int32_t top, int32_t points) {
  FakePrinters none;
  ByteBuffer record = NewPrintRecord();
  LayoutDefaults(record, id, none);
  SetPrinter(record, Kitchen());
  SetI32(record, print_field::kLeft, left);
  SetI32(record, print_field::kTop, top);
  SetFontSize(record, points);
  return record;
}

const DrawnLine* Find(const std::vector<RecordedPage>& pages, const std::string& text, size_t page = 0) {
  if (page >= pages.size()) return nullptr;
  for (const DrawnLine& line : pages[page].texts)
    if (line.text == text) return &line;
  return nullptr;
}

// The recording device's measure: half the height a character.
int Right(const DrawnLine& line) { return line.x + static_cast<int>(line.text.size()) * line.height / 2; }

GroceryPrintLine Item(const std::string& label, const std::string& quantity, const std::string& name,
                      const std::string& cost) {
  return {false, name, label, quantity, cost};
}
GroceryPrintLine Store(const std::string& name) { return {true, name, "", "", ""}; }

class ListPages : public ::testing::Test {
 protected:
  std::vector<RecordedPage> pages;
  RecordingDevice device{Kitchen(), PaperSetup{}, pages};
  const GroceryPrintHeading heading{"Grocery List:  $ 26.12", "Mar 14 2026"};
};

TEST_F(ListPages, GroceryColumnsStayInTheRecordsAreaCutToWhatThePrinterReaches) {
  // One inch from the left: the 7.5-inch area would pass the printable
  // right edge (2400), so it ends there.
  ListPagePrinter printer(device, ListRecord(kGroceryListLayout, 1000, 500, 10));
  EXPECT_EQ(printer.Area(), (Rect{225, 75, 2175, 3000}));
  EXPECT_EQ(printer.LineHeight(), 42);
  const std::vector<GroceryPrintLine> lines = {
      Item("Bakery:", "1", "Bread", "2.25"), Store("Corner Shop"), Item("Dairy:", "2", "Milk", "1.89"),
      Store("Market"), Item("Produce:", "6", "Apples", "0.50"), Item("", "12", "Bananas", ""),
      Item(":", "1", "Twine", "3.00")};
  ASSERT_TRUE(PrintGroceryPages(printer, heading, lines));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].clips, (std::vector<Rect>{printer.Area()}));

  const DrawnLine* title = Find(pages, heading.title);
  const DrawnLine* date = Find(pages, heading.date);
  ASSERT_TRUE(title && date);
  EXPECT_EQ(title->x, 225);
  EXPECT_EQ(title->y, 75);
  EXPECT_EQ(title->weight, 700);
  EXPECT_EQ(Right(*date), 2400);
  EXPECT_EQ(pages[0].outlines.size(), 1u);  // the rule below the heading

  // Body rows start below the heading line (54) and an empty line (42).
  const DrawnLine* bread = Find(pages, "Bread");
  const DrawnLine* corner = Find(pages, "Corner Shop");
  const DrawnLine* milk = Find(pages, "Milk");
  const DrawnLine* bananas = Find(pages, "Bananas");
  ASSERT_TRUE(bread && corner && milk && bananas);
  EXPECT_EQ(Find(pages, "Bakery:")->x, 225);
  EXPECT_EQ(Find(pages, "Bakery:")->y, 171);
  EXPECT_EQ(corner->y, 171 + 2 * 42);  // an empty line above each store
  EXPECT_EQ(corner->weight, 700);
  EXPECT_EQ(milk->y, 171 + 3 * 42);
  EXPECT_EQ(bananas->y, Find(pages, "Apples")->y + 42);
  for (const char* name : {"Milk", "Apples", "Bananas", "Twine"}) EXPECT_EQ(Find(pages, name)->x, bread->x) << name;
  for (const char* quantity : {"2", "6", "12"}) EXPECT_EQ(Right(*Find(pages, quantity)), Right(*Find(pages, "1")));
  for (const char* cost : {"2.25", "1.89", "0.50", "3.00"}) EXPECT_EQ(Right(*Find(pages, cost)), 2400) << cost;
  EXPECT_LT(Right(*Find(pages, "Produce:")), Find(pages, "6")->x);
  EXPECT_EQ(Find(pages, ":"), nullptr);  // a location without a name shows no label
  for (const DrawnLine& line : pages[0].texts) EXPECT_LE(Right(line), 2400) << line.text;
}

TEST_F(ListPages, ALongGroceryListTakesPagesEachHeadedWithTheLocationCarriedOver) {
  ListPagePrinter printer(device, ListRecord(kGroceryListLayout, 1000, 500, 10));
  const int perPage = printer.LinesPerPage();
  EXPECT_EQ(perPage, (3000 - 96) / 42);
  std::vector<GroceryPrintLine> lines = {Store("Warehouse")};
  for (int i = 0; i < 150; ++i) {
    const std::string aisle = "Aisle " + std::to_string(i / 30 + 1) + ":";
    lines.push_back(Item(i % 30 == 0 ? aisle : "", "1", "Thing " + std::to_string(i), "0.10"));
  }
  ASSERT_TRUE(PrintGroceryPages(printer, heading, lines));
  ASSERT_EQ(pages.size(), 3u);
  int items = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    ASSERT_TRUE(Find(pages, heading.title, p) && Find(pages, heading.date, p));
    int top = INT32_MAX;
    for (const DrawnLine& line : pages[p].texts) {
      if (line.y > 75) top = std::min(top, line.y);
      EXPECT_LE(line.y + line.height, 75 + 3000) << line.text;
      items += line.text.rfind("Thing ", 0) == 0;
    }
    EXPECT_EQ(top, 171);  // no page starts with an empty line
  }
  EXPECT_EQ(items, 150);
  // Page 2 goes on inside "Aisle 3" and says so on its first row.
  const DrawnLine* first = Find(pages, "Thing " + std::to_string(perPage - 1), 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->y, 171);
  const DrawnLine* aisle = Find(pages, "Aisle 3:", 1);
  ASSERT_NE(aisle, nullptr);
  EXPECT_EQ(aisle->y, 171);
}

TEST_F(ListPages, AFaceTooLargeForTheAreaCutsLabelsAndNamesWithAnEllipsis) {
  ListPagePrinter printer(device, ListRecord(kGroceryListLayout, 1000, 500, 24));
  ASSERT_TRUE(PrintGroceryPages(printer, heading,
                                {Item("Refrigerated Goods:", "12", "Extra Virgin Olive Oil 1L", "327.67")}));
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> cut;
  for (const DrawnLine& line : pages[0].texts) {
    EXPECT_LE(Right(line), 2400) << line.text;
    if (line.text.back() == '\x85') cut.push_back(line.text.substr(0, 5));
  }
  EXPECT_EQ(cut, (std::vector<std::string>{"Refri", "Extra"}));
  EXPECT_NE(Find(pages, "327.67"), nullptr);
  EXPECT_NE(Find(pages, "12"), nullptr);
}

TEST_F(ListPages, MealLinesHaveTheirColumnsWrapAndNeverSplitAcrossPages) {
  // A quarter inch in, at the printable corner; 14 point gives lines of 58.
  ListPagePrinter printer(device, ListRecord(kMealListLayout, 250, 250, 14));
  EXPECT_EQ(printer.Area(), (Rect{0, 0, 2250, 3000}));
  const int perPage = printer.LinesPerPage();
  const std::string twoRows = std::string(50, 'x') + " " + std::string(50, 'y');  // 63 characters fit a row
  std::vector<MealPrintLine> lines = {{"Mon,", "Dec 28:  ", "Soup", {2026, 12, 28}}};
  for (int i = 1; i < perPage - 1; ++i) lines.push_back({"Sat,", "Jan 2:  ", "Meal " + std::to_string(i), {2027, 1, 2}});
  lines.push_back({"Sun,", "Jan 3:  ", twoRows, {2027, 1, 3}});  // one row left on page 1: it moves on
  ASSERT_TRUE(PrintMealPages(printer, lines));
  ASSERT_EQ(pages.size(), 2u);

  const DrawnLine* title = Find(pages, kMealListHeading);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->weight, 700);
  const DrawnLine* span = Find(pages, "Dec 28, 2026 - Jan 2, 2027");
  ASSERT_NE(span, nullptr);
  EXPECT_EQ(Right(*span), 2250);
  // Columns as wide as "Wed, " and "May 88:  " (145 and 261).
  const DrawnLine* day = Find(pages, "Mon,");
  const DrawnLine* date = Find(pages, "Dec 28:  ");
  const DrawnLine* soup = Find(pages, "Soup");
  ASSERT_TRUE(day && date && soup);
  EXPECT_EQ(day->x, 0);
  EXPECT_EQ(day->y, 75 + 58);
  EXPECT_EQ(date->x, 145);
  EXPECT_EQ(soup->x, 145 + 261);
  EXPECT_EQ(soup->y, day->y);

  ASSERT_NE(Find(pages, kMealListHeading, 1), nullptr);
  ASSERT_NE(Find(pages, "Jan 3, 2027", 1), nullptr);
  std::vector<const DrawnLine*> rows;
  for (const DrawnLine& line : pages[1].texts)
    if (line.x == 406) rows.push_back(&line);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->y, 133);
  EXPECT_EQ(rows[1]->y, 133 + 58);
  EXPECT_EQ(rows[0]->text + " " + rows[1]->text, twoRows);
  EXPECT_EQ(Find(pages, "Sun,", 1)->y, 133);
}

class ListDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    printers.printers["Kitchen"] = Kitchen();
    Add("Bread", "", "Bakery", "2.25", 1);
    Add("Cheddar", "Market", "Dairy", "4.10", 0);
    Add("Milk", "Corner Shop", "Dairy", "1.89", 2);
    Add("Apples", "Market", "Produce", "0.50", 6);
    StartNewList(catalogue, NewListChoice::kDefaults);
  }
  void Add(const std::string& name, const std::string& store, const std::string& location, const std::string& cost,
           int quantity) {
    int32_t id = -1;
    ASSERT_EQ(AddGroceryItem(catalogue, {name, store, location, cost, std::to_string(quantity)}, id),
              GroceryWrite::kWritten);
  }
  void AddMeal(const std::string& text, LocalDate date) {
    ASSERT_TRUE(tovalia::AddMeal(calendar, 0, text, kMealNote, date));
  }
  testing::TempFolder folder;
  GroceryCatalogue catalogue{folder.File("Grocer30.dat")};
  MealCalendar calendar{folder.File("Event40.dat")};
  FakePrinters printers;
  SilentProgress quiet;
  const LocalDate today{2026, 12, 8};
};

// Remembers what the progress box showed; asks to stop once it has shown
// `stopAfter` pages.
class WatchedProgress : public Progress {
 public:
  explicit WatchedProgress(int stopAfter) : stopAfter_(stopAfter) {}
  void ShowProgress(const std::string& caption, const std::string& bar, int64_t, int64_t) override {
    shown.push_back(caption + ": " + bar);
  }
  void CloseProgress() override { ++closed; }
  void PumpMessages(int) override {}
  bool StopRequested() override { return static_cast<int>(shown.size()) > stopAfter_; }
  std::vector<std::string> shown;
  int closed = 0;

 private:
  int stopAfter_;
};

TEST_F(ListDocuments, TheMealListFollowsTheGroceriesOnItsOwnPageWithItsOwnFace) {
  AddMeal("Soup", {2026, 12, 9});
  AddMeal("Stew", {2026, 12, 10});
  ByteBuffer groceries = ListRecord(kGroceryListLayout, 250, 250, 11);
  SetU8(groceries, print_field::kPhotos, 1);
  EXPECT_TRUE(MealListAfterGroceries(groceries));
  MealSection meals{MealPrintLines(calendar), ListRecord(kMealListLayout, 750, 500, 14)};
  const PrintReport report = PrintGroceryList(catalogue, groceries, today, meals, printers, "", quiet);
  ASSERT_TRUE(report.done) << report.error;
  EXPECT_EQ(printers.documentsStarted, 1);
  EXPECT_EQ(report.pages, 2);
  EXPECT_EQ(report.lines, 3 + 2);
  const std::vector<RecordedPage>& pages = printers.pages;
  ASSERT_EQ(pages.size(), 2u);
  const DrawnLine* title = Find(pages, "Grocery List:  $ 9.03");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->height, 59);  // 11 point: lines of 46
  EXPECT_NE(Find(pages, "Dec 8 2026"), nullptr);
  EXPECT_EQ(Find(pages, "Cheddar"), nullptr);  // not on the list
  EXPECT_EQ(Find(pages, "Soup"), nullptr);
  const DrawnLine* meal = Find(pages, kMealListHeading, 1);
  ASSERT_NE(meal, nullptr);
  EXPECT_EQ(meal->height, 75);  // 14 point: lines of 58
  EXPECT_EQ(meal->x, 225 - 75);  // the meal list's own place
  EXPECT_EQ(meal->y, 150 - 75);
  EXPECT_EQ(title->x, 0);
  EXPECT_NE(Find(pages, "Soup", 1), nullptr);
  EXPECT_NE(Find(pages, "Stew", 1), nullptr);
}

TEST_F(ListDocuments, ALongListShowsItsPagesAndStopsWhenAsked) {
  ByteBuffer record = ListRecord(kMealListLayout, 250, 250, 14);  // 49 meals a page
  std::vector<MealPrintLine> lines(49 * 4 + 1, MealPrintLine{"Mon,", "Dec 7:  ", "Soup", {2026, 12, 7}});
  WatchedProgress watched(2);
  const PrintReport stopped = PrintMealList(lines, record, printers, "", watched);
  EXPECT_TRUE(stopped.done) << stopped.error;
  EXPECT_EQ(stopped.pages, 2);  // the pages printed before the stop are handed over
  EXPECT_EQ(stopped.lines, 0);
  EXPECT_EQ(watched.shown, (std::vector<std::string>{"Printing Meal List: Page 1 of 5", "Printing Meal List: Page 2 of 5",
                                                     "Printing Meal List: Page 3 of 5"}));
  EXPECT_EQ(watched.closed, 1);

  lines.resize(49 * 3);  // three pages go by without a progress box
  WatchedProgress unseen(100);
  const PrintReport whole = PrintMealList(lines, record, printers, "", unseen);
  EXPECT_EQ(whole.pages, 3);
  EXPECT_EQ(whole.lines, 49 * 3);
  EXPECT_TRUE(unseen.shown.empty());
  EXPECT_EQ(unseen.closed, 0);
}

TEST_F(ListDocuments, APrinterThatIsGoneStartsNoDocument) {
  ByteBuffer record = ListRecord(kMealListLayout, 250, 250, 14);
  PrinterInfo gone;
  gone.name = "Gone";
  SetPrinter(record, gone);
  AddMeal("Soup", {2026, 12, 9});
  const PrintReport report = PrintMealList(MealPrintLines(calendar), record, printers, "", quiet);
  EXPECT_FALSE(report.done);
  EXPECT_EQ(report.error, "The printer \"Gone\" cannot be found.");
  EXPECT_EQ(printers.documentsStarted, 0);
}

TEST_F(ListDocuments, SavedAsPdfTheListsReadBackWithTheirWordsAndPages) {
  if (!testing::PopplerThere()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
  for (int i = 1; i <= 70; ++i) {
    const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
    Add("Jar " + number, "Warehouse", "Shelf " + std::to_string((i - 1) / 25 + 1), "0.10", 1);
  }
  StartNewList(catalogue, NewListChoice::kDefaults);
  AddMeal("Long ago", {2020, 1, 1});  // before the Meals screen's first day: not on its list
  AddMeal("Roast chicken with lemons", {2026, 12, 9});
  AddMeal("Fish pie", {2027, 1, 4});
  printers.record = false;
  FakePrinters none;
  ByteBuffer groceries = NewPrintRecord();
  LayoutDefaults(groceries, kGroceryListLayout, none);  // "Save as PDF", Arial 11
  SetU8(groceries, print_field::kPhotos, 1);
  MealSection meals;
  MealCalendar screenCalendar(calendar.path);
  ASSERT_TRUE(MealsForGroceryList(screenCalendar, today, meals.lines));
  meals.record = NewPrintRecord();
  LayoutDefaults(meals.record, kMealListLayout, none);
  const std::string path = folder.File("lists.pdf");
  const PrintReport report = PrintGroceryList(catalogue, groceries, today, meals, printers, path, quiet);
  ASSERT_TRUE(report.done) << report.error;
  EXPECT_EQ(report.lines, 73 + 2);
  ASSERT_EQ(testing::PdfPages(path), report.pages);
  EXPECT_EQ(report.pages, 3);

  const std::string first = testing::PdfText(path, 1, true);
  const std::string total = FormatMoney(catalogue.listTotal);
  EXPECT_EQ(total, "16.03");
  EXPECT_TRUE(std::regex_search(first, std::regex("Grocery List: +\\$ 16\\.03 +Dec 8 2026"))) << first;
  EXPECT_TRUE(std::regex_search(first, std::regex("Bakery: +1 +Bread +2\\.25"))) << first;
  EXPECT_TRUE(std::regex_search(first, std::regex("\\n *Corner Shop *\\n"))) << first;
  EXPECT_TRUE(std::regex_search(first, std::regex("Dairy: +2 +Milk +1\\.89"))) << first;
  EXPECT_TRUE(std::regex_search(first, std::regex("Produce: +6 +Apples +0\\.50"))) << first;
  EXPECT_TRUE(std::regex_search(first, std::regex("Shelf 1: +1 +Jar 01 +0\\.10"))) << first;
  const std::string second = testing::PdfText(path, 2, true);
  EXPECT_TRUE(std::regex_search(second, std::regex("Grocery List: +\\$ 16\\.03"))) << second;
  EXPECT_NE(second.find("Jar 70"), std::string::npos) << second;
  EXPECT_EQ(second.find("Bread"), std::string::npos);
  const std::string last = testing::PdfText(path, 3, true);
  EXPECT_TRUE(std::regex_search(last, std::regex("Meal List +Dec 9, 2026 - Jan 4, 2027"))) << last;
  EXPECT_TRUE(std::regex_search(last, std::regex("Wed, +Dec 9: +Roast chicken with lemons"))) << last;
  EXPECT_TRUE(std::regex_search(last, std::regex("Mon, +Jan 4: +Fish pie"))) << last;
  EXPECT_EQ(last.find("Long ago"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
