// Times a PDF cookbook of a generated collection: every recipe ticked,
// 8.5 x 11 inches. Reports the time, the pages, the file size and the
// process's peak resident memory.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "collection_generator.h"
#include "db/data_file.h"
#include "db/database.h"
#include "db/title_index.h"
#include "output/pdf_book.h"

namespace {

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tovalia;
  int32_t recipes = 10000;
  if (argc == 3 && std::strcmp(argv[1], "--recipes") == 0) recipes = std::atoi(argv[2]);
  if (recipes < 1 || recipes > 1000000) {
    std::fprintf(stderr, "usage: tovalia_pdf_bench [--recipes N]   (default 10000)\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("tovalia-pdf-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string data = folder.string() + "/";

  bench::FileSummary summary;
  const std::vector<uint8_t> file = bench::BuildRecipeFile(recipes, 40, 20261208, summary);
  ReplaceFileContents(data + "Recipe34.dat", file.data(), file.size());
  Database db(DataPaths::ForDataFolder(data));
  ScanRecords(db);
  std::vector<BookRow> rows = BuildBookList(db);
  for (BookRow& row : rows) row.marked = true;
  const long before = PeakResidentKilobytes();

  BookOptions options;
  options.title = "Benchmark Cookbook";
  const std::string pdf = data + "book.pdf";
  const auto start = std::chrono::steady_clock::now();
  const BookOutcome outcome = BuildPdfCookbook(db, rows, options, pdf);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::error_code error;
  const auto bytes = fs::file_size(pdf, error);

  std::printf("recipes in the collection   %d\n", recipes);
  std::printf("recipes placed              %d (the book stops at %d pages)\n", outcome.records, kMostBookPages);
  std::printf("pages                       %d\n", outcome.pages);
  std::printf("time                        %.2f s\n", seconds);
  std::printf("file size                   %.1f MB\n", error ? 0.0 : bytes / 1e6);
  std::printf("peak resident memory        %.1f MB (%.1f MB before the build)\n", PeakResidentKilobytes() / 1024.0,
              before / 1024.0);
  fs::remove_all(folder, error);
  return outcome.result == BookResult::kSaved || outcome.result == BookResult::kTooLong ? 0 : 1;
}
