// The cookbook's pages drawn into a PDF document by the PDF library, with
// the two faces embedded and the text in the Windows-1252 encoding our
// texts use.
#pragma once

#include <string>

#include "output/book_surface.h"

namespace tovalia {

struct BookFonts {
  std::string boldFile;  // TrueType files
  std::string textFile;
};

// Arial Bold and Times New Roman when installed, else their metric twins
// Liberation Sans Bold and Liberation Serif; empty files when neither is.
BookFonts FindBookFonts();

class HaruSurface : public BookSurface {
 public:
  explicit HaruSurface(const BookFonts& fonts);
  ~HaruSurface() override;
  HaruSurface(const HaruSurface&) = delete;
  HaruSurface& operator=(const HaruSurface&) = delete;

  // False when the document could not be made or a face not loaded.
  bool Ready() const { return ready_; }

  void AddPage(double width, double height) override;
  double TextWidth(BookFace face, double size, std::string_view text) override;
  void DrawText(BookFace face, double size, double x, double y, std::string_view text) override;
  void DrawLine(double x1, double y1, double x2, double y2, double width) override;
  void DrawPicture(const std::vector<uint32_t>& pixels, int columns, int rows, double x, double y, double width,
                   double height) override;

  // Writes the document; false when the library refused.
  bool Save(const std::string& path);

  // The first error the library reported, in its numbers, or empty.
  const std::string& FirstError() const { return firstError_; }
  void NoteError(unsigned long error, unsigned long detail);

 private:
  void* Font(BookFace face);

  void* document_ = nullptr;
  void* page_ = nullptr;
  void* bold_ = nullptr;
  void* text_ = nullptr;
  bool ready_ = false;
  std::string firstError_;
};

}  // namespace tovalia
