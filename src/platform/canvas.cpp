#include "platform/canvas.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "db/cp1252.h"

namespace tovalia {

namespace {

const char* FamilyName(FontFamily family) {
  switch (family) {
    case FontFamily::kSerif:
      return "Liberation Serif";
    case FontFamily::kMono:
      return "Liberation Mono";
    case FontFamily::kSans:
      break;
  }
  return "Liberation Sans";
}

bool Overlaps(const Rect& cover, const Rect& r) {
  return r.CentreX() >= cover.x && r.CentreX() < cover.x + cover.width &&
         r.CentreY() >= cover.y && r.CentreY() < cover.y + cover.height;
}

Rect Clip(const Rect& r, int width, int height) {
  int x1 = std::clamp(r.x, 0, width);
  int y1 = std::clamp(r.y, 0, height);
  int x2 = std::clamp(r.x + r.width, 0, width);
  int y2 = std::clamp(r.y + r.height, 0, height);
  return {x1, y1, x2 - x1, y2 - y1};
}

Rect Intersection(const Rect& a, const Rect& b) {
  const int x1 = std::max(a.x, b.x);
  const int y1 = std::max(a.y, b.y);
  const int x2 = std::min(a.x + a.width, b.x + b.width);
  const int y2 = std::min(a.y + a.height, b.y + b.height);
  return {x1, y1, std::max(x2 - x1, 0), std::max(y2 - y1, 0)};
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  FillRect({0, 0, width, height}, 0xFFFFFF);
  SetFont(font_);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

const uint8_t* Canvas::Pixels() const {
  cairo_surface_flush(surface_);
  return cairo_image_surface_get_data(surface_);
}

int Canvas::Stride() const { return cairo_image_surface_get_stride(surface_); }

void Canvas::SetColor(Color color) {
  cairo_set_source_rgb(cr_, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                       (color & 0xFF) / 255.0);
}

void Canvas::Covered(const Rect& r) {
  std::erase_if(texts_, [&r](const DrawnText& t) { return Overlaps(r, t.rect); });
  std::erase_if(buttons_, [&r](const DrawnButton& b) { return Overlaps(r, b.rect); });
}

void Canvas::RoundedPath(const Rect& r, double radius) {
  double x = r.x, y = r.y, w = r.width, h = r.height;
  radius = std::min({radius, w / 2, h / 2});
  if (radius <= 0) {
    cairo_rectangle(cr_, x, y, w, h);
    return;
  }
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr_, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr_, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr_, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
}

void Canvas::FillRect(const Rect& r, Color color) { FillRoundedRect(r, 0, color); }

void Canvas::FillRoundedRect(const Rect& r, double radius, Color color) {
  Covered(r);
  SetColor(color);
  RoundedPath(r, radius);
  cairo_fill(cr_);
}

void Canvas::FillVerticalGradient(const Rect& r, Color top, Color bottom, double radius) {
  Covered(r);
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, r.y, 0, r.y + r.height);
  auto stop = [pattern](double at, Color c) {
    cairo_pattern_add_color_stop_rgb(pattern, at, ((c >> 16) & 0xFF) / 255.0,
                                     ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  };
  stop(0, top);
  stop(1, bottom);
  cairo_set_source(cr_, pattern);
  RoundedPath(r, radius);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
}

void Canvas::StrokeRect(const Rect& r, Color color, double lineWidth, double radius) {
  SetColor(color);
  cairo_set_line_width(cr_, lineWidth);
  // The path runs through the middle of the line, half a line inside the edge.
  const int width = static_cast<int>(lineWidth);
  cairo_save(cr_);
  cairo_translate(cr_, lineWidth / 2, lineWidth / 2);
  RoundedPath({r.x, r.y, r.width - width, r.height - width}, radius);
  cairo_restore(cr_);
  cairo_stroke(cr_);
}

void Canvas::DrawLine(int x1, int y1, int x2, int y2, Color color, double lineWidth) {
  SetColor(color);
  cairo_set_line_width(cr_, lineWidth);
  // Half-pixel offsets keep one-pixel lines sharp.
  double offset = std::fmod(lineWidth, 2.0) == 1.0 ? 0.5 : 0.0;
  cairo_move_to(cr_, x1 + offset, y1 + offset);
  cairo_line_to(cr_, x2 + offset, y2 + offset);
  cairo_stroke(cr_);
}

void Canvas::DrawImage(const Image& image, int x, int y) {
  DrawImageScaled(image, {x, y, image.width, image.height});
}

void Canvas::DrawImageScaled(const Image& image, const Rect& r) {
  if (image.Empty() || r.width <= 0 || r.height <= 0) return;
  Covered(r);
  cairo_surface_t* source = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels.data())),
      CAIRO_FORMAT_ARGB32, image.width, image.height, image.width * 4);
  cairo_save(cr_);
  cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
  cairo_clip(cr_);
  cairo_translate(cr_, r.x, r.y);
  cairo_scale(cr_, static_cast<double>(r.width) / image.width,
              static_cast<double>(r.height) / image.height);
  cairo_set_source_surface(cr_, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
  cairo_paint(cr_);
  cairo_restore(cr_);
  cairo_surface_destroy(source);
}

void Canvas::SetFont(const Font& font) {
  font_ = font;
  cairo_select_font_face(cr_, FamilyName(font.family),
                         font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, font.pixelSize);
}

int Canvas::TextWidth(const std::string& text) {
  std::string utf8 = DisplayTextToUtf8(text);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, utf8.c_str(), &extents);
  return static_cast<int>(std::lround(extents.x_advance));
}

