// The one drawing code for printed pages: a print device over cairo that
// writes a PDF file (for "Save as PDF" and for the jobs sent to printers)
// or draws the pages into pictures (the preview of a sheet).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/print_device.h"

namespace tovalia {

class CairoPrintDevice : public PrintDevice {
 public:
  // Called with the finished PDF file; returns false with a message when
  // the document could not be handed over.
  using Delivery = std::function<bool(const std::string& pdfPath, std::string& error)>;

  // A PDF file at `path`, written whole when the document ends (a failed
  // document leaves no file). `deliver`, when given, takes it over then.
  static std::unique_ptr<CairoPrintDevice> ToPdf(const PrinterInfo& printer, const PaperSetup& paper,
                                                 const std::string& path, Delivery deliver = nullptr);
  // Pages drawn into pictures at `pixelsPerInch`.
  static std::unique_ptr<CairoPrintDevice> ToImages(const PrinterInfo& printer, const PaperSetup& paper,
                                                    double pixelsPerInch);
  ~CairoPrintDevice() override;

  bool StartPage() override;
  void EndPage() override;
  bool EndDocument() override;
  void SetFont(const std::string& face, int heightPixels, int weight) override;
  int TextWidth(const std::string& text) override;
  void DrawText(int x, int y, const std::string& text) override;
  void StrokeRect(const Rect& r, int penWidth) override;
  void DrawImage(const Image& image, const Rect& r) override;
  void SetClip(const Rect& r) override;

  // The pages drawn so far (picture devices only).
  const std::vector<Image>& Pages() const { return images_; }

 private:
  CairoPrintDevice(const PrinterInfo& printer, const PaperSetup& paper);
  void BeginPageState();
  void Fail(const std::string& message);

  std::string path_;        // the PDF being written (a temporary name until it ends)
  std::string finalPath_;
  Delivery deliver_;
  double unitsPerInch_ = 72;  // surface units per inch
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  bool pageOpen_ = false;
  bool failed_ = false;
  std::vector<Image> images_;
  double ascent_ = 0;
  std::string font_;  // the face last set, set again on every new page
  int fontHeight_ = 0;
  int fontWeight_ = 0;
  // Font size per face and weight that gives a line of one device pixel.
  std::map<std::pair<std::string, bool>, std::pair<double, double>> unitFonts_;
};

}  // namespace tovalia
