// A job sent to a real CUPS queue. It runs only when TOVALIA_CUPS_TEST_PRINTER
// names a queue (a cups-pdf queue, say), so the normal test run needs no
// printer and never wastes paper.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "db/title_index.h"
#include "output/print_geometry.h"
#include "output/print_record.h"
#include "output/print_run.h"
#include "platform/system_printers.h"
#include "support/collection.h"

namespace tovalia {
namespace {

// The queue's jobs, completed ones included, as lpstat lists them.
int JobCount(const std::string& queue) {
  int lines = 0;
  if (FILE* pipe = popen(("lpstat -W all -o '" + queue + "' 2>/dev/null").c_str(), "r")) {
    for (int c; (c = std::fgetc(pipe)) != EOF;) lines += c == '\n';
    pclose(pipe);
  }
  return lines;
}

TEST(CupsJob, AQueueReceivesTheDocument) {
  const char* queue = std::getenv("TOVALIA_CUPS_TEST_PRINTER");
  if (!queue || !*queue) GTEST_SKIP() << "set TOVALIA_CUPS_TEST_PRINTER to a CUPS queue to send a job";
  SystemPrinters printers;
  const std::vector<std::string> names = printers.PrinterNames();
  ASSERT_EQ(names.front(), kSaveAsPdfPrinter);
  ASSERT_NE(std::find(names.begin(), names.end(), queue), names.end()) << "no queue named " << queue;

  testing::Collection books;
  books.AppendChapter(1, "Cakes");
  books.AppendRecipe(1, 1, "Sponge Cake", "4 eggs\r1 cup sugar\r1 cup flour", "Whisk, fold, bake.");
  ScanRecords(books.db());
  std::vector<int32_t> entries;
  for (int32_t offset = 0; offset < books.db().indexSize; offset += EntryLength(books.db(), offset))
    if (EntryKind(books.db(), offset) == 0) entries.push_back(offset);

  ByteBuffer record = NewPrintRecord();
  LayoutDefaults(record, 55, printers);
  PrinterInfo info;
  ASSERT_TRUE(printers.OpenPrinter(queue, RecordPaper(record), info));
  EXPECT_GE(info.dpiX, 72);
  SetPrinter(record, info);
  ApplyLayout(record);
  const int before = JobCount(queue);
  const PrintReport report = PrintEntries(books.db(), record, printers, entries, "");
  ASSERT_TRUE(report.done) << report.error;
  EXPECT_EQ(report.pages, 1);
  EXPECT_EQ(JobCount(queue), before + 1);
}

}  // namespace
}  // namespace tovalia
