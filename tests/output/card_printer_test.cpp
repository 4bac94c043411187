// Cards on the sheet and text on the cards, recorded by a device whose
// characters are half a line high wide. At 600 dots per inch an 11-point
// line is 92 pixels and the 0.2-inch inset 120.
#include "output/card_printer.h"

#include <gtest/gtest.h>

#include "output/print_geometry.h"
#include "output/print_record.h"
#include "support/recording_printer.h"

namespace tovalia {
namespace {

using testing::DrawnLine;
using testing::FakePrinters;
using testing::RecordedPage;
using testing::RecordingDevice;
using namespace print_field;

constexpr int kLine = 92;
constexpr int kInset = 120;

PrintableRecipe Recipe(const std::string& title, const std::string& directions = "Mix.") {
  PrintableRecipe r;
  r.title = title;
  r.ingredients = "2 cups flour\r1 cup sugar\r\r";
  r.directions = directions;
  r.servings = 4;
  return r;
}

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "stir" + std::to_string(i) + (i % 9 == 8 ? "\r" : " ");
  return text;
}

class Cards : public ::testing::Test {
 protected:
  Cards() : record(NewPrintRecord()) {}
  void Layout(int32_t id, PrinterInfo printer = {}) {
    LayoutDefaults(record, id, printers);
    ApplyLayout(record);
    device = std::make_unique<RecordingDevice>(printer, RecordPaper(record), pages);
    cards = std::make_unique<CardPrinter>(*device, record);
  }
  // The card rectangles in the order the cards were begun, per page.
  std::vector<std::vector<Rect>> CardClips() const {
    std::vector<std::vector<Rect>> clips;
    for (const RecordedPage& page : pages) clips.push_back(page.clips);
    return clips;
  }
  const DrawnLine* Find(const std::string& text, int* pageNumber = nullptr) const {
    for (size_t p = 0; p < pages.size(); ++p)
      for (const DrawnLine& line : pages[p].texts)
        if (line.text == text) {
          if (pageNumber) *pageNumber = static_cast<int>(p);
          return &line;
        }
    return nullptr;
  }

