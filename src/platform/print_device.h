// What printing needs of the system: the printers there are, what each can
// print on, the font families, and a device that takes a document page by
// page. Pages are drawn in device pixels with the origin at the corner of
// the printable area, as on a printer's own device context; the device puts
// them on paper at the right place. Two implementations exist: the system's
// printers through CUPS together with the built-in "Save as PDF", and a
// recording device in tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tovalia {

// The printer that is always there: it writes the document to a PDF file.
inline constexpr char kSaveAsPdfPrinter[] = "Save as PDF";

// A printer as it was opened: its resolution and the part of the sheet it
// can print on. Lengths in thousandths of an inch.
struct PrinterInfo {
  std::string name;
  int dpiX = 600;
  int dpiY = 600;
  // The unprintable margins of the sheet, for the orientation asked for.
  int marginLeft = 0;
  int marginTop = 0;
  int marginRight = 0;
  int marginBottom = 0;
};

// The sheet a document goes on. Lengths in thousandths of an inch, as the
// paper lies after turning (a landscape letter sheet is 11000 wide).
struct PaperSetup {
  int width = 8500;
  int height = 11000;
  bool landscape = false;
  int paperCode = 1;  // 1 letter, 9 A4
};

class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  int DpiX() const { return printer_.dpiX; }
  int DpiY() const { return printer_.dpiY; }
  // The unprintable margins at the left and top, in device pixels.
  int OffsetX() const;
  int OffsetY() const;
  // The printable area, in device pixels.
  int PrintableWidth() const;
  int PrintableHeight() const;

  // Pages: StartPage false means the device cannot go on.
  virtual bool StartPage() = 0;
  virtual void EndPage() = 0;
  // Ends the document and hands it over (writes the file, sends the job);
  // a document without pages hands nothing over. False with a message in
  // Error() when that failed.
  virtual bool EndDocument() = 0;
  const std::string& Error() const { return error_; }
  int PagesStarted() const { return pages_; }

  // A face by family name (CP1252) and the height of a line in device
  // pixels; weight 400 normal, 700 bold.
  virtual void SetFont(const std::string& face, int heightPixels, int weight) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // Draws text with the top of its line at y.
  virtual void DrawText(int x, int y, const std::string& text) = 0;
  virtual void StrokeRect(const Rect& r, int penWidth) = 0;
  virtual void DrawImage(const Image& image, const Rect& r) = 0;
  // Limits drawing to the rectangle until the next SetClip or page.
  virtual void SetClip(const Rect& r) = 0;

 protected:
  PrintDevice(PrinterInfo printer, PaperSetup paper)
      : printer_(std::move(printer)), paper_(paper) {}
  PrinterInfo printer_;
  PaperSetup paper_;
  std::string error_;
  int pages_ = 0;
};

class PrintSystem {
 public:
  virtual ~PrintSystem() = default;
  // Every printer, "Save as PDF" first.
  virtual std::vector<std::string> PrinterNames() = 0;
  // The system's default printer; "Save as PDF" when the system has none.
  virtual std::string DefaultPrinter() = 0;
  // Opens a printer to learn its resolution and margins for that paper;
  // false when there is no such printer.
  virtual bool OpenPrinter(const std::string& name, const PaperSetup& paper, PrinterInfo& info) = 0;
  // Starts a document. "Save as PDF" writes to outputPath; other printers
  // get the document as a job named documentName when it ends.
  virtual std::unique_ptr<PrintDevice> StartDocument(const PrinterInfo& printer,
                                                     const PaperSetup& paper,
                                                     const std::string& documentName,
                                                     const std::string& outputPath) = 0;
  // The scalable font families that can be printed with, sorted by name.
  virtual std::vector<std::string> FontFamilies() = 0;
};

}  // namespace tovalia
