#include "output/print_run.h"

#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "output/print_record.h"
#include "platform/bmp_codec.h"

namespace tovalia {

namespace {

constexpr int32_t kSmallestPhoto = 41;  // 40 bytes or less count as no photo

std::string BufferText(const ByteBuffer& buffer, int32_t length) {
  if (length <= 0 || !buffer.Holds(0, length)) return {};
  return std::string(reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(length));
}

}  // namespace

PrintableRecipe CurrentPrintable(const Database& db) {
  const ByteBuffer& h = db.recordHeaderBuffer;
  PrintableRecipe recipe;
  recipe.kind = GetU8(h, header::kRecordKind) == kKindTextRecord ? 1 : 0;
  recipe.title = BufferText(db.titleBuffer, GetU8(h, header::kTitleLength));
  recipe.ingredients = BufferText(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength));
  recipe.directions = BufferText(db.directionsBuffer, GetI32(h, header::kDirectionsLength));
  recipe.servings = GetU8(h, header::kServings);
  const int32_t photoLength = GetI32(h, header::kPhotoLength);
  if (photoLength >= kSmallestPhoto && db.photoBuffer.Holds(0, photoLength))
    DecodeBmp(db.photoBuffer.Data(), static_cast<size_t>(photoLength), recipe.photo);
  return recipe;
}

PrintReport PrintOnDevice(Database& db, const ByteBuffer& record, PrintDevice& device,
                          const std::vector<int32_t>& entries, int mostSheets) {
  PrintReport report;
  CardPrinter cards(device, record);
  Progress& progress = *db.progress;
  int64_t done = 0;
  for (int32_t entry : entries) {
    if (mostSheets > 0 && device.PagesStarted() > mostSheets) break;
    if (entry != kCurrentRecord) {
      progress.ShowProgress("Printing Recipes", std::string(EntryTitle(db, entry)), done++,
                            static_cast<int64_t>(entries.size()));
      progress.PumpMessages(0);
      if (progress.StopRequested()) break;
      if (!LoadRecord(db, EntryPosition(db, entry))) continue;
    }
    if (!cards.PrintRecipe(CurrentPrintable(db))) break;
    ++report.recipes;
  }
  if (done > 0) progress.CloseProgress();
  cards.Finish();
  report.cards = cards.Cursor().cards;
  report.pages = device.PagesStarted();
  return report;
}

PrintReport PrintDocument(const ByteBuffer& record, PrintSystem& printers, const std::string& outputPath,
                          const std::function<PrintReport(PrintDevice&)>& draw) {
  PrintReport report;
  const PaperSetup paper = RecordPaper(record);
  PrinterInfo printer;
  const std::string name = PrinterName(record);
  if (!printers.OpenPrinter(name, paper, printer)) {
    report.error = "The printer \"" + name + "\" cannot be found.";
    return report;
  }
  std::unique_ptr<PrintDevice> device = printers.StartDocument(printer, paper, kPrintDocumentName, outputPath);
  if (!device->Error().empty()) {
    report.error = device->Error();
    return report;
  }
  report = draw(*device);
  report.done = device->EndDocument();
  if (!report.done) report.error = device->Error().empty() ? "The document could not be printed." : device->Error();
  return report;
}

PrintReport PrintEntries(Database& db, const ByteBuffer& record, PrintSystem& printers,
                         const std::vector<int32_t>& entries, const std::string& outputPath) {
  return PrintDocument(record, printers, outputPath,
                       [&](PrintDevice& device) { return PrintOnDevice(db, record, device, entries); });
}

}  // namespace tovalia
