#include "support/recording_printer.h"

#include "platform/cairo_print_device.h"

namespace tovalia::testing {

bool RecordingDevice::StartPage() {
  pages.emplace_back();
  ++pages_;
  clip_ = {};
  return true;
}

bool RecordingDevice::EndDocument() { return true; }

void RecordingDevice::SetFont(const std::string& f, int heightPixels, int weight) {
  face = f;
  height_ = heightPixels;
  weight_ = weight;
}

int RecordingDevice::TextWidth(const std::string& text) {
  return static_cast<int>(text.size()) * height_ / 2;
}

void RecordingDevice::DrawText(int x, int y, const std::string& text) {
  pages.back().texts.push_back({x, y, text, height_, weight_, clip_});
}

void RecordingDevice::StrokeRect(const Rect& r, int) { pages.back().outlines.push_back(r); }
void RecordingDevice::DrawImage(const Image&, const Rect& r) { pages.back().images.push_back(r); }

void RecordingDevice::SetClip(const Rect& r) {
  clip_ = r;
  pages.back().clips.push_back(r);
}

std::vector<std::string> FakePrinters::PrinterNames() {
  std::vector<std::string> names = {kSaveAsPdfPrinter};
  for (const auto& [name, info] : printers) names.push_back(name);
  return names;
}

bool FakePrinters::OpenPrinter(const std::string& name, const PaperSetup&, PrinterInfo& info) {
  if (name == kSaveAsPdfPrinter) {
    info = PrinterInfo{};
    info.name = name;
    return true;
  }
  auto found = printers.find(name);
  if (found == printers.end()) return false;
  info = found->second;
  info.name = name;
  return true;
}

std::unique_ptr<PrintDevice> FakePrinters::StartDocument(const PrinterInfo& printer, const PaperSetup& paper,
                                                         const std::string&, const std::string& outputPath) {
  if (!record) return CairoPrintDevice::ToPdf(printer, paper, outputPath);
  pages.clear();
  ++documentsStarted;
  return std::make_unique<RecordingDevice>(printer, paper, pages);
}

}  // namespace tovalia::testing
