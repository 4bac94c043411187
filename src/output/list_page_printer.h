// Puts the lines of a printed list (the grocery list, the meal list) on
// pages. The list's area is the printing area of its print settings record
// (7.5 x 10 inches) at the record's left and top position, measured from
// the sheet's edge and kept inside the printer's printable area; text is in
// the record's face and size. Every page opens with a heading line, the
// list's title on the left in bold and a text such as the date on the
// right, with a rule below it and one empty line. Positions are device
// pixels; rows count the body lines below the heading from 0.
#pragma once

#include <functional>
#include <string>

#include "db/byte_buffer.h"
#include "platform/print_device.h"

namespace tovalia {

class ListPagePrinter {
 public:
  // `fallbackFace` serves when the record names no font.
  ListPagePrinter(PrintDevice& device, const ByteBuffer& record, const std::string& fallbackFace = "Arial");

  const Rect& Area() const { return area_; }
  int LineHeight() const { return lineHeight_; }
  // Body lines a page holds below its heading (at least 1).
  int LinesPerPage() const;

  // Told before each page of a list with the page's number (from 1) and the
  // pages the list takes; returning false stops the list there.
  using PageHook = std::function<bool(int page, int pages)>;
  void SetPageHook(PageHook hook) { hook_ = std::move(hook); }
  // The pages the list about to be printed takes, for the hook.
  void ExpectPages(int pages);

  // Ends the open page, starts the next one and draws its heading; false
  // when the device cannot go on or the hook stopped the list.
  bool StartPage(const std::string& title, const std::string& right);
  // Ends the open page.
  void Finish();
  bool Failed() const { return failed_; }
  bool Stopped() const { return stopped_; }

  int TextWidth(const std::string& text, bool bold);
  // The text as it fits the width: whole, or cut with an ellipsis.
  std::string Fitted(const std::string& text, int width, bool bold);
  // Text on a body row of the open page, starting at x or ending at right.
  void DrawAt(int x, int row, const std::string& text, bool bold);
  void DrawEndingAt(int right, int row, const std::string& text, bool bold);

 private:
  void UseFont(bool bold, int height);
  int RowY(int row) const;

  PrintDevice& device_;
  std::string face_;
  Rect area_;
  int lineHeight_ = 0;
  int headingHeight_ = 0;  // the heading's own line
  int bodyTop_ = 0;        // the first body row, below the rule and an empty line
  bool pageOpen_ = false;
  bool failed_ = false;
  bool stopped_ = false;
  PageHook hook_;
  int page_ = 0, pages_ = 0;  // of the list in hand
};

}  // namespace tovalia
