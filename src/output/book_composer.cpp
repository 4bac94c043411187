#include "output/book_composer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "db/cp1252.h"

namespace tovalia {

namespace {

constexpr double kNoBottom = -std::numeric_limits<double>::infinity();
constexpr double kHangingIndent = 10;  // wrapped ingredient lines

std::string NumberWithBlank(int number) { return " " + std::to_string(number); }

std::string TrimTrailingControls(const std::string& text) {
  size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(0, end);
}

}  // namespace

// The text styles: titles, body text, index entries (size and line height).
namespace style {
constexpr double kTitleSize = 13, kTitleLine = 16;
constexpr double kBodySize = 11, kBodyLine = 13;
constexpr double kIndexSize = 8, kIndexLine = 10;
}  // namespace style

BookComposer::BookComposer(BookSurface& surface, BookSize size) : surface_(surface), size_(size) {}

void BookComposer::NewPage() {
  ++page_;
  g_ = PageGeometryFor(size_, page_);
  surface_.AddPage(g_.width, g_.height);
  x_ = g_.left;
  y_ = g_.top - 16;
  DrawFooter();
}

void BookComposer::DrawFooter() {
  const std::string number = NumberWithBlank(page_);
  const double numberWidth = surface_.TextWidth(BookFace::kText, 11, number);
  const double chapterWidth = surface_.TextWidth(BookFace::kText, 11, footerChapter_);
  if (page_ % 2 != 0) {
    surface_.DrawText(BookFace::kText, 11, g_.right - numberWidth, g_.margin, number);
    surface_.DrawText(BookFace::kText, 11, g_.right - 26 - chapterWidth, g_.margin, footerChapter_);
  } else {
    surface_.DrawText(BookFace::kText, 11, g_.left, g_.margin, number);
    surface_.DrawText(BookFace::kText, 11, g_.left + 26, g_.margin, footerChapter_);
  }
}

// The largest size from `largest` down that fits between the margins.
void BookComposer::DrawCentred(BookFace face, double largest, const std::string& text, double y) {
  const double room = g_.right - g_.left;
  double size = largest;
  while (size > 4 && surface_.TextWidth(face, size, text) >= room) size -= 1;
  const double width = surface_.TextWidth(face, size, text);
  surface_.DrawText(face, size, g_.left + (room - width) / 2, y, text);
}

void BookComposer::TitlePage(const std::string& title, const std::string& subtitle, const std::string& author) {
  NewPage();
  const double height = g_.top - g_.bottom;
  DrawCentred(BookFace::kBold, 40, title, 0.8 * height);
  if (!TrimBlanks(subtitle).empty()) DrawCentred(BookFace::kBold, 24, subtitle, 0.7 * height);
  if (!TrimBlanks(author).empty()) DrawCentred(BookFace::kText, 24, author, 0.3 * height);
  y_ = kNoBottom;
}

void BookComposer::CreditsPage(const std::string& dateText, const std::string& webAddress) {
  NewPage();
  double y = 0.7 * (g_.top - g_.bottom);
  auto line = [&](const std::string& text) {
    const double width = surface_.TextWidth(BookFace::kText, 8, text);
    surface_.DrawText(BookFace::kText, 8, g_.left + (g_.right - g_.left - width) / 2, y, text);
  };
  line("This cookbook was created " + dateText);
  y -= 30;
  line("Using Tovalia Recipe Software");
  y -= 15;
  line("Version 5.8");
  y -= 15;
  line(webAddress);
  y_ = kNoBottom;  // the body starts on a page of its own
}

void BookComposer::ChapterHeading(const std::string& name) {
  // The heading's own page already carries its chapter in the footer.
  footerChapter_ = name;
  NewPage();
  DrawCentred(BookFace::kBold, 24, name, y_);
  y_ -= 40;
}

std::vector<std::string> BookComposer::Pieces(const std::string& word, const Style& s, double width) {
  if (surface_.TextWidth(s.face, s.size, word) <= width || word.size() < 2) return {word};
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : word) {
    if (!piece.empty() && surface_.TextWidth(s.face, s.size, piece + c) > width) {
      pieces.push_back(piece);
      piece.clear();
    }
    piece += c;
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

int BookComposer::CountLines(const std::string& text, double left, double right, const Style& s, bool hanging) {
  int lines = 0;
  double x = left;
  bool drawn = false;
  const double blank = surface_.TextWidth(s.face, s.size, " ");
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\r') {
      if (drawn) ++lines, x = left;
      ++i;
      continue;
    }
    if (text[i] == ' ') {
      x += blank;
      ++i;
      continue;
    }
    const size_t end = std::min(text.find_first_of(" \r", i), text.size());
    for (const std::string& piece : Pieces(text.substr(i, end - i), s, right - left)) {
      const double width = surface_.TextWidth(s.face, s.size, piece);
      if (x + width > right) ++lines, x = left + (hanging ? kHangingIndent : 0);
      x += width;
      drawn = true;
    }
    i = end;
  }
  return lines + 1;
}

