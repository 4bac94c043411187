#include "platform/cairo_print_device.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "db/cp1252.h"

namespace tovalia {

CairoPrintDevice::CairoPrintDevice(const PrinterInfo& printer, const PaperSetup& paper)
    : PrintDevice(printer, paper) {}

std::unique_ptr<CairoPrintDevice> CairoPrintDevice::ToPdf(const PrinterInfo& printer, const PaperSetup& paper,
                                                          const std::string& path, Delivery deliver) {
  std::unique_ptr<CairoPrintDevice> device(new CairoPrintDevice(printer, paper));
  device->finalPath_ = path;
  device->path_ = path + ".part";
  device->deliver_ = std::move(deliver);
  device->surface_ = cairo_pdf_surface_create(device->path_.c_str(), paper.width * 72.0 / 1000,
                                              paper.height * 72.0 / 1000);
  cairo_pdf_surface_set_metadata(device->surface_, CAIRO_PDF_METADATA_CREATOR, "Tovalia");
  device->cr_ = cairo_create(device->surface_);
  if (cairo_surface_status(device->surface_) != CAIRO_STATUS_SUCCESS)
    device->Fail("The file \"" + path + "\" cannot be written.");
  return device;
}

std::unique_ptr<CairoPrintDevice> CairoPrintDevice::ToImages(const PrinterInfo& printer, const PaperSetup& paper,
                                                             double pixelsPerInch) {
  std::unique_ptr<CairoPrintDevice> device(new CairoPrintDevice(printer, paper));
  device->unitsPerInch_ = pixelsPerInch;
  // Text can be measured before the first page.
  device->surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  device->cr_ = cairo_create(device->surface_);
  device->BeginPageState();
  return device;
}

CairoPrintDevice::~CairoPrintDevice() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) cairo_surface_destroy(surface_);
  if (!path_.empty() && !failed_ && access(path_.c_str(), F_OK) == 0) std::remove(path_.c_str());
}

void CairoPrintDevice::Fail(const std::string& message) {
  if (!failed_) error_ = message;
  failed_ = true;
}

// Device pixels over the surface: the origin at the printable area's corner.
void CairoPrintDevice::BeginPageState() {
  cairo_identity_matrix(cr_);
  cairo_reset_clip(cr_);
  cairo_scale(cr_, unitsPerInch_ / DpiX(), unitsPerInch_ / DpiY());
  cairo_translate(cr_, OffsetX(), OffsetY());
  cairo_rectangle(cr_, 0, 0, PrintableWidth(), PrintableHeight());
  cairo_clip(cr_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  if (!font_.empty()) SetFont(font_, fontHeight_, fontWeight_);
}

bool CairoPrintDevice::StartPage() {
  if (failed_) return false;
  if (pageOpen_) EndPage();
  if (path_.empty()) {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    const int width = static_cast<int>(std::lround(paper_.width * unitsPerInch_ / 1000));
    const int height = static_cast<int>(std::lround(paper_.height * unitsPerInch_ / 1000));
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_paint(cr_);
  }
  pageOpen_ = true;
  ++pages_;
  BeginPageState();
  return true;
}

void CairoPrintDevice::EndPage() {
  if (!pageOpen_) return;
  pageOpen_ = false;
  if (!path_.empty()) {
    cairo_show_page(cr_);
    return;
  }
  cairo_surface_flush(surface_);
  Image page;
  page.width = cairo_image_surface_get_width(surface_);
  page.height = cairo_image_surface_get_height(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  page.pixels.resize(static_cast<size_t>(page.width) * page.height);
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      page.pixels[static_cast<size_t>(y) * page.width + x] = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
  images_.push_back(std::move(page));
}

bool CairoPrintDevice::EndDocument() {
  EndPage();
  if (path_.empty()) return !failed_;
  cairo_destroy(cr_);
  cr_ = nullptr;
  cairo_surface_finish(surface_);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) Fail("The PDF file could not be written.");
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  // A document without pages hands nothing over: no file, no job (cairo
  // would write one blank page, and a PDF of no pages is refused by readers).
  if (!failed_ && pages_ == 0) {
    std::remove(path_.c_str());
    path_.clear();
    return true;
  }
  if (!failed_ && std::rename(path_.c_str(), finalPath_.c_str()) != 0)
    Fail("The file \"" + finalPath_ + "\" cannot be written.");
  if (failed_) {
    std::remove(path_.c_str());
    return false;
  }
  path_.clear();
  if (deliver_ && !deliver_(finalPath_, error_)) {
    failed_ = true;
    return false;
  }
  return true;
}

void CairoPrintDevice::SetFont(const std::string& face, int heightPixels, int weight) {
  if (!cr_) return;
  font_ = face;
  fontHeight_ = heightPixels;
  fontWeight_ = weight;
  const bool bold = weight >= 600;
  const std::string family = Cp1252ToUtf8(face);
  cairo_select_font_face(cr_, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  auto found = unitFonts_.find({family, bold});
  if (found == unitFonts_.end()) {
    // A line's height is the face's ascent plus descent, as a printer font's
    // height is its cell height.
    cairo_set_font_size(cr_, 1000);
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    const double cell = extents.ascent + extents.descent;
    found = unitFonts_.emplace(std::make_pair(family, bold),
                               std::make_pair(cell > 0 ? 1000 / cell : 1.0, cell > 0 ? extents.ascent / cell : 0.8)).first;
  }
  cairo_set_font_size(cr_, std::max(1, heightPixels) * found->second.first);
  ascent_ = std::max(1, heightPixels) * found->second.second;
}

int CairoPrintDevice::TextWidth(const std::string& text) {
  if (!cr_ || text.empty()) return 0;
  const std::string utf8 = Cp1252ToUtf8(text);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, utf8.c_str(), &extents);
  return static_cast<int>(std::ceil(extents.x_advance));
}

void CairoPrintDevice::DrawText(int x, int y, const std::string& text) {
  if (!pageOpen_ || text.empty()) return;
  const std::string utf8 = Cp1252ToUtf8(text);
  cairo_move_to(cr_, x, y + ascent_);
  cairo_show_text(cr_, utf8.c_str());
  cairo_new_path(cr_);
}

void CairoPrintDevice::StrokeRect(const Rect& r, int penWidth) {
  if (!pageOpen_) return;
  cairo_set_line_width(cr_, penWidth);
  cairo_rectangle(cr_, r.x + penWidth / 2.0, r.y + penWidth / 2.0, r.width - penWidth, r.height - penWidth);
  cairo_stroke(cr_);
}

void CairoPrintDevice::DrawImage(const Image& image, const Rect& r) {
  if (!pageOpen_ || image.Empty() || r.width <= 0 || r.height <= 0) return;
  cairo_surface_t* source = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels.data())), CAIRO_FORMAT_ARGB32,
      image.width, image.height, image.width * 4);
  cairo_save(cr_);
  cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
  cairo_clip(cr_);
  cairo_translate(cr_, r.x, r.y);
  cairo_scale(cr_, static_cast<double>(r.width) / image.width, static_cast<double>(r.height) / image.height);
  cairo_set_source_surface(cr_, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
  cairo_paint(cr_);
  cairo_restore(cr_);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_surface_destroy(source);
}

void CairoPrintDevice::SetClip(const Rect& r) {
  if (!pageOpen_) return;
  cairo_reset_clip(cr_);
  cairo_rectangle(cr_, 0, 0, PrintableWidth(), PrintableHeight());
  cairo_clip(cr_);
  cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
  cairo_clip(cr_);
}

}  // namespace tovalia
