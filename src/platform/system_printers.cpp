#include "platform/system_printers.h"

#include <cups/cups.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "db/cp1252.h"
#include "platform/cairo_print_device.h"

namespace tovalia {

namespace {

constexpr int kPdfDpi = 600;
constexpr int kFallbackDpi = 600;
constexpr int kFallbackMargin = 250;  // a quarter of an inch
constexpr size_t kMostFontFamilies = 500;

// The system's destinations, freed when the list goes.
class Destinations {
 public:
  Destinations() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_); }
  ~Destinations() { cupsFreeDests(count_, dests_); }
  Destinations(const Destinations&) = delete;
  Destinations& operator=(const Destinations&) = delete;

  int Count() const { return count_; }
  cups_dest_t& operator[](int i) { return dests_[i]; }
  cups_dest_t* Find(const std::string& name) {
    const size_t slash = name.find('/');
    const std::string queue = name.substr(0, slash);
    const std::string instance = slash == std::string::npos ? "" : name.substr(slash + 1);
    return cupsGetDest(queue.c_str(), instance.empty() ? nullptr : instance.c_str(), count_, dests_);
  }
  static std::string Name(const cups_dest_t& dest) {
    std::string name = dest.name;
    if (dest.instance) name += std::string("/") + dest.instance;
    return Utf8ToCp1252(name);
  }

 private:
  int count_ = 0;
  cups_dest_t* dests_ = nullptr;
};

int ToThousandths(int hundredthsOfMm) { return hundredthsOfMm * 1000 / 2540; }

// The printer's resolution and the margins of that paper, where it tells them.
void DescribeDestination(cups_dest_t* dest, const PaperSetup& paper, PrinterInfo& info) {
  cups_dinfo_t* dinfo = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
  int margins[4] = {kFallbackMargin, kFallbackMargin, kFallbackMargin, kFallbackMargin};  // l t r b, portrait
  info.dpiX = info.dpiY = kFallbackDpi;
  if (dinfo) {
    cups_size_t size;
    const char* media = paper.paperCode == 9 ? CUPS_MEDIA_A4 : CUPS_MEDIA_LETTER;
    if (cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, dinfo, media, CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
      margins[0] = ToThousandths(size.left);
      margins[1] = ToThousandths(size.top);
      margins[2] = ToThousandths(size.right);
      margins[3] = ToThousandths(size.bottom);
    }
    if (ipp_attribute_t* resolution = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, dinfo, "printer-resolution")) {
      ipp_res_t units;
      int y = 0;
      const int x = ippGetResolution(resolution, 0, &y, &units);
      if (units == IPP_RES_PER_INCH && x >= 72 && y >= 72 && x <= 4800 && y <= 4800) {
        info.dpiX = x;
        info.dpiY = y;
      }
    }
    cupsFreeDestInfo(dinfo);
  }
  if (paper.landscape) {
    // The sheet turned a quarter: the portrait bottom edge lies at the left.
    info.marginLeft = margins[3], info.marginTop = margins[0];
    info.marginRight = margins[1], info.marginBottom = margins[2];
  } else {
    info.marginLeft = margins[0], info.marginTop = margins[1];
    info.marginRight = margins[2], info.marginBottom = margins[3];
  }
}

// A temporary PDF for a job, in the temporary folder.
std::string JobFileName() {
  const char* folder = std::getenv("TMPDIR");
  std::string base = (folder && *folder) ? folder : "/tmp";
  if (base.back() != '/') base += '/';
  return base + "tovalia-job-" + std::to_string(getpid()) + ".pdf";
}

}  // namespace

std::vector<std::string> SystemPrinters::PrinterNames() {
  std::vector<std::string> names = {kSaveAsPdfPrinter};
  Destinations dests;
  std::vector<std::string> system;
  for (int i = 0; i < dests.Count(); ++i) system.push_back(Destinations::Name(dests[i]));
  std::sort(system.begin(), system.end());
  names.insert(names.end(), system.begin(), system.end());
  return names;
}

std::string SystemPrinters::DefaultPrinter() {
  Destinations dests;
  for (int i = 0; i < dests.Count(); ++i)
    if (dests[i].is_default) return Destinations::Name(dests[i]);
  return kSaveAsPdfPrinter;
}

bool SystemPrinters::OpenPrinter(const std::string& name, const PaperSetup& paper, PrinterInfo& info) {
  info = PrinterInfo{};
  info.name = name;
  if (name == kSaveAsPdfPrinter) {
    info.dpiX = info.dpiY = kPdfDpi;
    return true;
  }
  Destinations dests;
  cups_dest_t* dest = dests.Find(Cp1252ToUtf8(name));
  if (!dest) return false;
  DescribeDestination(dest, paper, info);
  return true;
}

std::unique_ptr<PrintDevice> SystemPrinters::StartDocument(const PrinterInfo& printer, const PaperSetup& paper,
                                                           const std::string& documentName,
                                                           const std::string& outputPath) {
  if (printer.name == kSaveAsPdfPrinter) return CairoPrintDevice::ToPdf(printer, paper, outputPath);
  const std::string queue = Cp1252ToUtf8(printer.name);
  const std::string title = Cp1252ToUtf8(documentName);
  auto send = [queue, title, paper](const std::string& pdf, std::string& error) {
    cups_option_t* options = nullptr;
    int count = cupsAddOption("media", paper.paperCode == 9 ? CUPS_MEDIA_A4 : CUPS_MEDIA_LETTER, 0, &options);
    count = cupsAddOption("orientation-requested", paper.landscape ? "4" : "3", count, &options);
    const size_t slash = queue.find('/');
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.substr(0, slash).c_str(), pdf.c_str(), title.c_str(),
                                   count, options);
    cupsFreeOptions(count, options);
    std::remove(pdf.c_str());
    if (job == 0) error = "The printer did not take the job: " + Utf8ToCp1252(cupsLastErrorString());
    return job != 0;
  };
  return CairoPrintDevice::ToPdf(printer, paper, JobFileName(), send);
}

std::vector<std::string> SystemPrinters::FontFamilies() { return ScalableFontFamilies(kMostFontFamilies); }

std::vector<std::string> ScalableFontFamilies(size_t limit) {
  std::set<std::string> families;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) continue;
    const std::string name = Utf8ToCp1252(reinterpret_cast<const char*>(family));
    // A face name is kept in 31 bytes; longer names could not be found again.
    if (!name.empty() && name.size() <= 31 && name.find('?') == std::string::npos) families.insert(name);
  }
  if (fonts) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  std::vector<std::string> sorted(families.begin(), families.end());
  if (sorted.size() > limit) sorted.resize(limit);
  return sorted;
}

}  // namespace tovalia
