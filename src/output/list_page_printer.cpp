#include "output/list_page_printer.h"

#include <algorithm>
#include <cmath>

#include "layout/text_fit.h"
#include "output/print_record.h"

namespace tovalia {

namespace {

constexpr int32_t kAreaWidth = 7500;  // what a list record without an area prints in
constexpr int32_t kAreaHeight = 10000;
constexpr int kBold = 700;
constexpr int kNormal = 400;
constexpr double kInchesPerPoint = 0.01389;
constexpr int32_t kLargestFont = 200;

int ToPixels(int32_t thousandths, int dpi) {
  return static_cast<int>(static_cast<int64_t>(dpi) * thousandths / 1000);
}

}  // namespace

ListPagePrinter::ListPagePrinter(PrintDevice& device, const ByteBuffer& record, const std::string& fallbackFace)
    : device_(device), face_(FontFace(record)) {
  using namespace print_field;
  if (face_.empty()) face_ = fallbackFace.empty() ? "Arial" : fallbackFace;
  const int32_t width = GetI32(record, kCardWidth) > 0 ? GetI32(record, kCardWidth) : kAreaWidth;
  const int32_t height = GetI32(record, kCardHeight) > 0 ? GetI32(record, kCardHeight) : kAreaHeight;
  const int32_t left = std::max(0, GetI32(record, kLeft));
  const int32_t top = std::max(0, GetI32(record, kTop));
  // The area as the record places it on the sheet, cut to what the printer
  // can reach, so that no line falls into its margins unseen.
  const int x0 = std::max(0, ToPixels(left, device.DpiX()) - device.OffsetX());
  const int y0 = std::max(0, ToPixels(top, device.DpiY()) - device.OffsetY());
  const int x1 = std::min(device.PrintableWidth(), ToPixels(left, device.DpiX()) - device.OffsetX() +
                                                       ToPixels(std::min(width, 100000), device.DpiX()));
  const int y1 = std::min(device.PrintableHeight(), ToPixels(top, device.DpiY()) - device.OffsetY() +
                                                        ToPixels(std::min(height, 100000), device.DpiY()));
  area_ = x1 > x0 && y1 > y0 ? Rect{x0, y0, x1 - x0, y1 - y0}
                             : Rect{0, 0, std::max(1, device.PrintableWidth()), std::max(1, device.PrintableHeight())};

  int32_t points = FontSize(record);
  if (points <= 0) points = kDefaultFontSize;
  lineHeight_ = std::max(1, static_cast<int>(std::lround(device.DpiY() * kInchesPerPoint * std::min(points, kLargestFont))));
  headingHeight_ = lineHeight_ * 13 / 10;
  bodyTop_ = headingHeight_ + lineHeight_;
}

int ListPagePrinter::LinesPerPage() const { return std::max(1, (area_.height - bodyTop_) / lineHeight_); }

void ListPagePrinter::UseFont(bool bold, int height) { device_.SetFont(face_, height, bold ? kBold : kNormal); }

int ListPagePrinter::RowY(int row) const { return area_.y + bodyTop_ + row * lineHeight_; }

void ListPagePrinter::ExpectPages(int pages) {
  page_ = 0;
  pages_ = pages;
}

bool ListPagePrinter::StartPage(const std::string& title, const std::string& right) {
  if (failed_ || stopped_) return false;
  ++page_;
  if (hook_ && !hook_(page_, std::max(page_, pages_))) {
    stopped_ = true;
    return false;
  }
  if (pageOpen_) device_.EndPage();
  pageOpen_ = device_.StartPage();
  if (!pageOpen_) {
    failed_ = true;
    return false;
  }
  device_.SetClip(area_);
  // A heading too wide for the area comes down to the body's size; then
  // the right-hand text keeps its place and the title gives way to it.
  auto widths = [&](int height, int& rightWidth, int& gap) {
    UseFont(false, height);
    rightWidth = right.empty() ? 0 : device_.TextWidth(right);
    UseFont(true, height);
    gap = right.empty() ? 0 : device_.TextWidth("    ");
    return rightWidth + gap + device_.TextWidth(title);
  };
  int rightWidth = 0, gap = 0;
  int height = headingHeight_;
  if (widths(height, rightWidth, gap) > area_.width) widths(height = lineHeight_, rightWidth, gap);
  UseFont(false, height);
  if (!right.empty()) device_.DrawText(area_.x + area_.width - rightWidth, area_.y, right);
  UseFont(true, height);
  const TextMeasure measure = [this](std::string_view s) { return device_.TextWidth(std::string(s)); };
  device_.DrawText(area_.x, area_.y, EndWithEllipsis(title, std::max(0, area_.width - rightWidth - gap), measure));
  const int pen = std::max(1, device_.DpiY() / 150);
  device_.StrokeRect({area_.x, area_.y + headingHeight_ + lineHeight_ / 4, area_.width, pen}, pen);
  return true;
}

void ListPagePrinter::Finish() {
  if (pageOpen_) device_.EndPage();
  pageOpen_ = false;
}

int ListPagePrinter::TextWidth(const std::string& text, bool bold) {
  UseFont(bold, lineHeight_);
  return device_.TextWidth(text);
}

std::string ListPagePrinter::Fitted(const std::string& text, int width, bool bold) {
  UseFont(bold, lineHeight_);
  const TextMeasure measure = [this](std::string_view s) { return device_.TextWidth(std::string(s)); };
  return EndWithEllipsis(text, std::max(0, width), measure);
}

void ListPagePrinter::DrawAt(int x, int row, const std::string& text, bool bold) {
  if (!pageOpen_ || text.empty()) return;
  UseFont(bold, lineHeight_);
  device_.DrawText(x, RowY(row), text);
}

void ListPagePrinter::DrawEndingAt(int right, int row, const std::string& text, bool bold) {
  if (!pageOpen_ || text.empty()) return;
  UseFont(bold, lineHeight_);
  device_.DrawText(right - device_.TextWidth(text), RowY(row), text);
}

}  // namespace tovalia
