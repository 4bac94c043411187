#include "output/card_printer.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "layout/line_breaker.h"
#include "output/print_record.h"

namespace tovalia {

namespace {

constexpr int32_t kInset = 200;            // the text keeps 0.2 inch from the card's edges
constexpr int32_t kPhotoAllowance = 300;   // a photo keeps 0.3 inch of the card's height free
constexpr int kMostLineCharacters = 400;   // more than any printed line holds
constexpr int kBold = 700;
constexpr int kNormal = 400;
constexpr double kInchesPerPoint = 0.01389;

std::string WithoutTrailingBreaks(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  return line;
}

}  // namespace

CardPrinter::CardPrinter(PrintDevice& device, const ByteBuffer& record) : device_(device), record_(record) {
  face_ = FontFace(record);
  if (face_.empty()) face_ = "Arial";
}

int CardPrinter::PixelsX(int32_t thousandths) const {
  return std::max(0, static_cast<int>(static_cast<int64_t>(device_.DpiX()) * thousandths / 1000));
}

int CardPrinter::PixelsY(int32_t thousandths) const {
  return std::max(0, static_cast<int>(static_cast<int64_t>(device_.DpiY()) * thousandths / 1000));
}

bool CardPrinter::NextCard(int32_t kind) {
  using namespace print_field;
  PrintCursor& c = cursor_;
  c.cardWidth = PixelsX(GetI32(record_, kCardWidth));
  c.cardHeight = PixelsY(GetI32(record_, kCardHeight));
  c.horizontalSpacing = PixelsX(GetI32(record_, kHorizontalSpacing));
  c.verticalSpacing = PixelsY(GetI32(record_, kVerticalSpacing));
  const int across = std::max(1, GetI32(record_, kAcross));
  const int down = std::max(1, GetI32(record_, kDown));
  const int sheetX = PixelsX(GetI32(record_, kLeft)) - device_.OffsetX();
  const int sheetY = PixelsY(GetI32(record_, kTop)) - device_.OffsetY();
  const int pen = std::max(2, device_.DpiX() / 100);

  if (!c.pageOpen) {
    if (!device_.StartPage()) return !(failed_ = true);
    c.pageOpen = true;
    c.column = c.row = 0;
    c.x = sheetX;
    c.y = sheetY;
  } else if (++c.row < down) {
    c.y += c.cardHeight + c.verticalSpacing;
  } else {
    c.row = 0;
    c.y = sheetY;
    c.x += c.cardWidth + c.horizontalSpacing;
    if (++c.column >= across) {
      device_.EndPage();
      if (!device_.StartPage()) return !(failed_ = true);
      c.column = 0;
      c.x = sheetX;
    }
  }
  const Rect card{c.x, c.y, c.cardWidth + 1, c.cardHeight + 1};
  device_.SetClip(card);
  if (GetU8(record_, kOutlines)) device_.StrokeRect(card, pen);
  inset_ = PixelsX(kInset);
  c.top = c.y + PixelsY(kInset);
  c.bottom = c.y + c.cardHeight - PixelsY(kInset);
  c.left = c.x + inset_;
  c.right = kind == 1 ? c.x + c.cardWidth - inset_ : c.x + c.cardWidth / 2 - inset_;
  c.lineX = c.left;
  c.lineY = c.top;
  c.rightColumn = false;
  c.recipeTop = c.top;
  c.usedBottom = c.top;
  ++c.cards;
  return true;
}

void CardPrinter::UseBodyFont(bool bold) { device_.SetFont(face_, bodyHeight_, bold ? kBold : kNormal); }

int CardPrinter::CountPrintLines(const std::string& text, int width) {
  const TextMeasure measure = [this](std::string_view s) { return device_.TextWidth(std::string(s)); };
  int lines = 0;
  for (std::string_view rest = text; !rest.empty(); ++lines)
    rest.remove_prefix(static_cast<size_t>(NextLineBreak(rest, {kMostLineCharacters, width, &measure})));
  return lines;
}

void CardPrinter::CreatePrintFonts(const PrintableRecipe& recipe) {
  const int32_t size = FontSize(record_);
  if (size > 0) {
    bodyHeight_ = std::max(1, static_cast<int>(std::lround(device_.DpiY() * kInchesPerPoint * std::min(size, 200))));
  } else {
    // Size 0: the largest face up to a fifth of an inch in which no line
    // needs wrapping, but not below 0.06 inch.
    const int width = PixelsX(GetI32(record_, print_field::kCardWidth)) / (recipe.kind == 1 ? 1 : 2) - 2 * PixelsX(kInset);
    const int smallest = static_cast<int>(0.06 * device_.DpiY());
    auto tooWide = [&](const std::string& text, bool bold) {
      UseBodyFont(bold);
      for (std::string_view rest = text; !rest.empty();) {
        const size_t end = std::min(rest.find('\r'), rest.size());
        if (device_.TextWidth(std::string(rest.substr(0, end))) >= width) return true;
        rest.remove_prefix(std::min(end + 1, rest.size()));
      }
      return false;
    };
    for (bodyHeight_ = device_.DpiY() / 5; bodyHeight_ > smallest; --bodyHeight_)
      if (!tooWide(recipe.ingredients, true) && !tooWide(recipe.directions, false)) break;
  }
  cursor_.lineHeight = bodyHeight_;
}

void CardPrinter::PrintTitle(const std::string& title) {
  PrintCursor& c = cursor_;
  const int available = c.cardWidth - 2 * inset_;
  int height = bodyHeight_ * 3 / 2;
  device_.SetFont(face_, height, kBold);
  if (device_.TextWidth(title) > available) {
    // A title too wide for the card shrinks a little, then wraps.
    height = height * 85 / 100;
    device_.SetFont(face_, height, kBold);
  }
  const TextMeasure measure = [this](std::string_view s) { return device_.TextWidth(std::string(s)); };
  int y = c.lineY;
  int lines = 0;
  for (std::string_view rest = title; !rest.empty(); ++lines) {
    const size_t n = static_cast<size_t>(NextLineBreak(rest, {kMostLineCharacters, available, &measure}));
    const std::string line(Trimmed(rest.substr(0, n)));
    device_.DrawText(c.x + c.cardWidth / 2 - device_.TextWidth(line) / 2, y, line);
    y += height;
    rest.remove_prefix(n);
  }
  c.usedBottom = std::max(c.usedBottom, y);
  c.lineY += 2 * c.lineHeight + std::max(0, lines - 1) * height;
}

// The photo's size in a column: its width, or, when that makes it too tall
// for the card, the height that fits, keeping its proportions.
static Rect PhotoBox(const Image& photo, int columnWidth, int mostHeight) {
  if (photo.Empty() || columnWidth <= 0 || mostHeight <= 0) return {};
  int width = columnWidth;
  int height = static_cast<int>(static_cast<int64_t>(width) * photo.height / photo.width);
  if (height > mostHeight) {
    height = mostHeight;
    width = static_cast<int>(static_cast<int64_t>(height) * photo.width / photo.height);
  }
  return {0, 0, width, height};
}

void CardPrinter::PrintPhoto(const Image& photo, int columnWidth) {
  PrintCursor& c = cursor_;
  Rect box = PhotoBox(photo, columnWidth, c.cardHeight - PixelsY(kPhotoAllowance) - 2 * c.lineHeight);
  if (box.width <= 0 || box.height <= 0) return;
  box.x = c.left;
  box.y = c.lineY;
  device_.DrawImage(photo, box);
  const int lines = static_cast<int>(std::lround(static_cast<double>(box.height) / c.lineHeight)) + 1;
  c.lineY += lines * c.lineHeight;
  c.usedBottom = std::max(c.usedBottom, box.y + box.height);
}

void CardPrinter::ToRightColumn() {
  PrintCursor& c = cursor_;
  c.rightColumn = true;
  c.left = c.x + c.cardWidth / 2;
  c.right = c.x + c.cardWidth - inset_;
  c.lineX = c.left;
  c.lineY = c.recipeTop;
}

bool CardPrinter::ContinueElsewhere() {
  if (kind_ == 0 && !cursor_.rightColumn) {
    ToRightColumn();
    return true;
  }
  // Continuation cards carry no title: the text goes on from the top inset.
  return NextCard(kind_);
}

bool CardPrinter::FlowPrintText(const std::string& text, bool bold) {
  if (text.empty()) return !failed_;
  UseBodyFont(bold);
  PrintCursor& c = cursor_;
  const TextMeasure measure = [this](std::string_view s) { return device_.TextWidth(std::string(s)); };
  for (std::string_view rest = text; !rest.empty();) {
    // At the top of a column a line is drawn even when it is taller than
    // the column, so that nothing loops.
    const bool atTop = c.lineY <= (c.rightColumn ? c.recipeTop : c.top);
    if (c.lineY + c.lineHeight > c.bottom && !atTop) {
      if (!ContinueElsewhere()) return false;
      UseBodyFont(bold);
      continue;
    }
    const size_t n = static_cast<size_t>(NextLineBreak(rest, {kMostLineCharacters, c.right - c.left, &measure}));
    const std::string line(Trimmed(rest.substr(0, n)));
    if (!line.empty()) device_.DrawText(c.left, c.lineY, line);
    c.lineY += c.lineHeight;
    c.usedBottom = std::max(c.usedBottom, c.lineY);
    rest.remove_prefix(n);
  }
  c.lineX = c.left;
  c.lineY += c.lineHeight;
  return !failed_;
}

int CardPrinter::EstimatedHeight(const PrintableRecipe& recipe) {
  const int lh = cursor_.lineHeight;
  const int columnWidth = recipe.kind == 1 ? cursor_.cardWidth - 2 * inset_ : cursor_.cardWidth / 2 - 2 * inset_;
  int lines = 2;
  if (!recipe.photo.Empty() && (recipe.kind == 1 || GetU8(record_, print_field::kPhotos))) {
    const Rect box = PhotoBox(recipe.photo, columnWidth, cursor_.cardHeight - PixelsY(kPhotoAllowance) - 2 * lh);
    if (box.height > 0) lines += static_cast<int>(std::lround(static_cast<double>(box.height) / lh)) + 1;
  }
  UseBodyFont(true);
  if (!recipe.ingredients.empty()) lines += CountPrintLines(recipe.ingredients, columnWidth) + 1;
  UseBodyFont(false);
  if (!recipe.directions.empty()) lines += CountPrintLines(recipe.directions, columnWidth) + 1;
  if (recipe.servings > 0) ++lines;
  return lines * lh;
}

bool CardPrinter::PrintRecipe(PrintableRecipe recipe) {
  if (failed_) return false;
  PrintCursor& c = cursor_;
  recipe.ingredients = WithoutTrailingBreaks(std::move(recipe.ingredients));
  recipe.directions = WithoutTrailingBreaks(std::move(recipe.directions));
  kind_ = recipe.kind == 1 ? 1 : 0;
  CreatePrintFonts(recipe);
  if (GetU8(record_, print_field::kOnePerCard) || !c.pageOpen) {
    if (!NextCard(kind_)) return false;
  } else {
    // Below the previous recipe, when this one looks like it fits there.
    const int top = c.usedBottom + 3 * c.lineHeight;
    if (top + EstimatedHeight(recipe) > c.bottom) {
      if (!NextCard(kind_)) return false;
    } else {
      c.rightColumn = false;
      c.left = c.x + inset_;
      c.right = kind_ == 1 ? c.x + c.cardWidth - inset_ : c.x + c.cardWidth / 2 - inset_;
      c.lineY = c.recipeTop = top;
    }
  }
  PrintTitle(recipe.title);
  c.recipeTop = c.lineY;
  const int card = c.cards;
  const bool photos = kind_ == 1 || GetU8(record_, print_field::kPhotos);
  const int photoTop = c.lineY;
  if (photos) PrintPhoto(recipe.photo, c.right - c.left);
  const int photoLines = (c.lineY - photoTop) / std::max(1, c.lineHeight);
  if (kind_ == 1) return FlowPrintText(recipe.ingredients, false);

  UseBodyFont(true);
  const int ingredientLines = recipe.ingredients.empty() ? 0 : CountPrintLines(recipe.ingredients, c.right - c.left);
  if (!FlowPrintText(recipe.ingredients, true)) return false;
  if (!recipe.directions.empty()) {
    // Directions beside the ingredients: when asked for, and when a photo
    // stands taller than the ingredients below it.
    const bool beside = GetU8(record_, print_field::kSeparateColumns) || photoLines > ingredientLines;
    if (beside && !c.rightColumn && c.cards == card) ToRightColumn();
    if (!FlowPrintText(recipe.directions, false)) return false;
  }
  if (recipe.servings > 0) return FlowPrintText("Serves:  " + std::to_string(recipe.servings), true);
  return !failed_;
}

void CardPrinter::Finish() {
  if (cursor_.pageOpen) device_.EndPage();
  cursor_.pageOpen = false;
}

}  // namespace tovalia
