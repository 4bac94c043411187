// Lays a cookbook out page by page: the title and credits pages, chapter
// headings, recipes in two columns with their titles, servings and photos,
// text records across the page, running footers with page numbers, and the
// three-column index. It only measures and draws through a BookSurface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/book_geometry.h"
#include "output/book_surface.h"

namespace tovalia {

struct BookRecord {
  bool textRecord = false;
  std::string title;
  std::string chapterName;
  int servings = 0;
  std::string ingredients;  // a text record's text
  std::string directions;
  std::vector<uint32_t> photo;  // 0xAARRGGBB, photoColumns x photoRows
  int photoColumns = 0, photoRows = 0;
};

struct BookIndexEntry {
  std::string title;
  int page = 0;
};

class BookComposer {
 public:
  BookComposer(BookSurface& surface, BookSize size);

  void TitlePage(const std::string& title, const std::string& subtitle, const std::string& author);
  void CreditsPage(const std::string& dateText, const std::string& webAddress);
  void ChapterHeading(const std::string& name);
  void Record(const BookRecord& record);
  void Index();

  int Pages() const { return page_; }
  const std::vector<BookIndexEntry>& IndexEntries() const { return index_; }

 private:
  enum class Column { kIngredients, kDirections, kFull, kFixed };
  struct Style {
    BookFace face;
    double size;
    double lineHeight;
  };

  void NewPage();
  void DrawFooter();
  void DrawCentred(BookFace face, double largest, const std::string& text, double y);
  int CountLines(const std::string& text, double left, double right, const Style& style, bool hanging);
  // Draws text word by word from (x_, y_), wrapping inside the column and
  // moving on to the next column or page at the column's bottom.
  void FlowText(const std::string& text, const Style& style, bool hanging);
  void SetColumn(Column column, double left, double right);
  void PlacePhoto(const BookRecord& record);
  // Splits a word wider than the column into pieces that fit.
  std::vector<std::string> Pieces(const std::string& word, const Style& style, double width);

  BookSurface& surface_;
  BookSize size_;
  int page_ = 0;
  PageGeometry g_;
  std::string footerChapter_;
  double x_ = 0, y_ = 0;
  Column column_ = Column::kFull;
  double columnLeft_ = 0, columnRight_ = 0, columnTop_ = 0, columnBottom_ = 0;
  bool drawnInColumn_ = false;
  std::vector<BookIndexEntry> index_;
};

}  // namespace tovalia