  FakePrinters printers;
  ByteBuffer record;
  std::vector<RecordedPage> pages;
  std::unique_ptr<RecordingDevice> device;
  std::unique_ptr<CardPrinter> cards;
};

TEST_F(Cards, TwoFourBySixCardsASheetFillTopThenBottomThenTheNextSheet) {
  Layout(56);  // left 1250, top 1250, cards 6000 x 4000, 0.5 inch apart
  for (const char* title : {"One", "Two", "Three"}) ASSERT_TRUE(cards->PrintRecipe(Recipe(title)));
  cards->Finish();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(CardClips()[0], (std::vector<Rect>{{750, 750, 3601, 2401}, {750, 3450, 3601, 2401}}));
  EXPECT_EQ(CardClips()[1], (std::vector<Rect>{{750, 750, 3601, 2401}}));
  int page = -1;
  const DrawnLine* three = Find("Three", &page);
  ASSERT_TRUE(three);
  EXPECT_EQ(page, 1);
  EXPECT_EQ(three->y, 750 + kInset);
  EXPECT_EQ(three->weight, 700);
  EXPECT_EQ(three->height, kLine * 3 / 2);
  EXPECT_EQ(three->x, 750 + 1800 - 5 * three->height / 2 / 2);  // centred on the card
}

TEST_F(Cards, FourCardsASheetGoDownTheFirstColumnThenTheSecond) {
  Layout(55);  // landscape, left 500, top 1250, cards 5000 x 3000, outlines on
  for (int i = 1; i <= 5; ++i) ASSERT_TRUE(cards->PrintRecipe(Recipe("Card " + std::to_string(i))));
  cards->Finish();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(CardClips()[0], (std::vector<Rect>{{300, 750, 3001, 1801}, {300, 2550, 3001, 1801},
                                               {3300, 750, 3001, 1801}, {3300, 2550, 3001, 1801}}));
  EXPECT_EQ(CardClips()[1], (std::vector<Rect>{{300, 750, 3001, 1801}}));
  EXPECT_EQ(pages[0].outlines, CardClips()[0]);
  EXPECT_EQ(cards->Cursor().cards, 5);
}

TEST_F(Cards, ARecipeLongerThanACardGoesOnWithoutItsTitleAndNoLineLeavesItsColumn) {
  Layout(51);  // one 3 x 5 card a sheet
  PrintableRecipe long_ = Recipe("Crème Brûlée", Words(400));
  ASSERT_TRUE(cards->PrintRecipe(long_));
  cards->Finish();
  ASSERT_GE(pages.size(), 3u);
  EXPECT_EQ(pages[0].texts[0].text, "Crème Brûlée");
  for (size_t p = 1; p < pages.size(); ++p) {
    EXPECT_NE(pages[p].texts[0].weight, 700);
    EXPECT_EQ(pages[p].texts[0].y, pages[p].clips[0].y + kInset);  // from the top inset, left column
    EXPECT_EQ(pages[p].texts[0].x, pages[p].clips[0].x + kInset);
  }
  // Every word arrives once, in order, and every line stays inside its half of the card.
  std::string words;
  for (const RecordedPage& page : pages) {
    const Rect card = page.clips[0];
    for (const DrawnLine& line : page.texts) {
      if (line.weight == 700) continue;
      words += line.text + " ";
      const int width = static_cast<int>(line.text.size()) * line.height / 2;
      const bool left = line.x < card.x + card.width / 2;
      EXPECT_LE(line.x + width, left ? card.x + card.width / 2 - kInset : card.x + card.width - 1 - kInset);
      EXPECT_LE(line.y + line.height, card.y + card.height - 1 - kInset);
    }
  }
  std::string expected = Words(400);
  for (char& c : expected) c = c == '\r' ? ' ' : c;
  EXPECT_EQ(words, expected);
}

TEST_F(Cards, RecipesShareAFullPageThreeLinesApartAndMoveOnWhenTheNextWouldNotFit) {
  Layout(50);
  SetU8(record, kOnePerCard, 0);
  ASSERT_TRUE(cards->PrintRecipe(Recipe("First")));
  ASSERT_TRUE(cards->PrintRecipe(Recipe("Second")));
  const DrawnLine* serves = Find("Serves:  4");
  const DrawnLine* second = Find("Second");
  ASSERT_TRUE(serves && second);
  EXPECT_EQ(second->y, serves->y + kLine + 3 * kLine);
  EXPECT_EQ(pages.size(), 1u);
  // A recipe whose block would pass the bottom starts the next page.
  ASSERT_TRUE(cards->PrintRecipe(Recipe("Long", Words(700))));
  int page = -1;
  ASSERT_TRUE(Find("Long", &page));
  EXPECT_EQ(page, 1);
  EXPECT_EQ(Find("Long")->y, 300 + kInset);
}

TEST_F(Cards, SeparateColumnsPutTheDirectionsBesideTheIngredients) {
  Layout(53);
  SetU8(record, kSeparateColumns, 1);
  ASSERT_TRUE(cards->PrintRecipe(Recipe("Soup", "Simmer gently.")));
  const DrawnLine* first = Find("2 cups flour");
  const DrawnLine* directions = Find("Simmer gently.");
  ASSERT_TRUE(first && directions);
  EXPECT_EQ(directions->y, first->y);
  EXPECT_EQ(directions->x, pages[0].clips[0].x + pages[0].clips[0].width / 2);
  EXPECT_EQ(first->weight, 700);
  EXPECT_EQ(directions->weight, 400);
}

TEST_F(Cards, APhotoComesFirstScaledToItsColumnAndTextRecordsUseTheWholeWidth) {
  Layout(52);
  SetU8(record, kPhotos, 1);
  PrintableRecipe r = Recipe("Tart");
  r.photo.width = 400;
  r.photo.height = 200;
  r.photo.pixels.assign(400 * 200, 0xFF336699);
  ASSERT_TRUE(cards->PrintRecipe(r));
  ASSERT_EQ(pages[0].images.size(), 1u);
  const Rect card = pages[0].clips[0];
  const Rect photo = pages[0].images[0];
  EXPECT_EQ(photo.x, card.x + kInset);
  EXPECT_EQ(photo.width, (card.width - 1) / 2 - 2 * kInset);
  EXPECT_EQ(photo.height, photo.width / 2);
  const DrawnLine* flour = Find("2 cups flour");
  ASSERT_TRUE(flour);
  EXPECT_GE(flour->y, photo.y + photo.height);

  PrintableRecipe note;
  note.kind = 1;
  note.title = "Oven notes";
  note.ingredients = Words(30);
  ASSERT_TRUE(cards->PrintRecipe(note));
  const DrawnLine* text = Find("stir0 stir1 stir2 stir3 stir4 stir5 stir6 stir7 stir8");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->y, pages[1].clips[0].y + kInset + 2 * kLine);
}

TEST_F(Cards, PositionsAreMeasuredFromTheSheetEdgeNotThePrintableArea) {
  PrinterInfo printer;
  printer.dpiX = 300;
  printer.dpiY = 600;
  printer.marginLeft = 250;
  printer.marginTop = 500;
  Layout(50, printer);
  ASSERT_TRUE(cards->PrintRecipe(Recipe("Bread")));
  EXPECT_EQ(pages[0].clips[0], (Rect{225 - 75, 300 - 300, 2101, 6001}));
}

TEST_F(Cards, FontSizeZeroPicksTheLargestFaceInWhichNoLineWraps) {
  Layout(51);
  SetFontSize(record, 0);
  ASSERT_TRUE(cards->PrintRecipe(Recipe("Fit")));
  const DrawnLine* flour = Find("2 cups flour");
  ASSERT_TRUE(flour);
  // The column is 1500 - 240 = 1260 pixels: 12 characters fit below 210 pixels high.
  EXPECT_EQ(flour->height, 120);  // a fifth of an inch already fits
  SetFontSize(record, 0);
  PrintableRecipe wide = Recipe("Fit", "a line of directions that is rather long");
  ASSERT_TRUE(cards->PrintRecipe(wide));
  const DrawnLine* line = Find("a line of directions that is rather long");
  ASSERT_TRUE(line);
  EXPECT_LT(static_cast<int>(line->text.size()) * line->height / 2, 1260);
  EXPECT_GE(static_cast<int>(line->text.size()) * (line->height + 1) / 2, 1260);
}

}  // namespace
}  // namespace tovalia
