// Print devices for tests: a device that records what is drawn on each page
// with a simple, exact text measure, and a print system whose printers are
// named by the test.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/print_device.h"

namespace tovalia::testing {

struct DrawnLine {
  int x, y;
  std::string text;
  int height, weight;
  Rect clip;
};

struct RecordedPage {
  std::vector<DrawnLine> texts;
  std::vector<Rect> outlines;
  std::vector<Rect> images;
  std::vector<Rect> clips;
};

// Every character is half the font height wide.
class RecordingDevice : public PrintDevice {
 public:
  // The pages are written into `pages`, which outlives the device.
  RecordingDevice(PrinterInfo printer, PaperSetup paper, std::vector<RecordedPage>& pages)
      : PrintDevice(std::move(printer), paper), pages(pages) {}
  bool StartPage() override;
  void EndPage() override {}
  bool EndDocument() override;
  void SetFont(const std::string& face, int heightPixels, int weight) override;
  int TextWidth(const std::string& text) override;
  void DrawText(int x, int y, const std::string& text) override;
  void StrokeRect(const Rect& r, int penWidth) override;
  void DrawImage(const Image& image, const Rect& r) override;
  void SetClip(const Rect& r) override;

  std::vector<RecordedPage>& pages;
  std::string face;

 private:
  int height_ = 10, weight_ = 400;
  Rect clip_;
};

class FakePrinters : public PrintSystem {
 public:
  // Printers the system has besides "Save as PDF", with their margins.
  std::map<std::string, PrinterInfo> printers;
  std::string defaultPrinter = kSaveAsPdfPrinter;
  std::vector<std::string> fonts = {"Arial", "Liberation Sans", "Liberation Serif"};
  // When set, documents are recorded here; else "Save as PDF" writes them.
  bool record = true;
  std::vector<RecordedPage> pages;
  int documentsStarted = 0;

  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinter() override { return defaultPrinter; }
  bool OpenPrinter(const std::string& name, const PaperSetup& paper, PrinterInfo& info) override;
  std::unique_ptr<PrintDevice> StartDocument(const PrinterInfo& printer, const PaperSetup& paper,
                                             const std::string& documentName,
                                             const std::string& outputPath) override;
  std::vector<std::string> FontFamilies() override { return fonts; }
};

}  // namespace tovalia::testing
