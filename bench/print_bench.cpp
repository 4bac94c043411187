#include "print_bench.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "collection_generator.h"
#include "db/data_file.h"
#include "db/database.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "output/print_geometry.h"
#include "output/print_record.h"
#include "output/print_run.h"
#include "platform/system_printers.h"

namespace tovalia::bench {

namespace {

// "Save as PDF" and nothing else, so the figure never waits for a print server.
class PdfOnly : public SystemPrinters {
 public:
  std::string DefaultPrinter() override { return kSaveAsPdfPrinter; }
};

}  // namespace

PrintFigures MeasurePrint(const std::string& folder, int32_t recipes) {
  FileSummary summary;
  const std::vector<uint8_t> file = BuildRecipeFile(recipes, 10, 20240616, summary);
  Database db(DataPaths::ForDataFolder(folder));
  if (!ReplaceFileContents(db.paths.recipeFile, file.data(), file.size()))
    throw std::runtime_error("cannot write the print collection");
  ScanRecords(db);
  std::vector<int32_t> entries;
  for (int32_t offset = 0; offset < db.indexSize; offset += EntryLength(db, offset))
    if (EntryKind(db, offset) == kKindRecipe || EntryKind(db, offset) == kKindTextRecord) entries.push_back(offset);

  PdfOnly printers;
  ByteBuffer record = NewPrintRecord();
  LayoutDefaults(record, 55, printers);
  ApplyLayout(record);
  const std::string pdf = folder + "print-bench.pdf";
  const std::clock_t cpuStart = std::clock();
  const auto start = std::chrono::steady_clock::now();
  const PrintReport report = PrintEntries(db, record, printers, entries, pdf);
  const auto end = std::chrono::steady_clock::now();
  const std::clock_t cpuEnd = std::clock();
  if (!report.done) throw std::runtime_error("printing failed: " + report.error);
  PrintFigures figures;
  figures.recipes = report.recipes;
  figures.pages = report.pages;
  figures.cards = report.cards;
  figures.fileBytes = static_cast<int64_t>(std::filesystem::file_size(pdf));
  figures.printMs = std::chrono::duration<double, std::milli>(end - start).count();
  figures.cpuMs = 1000.0 * static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC;
  std::filesystem::remove(pdf);
  return figures;
}

}  // namespace tovalia::bench
