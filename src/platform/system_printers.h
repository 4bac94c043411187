// The system's printers through CUPS, with the built-in "Save as PDF"
// listed first, and the font families fontconfig knows.
#pragma once

#include "platform/print_device.h"

namespace tovalia {

class SystemPrinters : public PrintSystem {
 public:
  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinter() override;
  bool OpenPrinter(const std::string& name, const PaperSetup& paper, PrinterInfo& info) override;
  std::unique_ptr<PrintDevice> StartDocument(const PrinterInfo& printer, const PaperSetup& paper,
                                             const std::string& documentName,
                                             const std::string& outputPath) override;
  std::vector<std::string> FontFamilies() override;
};

// Installed scalable font families (CP1252 names), sorted, at most `limit`.
std::vector<std::string> ScalableFontFamilies(size_t limit);

}  // namespace tovalia
