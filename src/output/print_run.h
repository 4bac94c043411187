// Printing a list of recipes with a layout's settings record: the printer
// is opened, a document is started, every recipe is read from the recipe
// file and put on cards, and the document is handed over.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "db/byte_buffer.h"
#include "db/database.h"
#include "output/card_printer.h"
#include "platform/print_device.h"
#include "ui/progress.h"

namespace tovalia {

inline constexpr char kPrintDocumentName[] = "Tovalia";
// In a list of entries to print: the record the database holds now, as it
// stands (a recipe resized for reading prints resized).
inline constexpr int32_t kCurrentRecord = -1;

struct PrintReport {
  bool done = false;
  int pages = 0;
  int cards = 0;
  int recipes = 0;
  int lines = 0;  // list lines (grocery items, meals)
  std::string error;  // why nothing was printed, when not done
};

// The current record of the database (just loaded) as it is printed.
PrintableRecipe CurrentPrintable(const Database& db);

// Puts the recipes and text records at those index offsets on the device's
// pages, in order, stopping once `mostSheets` sheets are full (0: no limit).
// The caller ends the document.
PrintReport PrintOnDevice(Database& db, const ByteBuffer& record, PrintDevice& device,
                          const std::vector<int32_t>& entries, int mostSheets = 0);

// Opens the record's printer for its paper, starts a document named
// "Tovalia" (written to outputPath by "Save as PDF"), lets `draw` put its
// pages on the device and hands the document over. `draw` returns what it
// printed; a device that failed on the way makes the report not done.
PrintReport PrintDocument(const ByteBuffer& record, PrintSystem& printers, const std::string& outputPath,
                          const std::function<PrintReport(PrintDevice&)>& draw);

// Prints the recipes and text records at those index offsets, in order.
// outputPath is the file "Save as PDF" writes. Progress shows "Printing
// Recipes"; a stop request ends the document after the recipe in hand.
PrintReport PrintEntries(Database& db, const ByteBuffer& record, PrintSystem& printers,
                         const std::vector<int32_t>& entries, const std::string& outputPath);

}  // namespace tovalia