void BookComposer::SetColumn(Column column, double left, double right) {
  column_ = column;
  columnLeft_ = left;
  columnRight_ = right;
  drawnInColumn_ = false;
}

void BookComposer::FlowText(const std::string& text, const Style& s, bool hanging) {
  const double blank = surface_.TextWidth(s.face, s.size, " ");
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\r') {
      if (drawnInColumn_) x_ = columnLeft_, y_ -= s.lineHeight;
      ++i;
      continue;
    }
    if (text[i] == ' ') {
      x_ += blank;
      ++i;
      continue;
    }
    const size_t end = std::min(text.find_first_of(" \r", i), text.size());
    for (const std::string& piece : Pieces(text.substr(i, end - i), s, columnRight_ - columnLeft_)) {
      const double width = surface_.TextWidth(s.face, s.size, piece);
      if (x_ + width > columnRight_) x_ = columnLeft_ + (hanging ? kHangingIndent : 0), y_ -= s.lineHeight;
      if (y_ <= columnBottom_) {
        if (column_ == Column::kIngredients) {
          // On at the top of the directions column.
          SetColumn(Column::kDirections, g_.mid + 9, g_.right);
          y_ = columnTop_;
        } else {
          NewPage();
          SetColumn(Column::kFull, g_.left, g_.right);
          columnTop_ = g_.top - 13;
          columnBottom_ = g_.bottom;
        }
        x_ = columnLeft_;
      }
      surface_.DrawText(s.face, s.size, x_, y_, piece);
      x_ += width;
      drawnInColumn_ = true;
    }
    i = end;
  }
}

void BookComposer::PlacePhoto(const BookRecord& record) {
  if (record.photoColumns <= 0 || record.photoRows <= 0) return;
  // Pixels at 96 to the inch, no wider than the page's text and no taller
  // than a third of it.
  double width = record.photoColumns * 0.75, height = record.photoRows * 0.75;
  const double scale = std::min({1.0, (g_.right - g_.left) / width, (g_.top - g_.bottom) / 3 / height});
  width *= scale, height *= scale;
  if (y_ - height - 6 < g_.bottom) return;
  surface_.DrawPicture(record.photo, record.photoColumns, record.photoRows, g_.left + (g_.right - g_.left - width) / 2,
                       y_ - height, width, height);
  y_ -= height + 6;
}

