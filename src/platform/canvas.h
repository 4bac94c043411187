// The off-screen drawing surface every screen draws into: a 32-bit cairo
// image of the window's design size. Text is CP1252 and is converted to
// UTF-8 only here. The canvas also remembers which texts and buttons are
// visible, so that scripted runs can find a button by its caption and check
// what a screen shows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace tovalia {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
  int CentreX() const { return x + width / 2; }
  int CentreY() const { return y + height / 2; }
  bool operator==(const Rect&) const = default;
};

// 0xRRGGBB.
using Color = uint32_t;

enum class FontFamily { kSans, kSerif, kMono };

struct Font {
  FontFamily family = FontFamily::kSans;
  double pixelSize = 14;
  bool bold = false;
  bool italic = false;
};

// A picture in memory: 32-bit pixels, 0xAARRGGBB, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool Empty() const { return width <= 0 || height <= 0; }
};

struct DrawnText {
  Rect rect;
  std::string text;  // CP1252
  // Part of it fell outside the clip or the canvas, so the user cannot read
  // all of it.
  bool cut = false;
};

struct DrawnButton {
  Rect rect;
  std::string caption;  // CP1252
};

// A piece of the canvas put aside (pixels and what was visible there), to be
// put back when a box drawn over it closes.
struct SavedArea {
  Rect rect;
  std::vector<uint32_t> pixels;
  std::vector<DrawnText> texts;
  std::vector<DrawnButton> buttons;
};

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Pixels as 0xAARRGGBB words, Stride() bytes per row.
  const uint8_t* Pixels() const;
  int Stride() const;

  void FillRect(const Rect& r, Color color);
  void FillRoundedRect(const Rect& r, double radius, Color color);
  void FillVerticalGradient(const Rect& r, Color top, Color bottom, double radius = 0);
  void StrokeRect(const Rect& r, Color color, double lineWidth = 1, double radius = 0);
  void DrawLine(int x1, int y1, int x2, int y2, Color color, double lineWidth = 1);
  void DrawImage(const Image& image, int x, int y);
  // Scaled to fill the rectangle.
  void DrawImageScaled(const Image& image, const Rect& r);

  void SetFont(const Font& font);
  // Draws text with its top-left corner at (x, y); returns its width.
  int DrawText(int x, int y, const std::string& text, Color color);
  // Centred in the rectangle, both ways.
  void DrawTextCentred(const Rect& r, const std::string& text, Color color);
  int TextWidth(const std::string& text);
  int LineHeight();

  // Limits drawing to the rectangle (within any clip already in force)
  // until PopClip.
  void PushClip(const Rect& r, double radius = 0);
  void PopClip();

  // Buttons record where they were drawn and with what caption; lists and
  // fields record their areas with an empty caption, so that a click there
  // is not taken for a click on the background.
  void RecordButton(const Rect& r, const std::string& caption);
  // The recorded button or area under the point, or null.
  const DrawnButton* ButtonAt(int x, int y) const;

  SavedArea SaveArea(const Rect& r) const;
  void RestoreArea(const SavedArea& saved);

  const std::vector<DrawnText>& VisibleTexts() const { return texts_; }
  const std::vector<DrawnButton>& VisibleButtons() const { return buttons_; }
  bool WritePng(const std::string& path) const;

 private:
  void Covered(const Rect& r);  // forgets texts and buttons painted over
  void SetColor(Color color);
  void RoundedPath(const Rect& r, double radius);

  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
  Font font_;
  std::vector<Rect> clips_;  // the clip in force, innermost last
  std::vector<DrawnText> texts_;
  std::vector<DrawnButton> buttons_;
};

// Frees the font library's caches at exit (after the last canvas is gone),
// so leak checkers see only the program's own memory.
void ReleaseFontCaches();

}  // namespace tovalia
