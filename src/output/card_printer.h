// Puts recipes on the cards of a layout: steps through the card cells of
// the sheet (filled column by column, then sheet by sheet), converts the
// settings' thousandths of an inch to device pixels, clips and outlines
// each card, and flows a recipe's title, photo, ingredients, directions and
// servings into it, continuing on the next card when a card is full.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"
#include "platform/canvas.h"
#include "platform/print_device.h"

namespace tovalia {

// One recipe or text record as it is printed.
struct PrintableRecipe {
  int32_t kind = 0;  // 0 recipe, 1 text record
  std::string title;
  std::string ingredients;  // a text record's text
  std::string directions;
  int32_t servings = 0;
  Image photo;
};

// Where printing stands between the start and the end of a document.
// Positions and sizes in device pixels.
struct PrintCursor {
  bool pageOpen = false;
  int column = 0, row = 0;                 // the card cell on the sheet
  int x = 0, y = 0;                        // the card's corner
  int cardWidth = 0, cardHeight = 0;
  int horizontalSpacing = 0, verticalSpacing = 0;
  int left = 0, right = 0;                 // the column text is flowing in
  int top = 0, bottom = 0;                 // the card's text area (bottom: below the last line)
  int lineX = 0, lineY = 0;
  int lineHeight = 0;
  bool rightColumn = false;                // a recipe's text is in the card's right half
  int recipeTop = 0;                       // where the current recipe's text began on this card
  int usedBottom = 0;                      // the lowest point drawn on this card
  int cards = 0;                           // cards begun in the document
};

class CardPrinter {
 public:
  // `record` is the layout's print settings record; it must outlive the printer.
  CardPrinter(PrintDevice& device, const ByteBuffer& record);

  // Prints one recipe into the next card, or below the previous recipe when
  // recipes share cards. False once the device has failed.
  bool PrintRecipe(PrintableRecipe recipe);
  // Ends a sheet that is still open.
  void Finish();
  const PrintCursor& Cursor() const { return cursor_; }

  // Lines a text takes in a column of that width with the current font.
  int CountPrintLines(const std::string& text, int width);

 private:
  int PixelsX(int32_t thousandths) const;
  int PixelsY(int32_t thousandths) const;
  bool NextCard(int32_t kind);
  void CreatePrintFonts(const PrintableRecipe& recipe);
  void UseBodyFont(bool bold);
  void PrintTitle(const std::string& title);
  void PrintPhoto(const Image& photo, int columnWidth);
  bool FlowPrintText(const std::string& text, bool bold);
  bool ContinueElsewhere();
  void ToRightColumn();
  int EstimatedHeight(const PrintableRecipe& recipe);

  PrintDevice& device_;
  const ByteBuffer& record_;
  PrintCursor cursor_;
  int32_t kind_ = 0;
  std::string face_;
  int bodyHeight_ = 0;
  int inset_ = 0;  // 0.2 inch
  bool failed_ = false;
};

}  // namespace tovalia