void BookComposer::Record(const BookRecord& record) {
  const Style body{BookFace::kText, style::kBodySize, style::kBodyLine};
  const Style title{BookFace::kBold, style::kTitleSize, style::kTitleLine};
  const std::string ingredients = TrimTrailingControls(record.ingredients);
  const std::string directions = record.textRecord ? std::string() : TrimTrailingControls(record.directions);
  footerChapter_ = record.chapterName;

  // 1. How many lines the block needs.
  const int ingredientLines = CountLines(ingredients, g_.left, g_.mid - 9, body, !record.textRecord);
  const int directionLines = record.textRecord ? 0 : CountLines(directions, g_.mid + 9, g_.right, body, false);
  int lines = std::max(ingredientLines, directionLines);
  int difference = 0;
  if (size_ == BookSize::k6x9) {
    difference = std::abs(ingredientLines - directionLines);
    if (difference > 10) lines = (ingredientLines + directionLines + 2) / 2;
  }
  const double photoHeight = record.photoRows > 0 ? std::min(record.photoRows * 0.75, (g_.top - g_.bottom) / 3) + 6 : 0;

  // 2. A block that starts below the top third and does not fit goes to a new page.
  if (y_ < g_.bottom) {
    NewPage();
  } else if (y_ < g_.top - (g_.top - g_.bottom) / 3 && g_.bottom > y_ - (13.0 * lines + 39 + photoHeight) &&
             (!record.textRecord || y_ < g_.top - 52)) {
    NewPage();
  }
  index_.push_back({record.title, page_});

  // 3. Servings on the right, the title beside them, a rule above it.
  double servingsWidth = 0;
  if (record.servings > 0) {
    const std::string serves = "Serves " + NumberWithBlank(record.servings);
    servingsWidth = surface_.TextWidth(BookFace::kText, 10, serves);
    surface_.DrawText(BookFace::kText, 10, g_.right - servingsWidth, y_, serves);
  }
  const double titleTop = y_;
  x_ = g_.left;
  SetColumn(Column::kFixed, g_.left, g_.right - servingsWidth - 18);
  columnBottom_ = kNoBottom;
  FlowText(record.title, title, false);
  // Above the title's first line, so that a title of two lines is not cut.
  surface_.DrawLine(g_.left, titleTop + 10, g_.right, titleTop + 10, 1);
  y_ -= 10;
  PlacePhoto(record);
  columnTop_ = y_;
  columnBottom_ = std::max(g_.bottom, y_ - 13.0 * lines);
  const int startPage = page_;

  // 4. The columns.
  if (record.textRecord) {
    SetColumn(Column::kFull, g_.left, g_.right);
    x_ = g_.left;
    FlowText(ingredients, body, false);
  } else {
    SetColumn(Column::kIngredients, g_.left, g_.mid - 9);
    x_ = g_.left;
    FlowText(ingredients, body, true);
    y_ -= 13;
    x_ = columnLeft_;
    if (difference <= 10) y_ = columnBottom_;
    FlowText(directions, body, false);
  }
  if (page_ != startPage) columnBottom_ = y_;
  y_ = columnBottom_ - 39;
}

void BookComposer::Index() {
  const Style entryStyle{BookFace::kText, style::kIndexSize, style::kIndexLine};
  std::vector<BookIndexEntry> entries = index_;
  std::stable_sort(entries.begin(), entries.end(), [](const BookIndexEntry& a, const BookIndexEntry& b) {
    return CompareUpperCased(a.title, b.title) < 0;
  });
  footerChapter_ = "Index";
  y_ = 0;
  int state = 2;
  bool firstPage = true;
  double top = 0;
  for (const BookIndexEntry& entry : entries) {
    if (y_ < g_.bottom + 15) {
      state = (state + 1) % 3;
      if (state == 0) {
        NewPage();
        top = g_.top;
        if (firstPage) {
          DrawCentred(BookFace::kBold, 24, "Index", y_);
          top = y_ - 15;
          firstPage = false;
        }
      }
      const double third = (g_.right - g_.left) / 3;
      const double lefts[] = {g_.left, g_.left + third + 9, g_.left + 2 * third + 9};
      const double rights[] = {g_.left + third - 9, g_.left + 2 * third - 9, g_.right};
      SetColumn(Column::kFixed, lefts[state], rights[state]);
      columnBottom_ = kNoBottom;
      y_ = top - 15;
    }
    x_ = columnLeft_;
    drawnInColumn_ = false;
    FlowText(entry.title + " - " + NumberWithBlank(entry.page), entryStyle, true);
    y_ -= entryStyle.lineHeight;
  }
}

}  // namespace tovalia
