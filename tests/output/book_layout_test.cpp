// The cookbook's list and layout, measured with a recording surface whose
// letters are all 6 points wide, so positions can be reasoned about.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "output/book_composer.h"
#include "output/book_geometry.h"
#include "output/book_list.h"
#include "support/collection.h"

namespace tovalia {
namespace {

struct Drawn {
  int page;
  BookFace face;
  double size, x, y;
  std::string text;
};

class RecordingSurface : public BookSurface {
 public:
  void AddPage(double width, double height) override { pages.push_back({width, height}); }
  double TextWidth(BookFace, double size, std::string_view text) override { return size / 2 * text.size(); }
  void DrawText(BookFace face, double size, double x, double y, std::string_view text) override {
    texts.push_back({static_cast<int>(pages.size()), face, size, x, y, std::string(text)});
  }
  void DrawLine(double, double, double, double, double) override { ++lines; }
  void DrawPicture(const std::vector<uint32_t>&, int, int, double, double, double width, double height) override {
    pictures.push_back({width, height});
  }
  // The drawn words that came from a text, in order.
  const Drawn* Find(const std::string& word) const {
    for (const Drawn& d : texts)
      if (d.text == word) return &d;
    return nullptr;
  }

  std::vector<std::pair<double, double>> pages, pictures;
  std::vector<Drawn> texts;
  int lines = 0;
};

std::string Lines(const std::string& stem, int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "\r" : "") + stem + std::to_string(i);
  return text;
}

TEST(BookGeometry, GutterAlternatesAndTheSplitIsRounded) {
  PageGeometry odd = PageGeometryFor(BookSize::kLetter, 1);
  PageGeometry even = PageGeometryFor(BookSize::kLetter, 2);
  EXPECT_EQ(odd.left, 77);
  EXPECT_EQ(odd.right, 562);
  EXPECT_EQ(even.left, 50);
  EXPECT_EQ(even.right, 535);
  EXPECT_EQ(odd.mid, 248);  // 319.5 - 72 = 247.5, to the even 248
  EXPECT_EQ(odd.bottom, 66);
  PageGeometry small = PageGeometryFor(BookSize::k6x9, 3);
  EXPECT_EQ(small.width, 432);
  EXPECT_EQ(small.mid, 230);  // (63 + 396) / 2 = 229.5
  EXPECT_EQ(PageGeometryFor(BookSize::kA4, 2).height, 842);
}

TEST(BookLayout, SixByNineRunsALongRecipeThroughBothColumns) {
  RecordingSurface surface;
  BookComposer book(surface, BookSize::k6x9);
  book.TitlePage("Soups", "", "");
  book.CreditsPage("Dec 08, 2026", "https://tovalia.example.org");
  BookRecord soup;
  soup.title = "Leek Soup";
  soup.chapterName = "Soups";
  soup.servings = 4;
  soup.ingredients = Lines("leek", 3);
  soup.directions = Lines("step", 20);
  book.Record(soup);
  // Page 3 is odd: left 63, right 396, split 230. The directions follow the
  // ingredients in the left column and go on at the top of the right one
  // after floor((3 + 20 + 2) / 2) = 12 lines.
  const Drawn* first = surface.Find("leek1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->x, 63);
  const Drawn* step1 = surface.Find("step1");
  EXPECT_EQ(step1->x, 63);
  EXPECT_EQ(step1->y, first->y - 3 * 13);  // right under the three ingredients
  const Drawn* step10 = surface.Find("step10");
  EXPECT_EQ(step10->x, 239);  // the right column: split + 9
  EXPECT_EQ(step10->y, first->y);
  EXPECT_EQ(surface.Find("step9")->x, 63);
  EXPECT_EQ(surface.Find("step9")->y, first->y - 11 * 13);
  EXPECT_EQ(surface.Find("Serves  4")->x, 396 - 4.5 * 5 * 2);  // right-aligned, 10 pt
  EXPECT_EQ(book.Pages(), 3);
}

TEST(BookLayout, LetterStartsTheDirectionsAtTheTopOfTheRightColumn) {
  RecordingSurface surface;
  BookComposer book(surface, BookSize::kLetter);
  book.ChapterHeading("Soups");
  BookRecord soup;
  soup.title = "Leek Soup";
  soup.chapterName = "Soups";
  soup.ingredients = Lines("leek", 3);
  soup.directions = Lines("step", 20);
  book.Record(soup);
  const Drawn* leek = surface.Find("leek1");
  const Drawn* step = surface.Find("step1");
  EXPECT_EQ(step->y, leek->y);
  EXPECT_EQ(step->x, PageGeometryFor(BookSize::kLetter, 1).mid + 9);
  // Without servings the title may use the width less 18 points: a long
  // title wraps only there.
  EXPECT_EQ(surface.Find("Serves  0"), nullptr);
}

TEST(BookLayout, FootersAlternateAndTheIndexPointsAtEachRecipesPage) {
  RecordingSurface surface;
  BookComposer book(surface, BookSize::kLetter);
  book.TitlePage("Everything", "", "");
  book.CreditsPage("Dec 08, 2026", "x");
  book.ChapterHeading("Breads");
  std::map<std::string, int> startPage;
  for (int i = 1; i <= 40; ++i) {
    BookRecord r;
    r.title = "Bread " + std::to_string(100 - i);
    r.chapterName = "Breads";
    r.ingredients = Lines("flour", 6);
    r.directions = Lines("knead", 9);
    const int before = book.Pages();
    book.Record(r);
    startPage[r.title] = book.IndexEntries().back().page;
    EXPECT_GE(startPage[r.title], before);
  }
  // Each recorded page is the page its title was drawn on.
  for (const BookIndexEntry& entry : book.IndexEntries()) {
    const std::string number = entry.title.substr(entry.title.find(' ') + 1);
    bool found = false;
    for (const Drawn& d : surface.texts)
      if (d.text == number && d.face == BookFace::kBold) found = found || d.page == entry.page;
    EXPECT_TRUE(found) << entry.title;
  }
  const int bodyPages = book.Pages();
  book.Index();
  EXPECT_GT(book.Pages(), bodyPages);
  // Footers: odd page numbers end at the right edge, even ones start at the left.
  for (const Drawn& d : surface.texts) {
    if (d.y != 50 || d.text != " " + std::to_string(d.page)) continue;
    const PageGeometry g = PageGeometryFor(BookSize::kLetter, d.page);
    if (d.page % 2) {
      EXPECT_EQ(d.x + 5.5 * d.text.size(), g.right);
    } else {
      EXPECT_EQ(d.x, g.left);
    }
  }
  // The index lists titles in order with their pages.
  const Drawn* heading = nullptr;
  for (const Drawn& d : surface.texts)
    if (d.text == "Index" && d.size == 24) heading = &d;
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->page, bodyPages + 1);
}

TEST(BookLayout, TitlesShrinkToFitAndLongWordsBreakInsideTheirColumn) {
  RecordingSurface surface;
  BookComposer book(surface, BookSize::k6x9);
  book.TitlePage(std::string(40, 'W'), "", "");
  // 40 letters at 20 points each are 800 points; the page's text is 333 wide.
  ASSERT_FALSE(surface.texts.empty());
  EXPECT_LT(surface.texts.back().size * 20, 333);
  BookRecord r;
  r.title = "Notes";
  r.textRecord = true;
  r.ingredients = std::string(200, 'x');
  book.Record(r);
  for (const Drawn& d : surface.texts)
    if (d.text.find('x') != std::string::npos) {
      EXPECT_LE(d.x + 5.5 * d.text.size(), 396 + 0.001);
    }
}

TEST(BookList, ChaptersComeBeforeTheirOwnRecordsOnly) {
  testing::Collection c;
  c.AppendChapter(1, "Soup");
  c.AppendChapter(2, "Soup Base");
  c.AppendRecipe(1, 1, "Minestrone");
  c.AppendRecipe(2, 2, "Chicken Stock");
  c.AppendRecipe(3, 1, "Leek Soup");
  SortIndex(c.db());
  std::vector<BookRow> rows = BuildBookList(c.db());
  std::vector<std::string> order;
  for (const BookRow& r : rows) order.push_back(r.title);
  // Joined as "SOUP-..." the records of Soup would sort after "SOUP BASE".
  EXPECT_EQ(order, (std::vector<std::string>{"Soup", "Leek Soup", "Minestrone", "Soup Base", "Chicken Stock"}));

  ToggleBookRow(rows, 1);  // one of Soup's two recipes: the chapter stays unmarked
  EXPECT_FALSE(rows[0].marked);
  ToggleBookRow(rows, 2);  // both: the chapter is marked too
  EXPECT_TRUE(rows[0].marked);
  ToggleBookRow(rows, 3);  // a chapter row marks its recipes
  EXPECT_TRUE(rows[4].marked);
  ToggleBookRow(rows, 0);
  EXPECT_FALSE(rows[1].marked || rows[2].marked);
  ToggleAllBookRows(rows);  // the first row is unmarked: everything is marked
  EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](const BookRow& r) { return r.marked; }));
  ToggleAllBookRows(rows);
  EXPECT_FALSE(MarkChaptersOfMarkedRecords(rows));
  rows[4].marked = true;
  EXPECT_TRUE(MarkChaptersOfMarkedRecords(rows));
  EXPECT_TRUE(rows[3].marked);
  EXPECT_FALSE(rows[0].marked);
}

}  // namespace
}  // namespace tovalia