int Canvas::LineHeight() {
  cairo_font_extents_t extents;
  cairo_font_extents(cr_, &extents);
  return static_cast<int>(std::ceil(extents.ascent + extents.descent));
}

int Canvas::DrawText(int x, int y, const std::string& text, Color color) {
  std::string utf8 = DisplayTextToUtf8(text);
  cairo_font_extents_t font;
  cairo_font_extents(cr_, &font);
  SetColor(color);
  cairo_move_to(cr_, x, y + std::round(font.ascent));
  cairo_show_text(cr_, utf8.c_str());
  cairo_new_path(cr_);
  int width = TextWidth(text);
  if (!text.empty()) {
    const Rect clip = clips_.empty() ? Rect{0, 0, width_, height_} : clips_.back();
    const bool cut = x < clip.x || x + width > clip.x + clip.width;
    texts_.push_back({{x, y, std::max(width, 1), LineHeight()}, text, cut});
  }
  return width;
}

void Canvas::DrawTextCentred(const Rect& r, const std::string& text, Color color) {
  int width = TextWidth(text);
  DrawText(r.x + (r.width - width) / 2, r.y + (r.height - LineHeight()) / 2, text, color);
}

void Canvas::PushClip(const Rect& r, double radius) {
  cairo_save(cr_);
  RoundedPath(r, radius);
  cairo_clip(cr_);
  clips_.push_back(Intersection(clips_.empty() ? Rect{0, 0, width_, height_} : clips_.back(), r));
}

void Canvas::PopClip() {
  cairo_restore(cr_);
  if (!clips_.empty()) clips_.pop_back();
}

const DrawnButton* Canvas::ButtonAt(int x, int y) const {
  for (auto b = buttons_.rbegin(); b != buttons_.rend(); ++b)
    if (b->rect.Contains(x, y)) return &*b;
  return nullptr;
}

void Canvas::RecordButton(const Rect& r, const std::string& caption) {
  std::erase_if(buttons_, [&r](const DrawnButton& b) { return Overlaps(r, b.rect); });
  buttons_.push_back({r, caption});
}

SavedArea Canvas::SaveArea(const Rect& wanted) const {
  SavedArea saved;
  saved.rect = Clip(wanted, width_, height_);
  const uint8_t* pixels = Pixels();
  const int stride = Stride();
  saved.pixels.resize(static_cast<size_t>(saved.rect.width) * saved.rect.height);
  for (int row = 0; row < saved.rect.height; ++row) {
    std::memcpy(&saved.pixels[static_cast<size_t>(row) * saved.rect.width],
                pixels + (saved.rect.y + row) * stride + saved.rect.x * 4,
                static_cast<size_t>(saved.rect.width) * 4);
  }
  for (const DrawnText& t : texts_)
    if (Overlaps(saved.rect, t.rect)) saved.texts.push_back(t);
  for (const DrawnButton& b : buttons_)
    if (Overlaps(saved.rect, b.rect)) saved.buttons.push_back(b);
  return saved;
}

void Canvas::RestoreArea(const SavedArea& saved) {
  cairo_surface_flush(surface_);
  uint8_t* pixels = cairo_image_surface_get_data(surface_);
  const int stride = Stride();
  for (int row = 0; row < saved.rect.height; ++row) {
    std::memcpy(pixels + (saved.rect.y + row) * stride + saved.rect.x * 4,
                &saved.pixels[static_cast<size_t>(row) * saved.rect.width],
                static_cast<size_t>(saved.rect.width) * 4);
  }
  cairo_surface_mark_dirty(surface_);
  Covered(saved.rect);
  texts_.insert(texts_.end(), saved.texts.begin(), saved.texts.end());
  buttons_.insert(buttons_.end(), saved.buttons.begin(), saved.buttons.end());
}

void ReleaseFontCaches() {
  cairo_debug_reset_static_data();
  FcFini();
}

bool Canvas::WritePng(const std::string& path) const {
  cairo_surface_flush(surface_);
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace tovalia
