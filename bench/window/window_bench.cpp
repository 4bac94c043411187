// Times what the real window adds to a long operation: a title search over
// a generated collection with the progress box drawn in an SDL window (run
// it on a display, e.g. under xvfb-run), beside the same search with no
// display at all.
//
//   tovalia_window_bench [--recipes N] [--runs R]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../collection_generator.h"
#include "db/data_file.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/record_search.h"
#include "db/title_index.h"
#include "platform/canvas.h"
#include "platform/sdl_platform.h"
#include "ui/progress_box.h"
#include "ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tovalia;
  int recipes = 1024;
  int runs = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--recipes") == 0) recipes = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
  }
  char pattern[] = "/tmp/tovalia-window-bench-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (!made) return 1;
  const std::string folder = std::string(made) + "/";
  bench::FileSummary summary;
  const std::vector<uint8_t> file = bench::BuildRecipeFile(recipes, 20, 7, summary);
  ReplaceFileContents(folder + "Recipe34.dat", file.data(), file.size());
  Database db(DataPaths::ForDataFolder(folder));
  ScanRecords(db);

  SdlPlatform platform(std::nullopt);
  if (!platform.CreateMainWindow("Tovalia window bench", 0, 0, 1024, 767)) {
    std::fprintf(stderr, "no window: run on a display (xvfb-run)\n");
    return 1;
  }
  platform.ShowMainWindow();
  Canvas canvas(1024, 767);
  canvas.FillVerticalGradient({0, 0, 1024, 767}, 0xF4EEDF, 0xD9CFBA);
  Ui ui(platform, canvas);
  ui.Show();
  ProgressBox box(ui);

  const SearchOptions titles{true, false, false, true};
  std::vector<double> shown, silent;
  for (int run = 0; run < runs; ++run) {
    db.progress = &box;
    Clock::time_point start = Clock::now();
    SearchRecords(db, "chicken", titles);
    shown.push_back(Milliseconds(start));
    SilentProgress quiet;
    db.progress = &quiet;
    start = Clock::now();
    SearchRecords(db, "chicken", titles);
    silent.push_back(Milliseconds(start));
  }
  // The parts: pumping events once per record, and the box's 101 steps.
  std::vector<double> pumping, drawing;
  for (int run = 0; run < runs; ++run) {
    Clock::time_point start = Clock::now();
    for (int i = 0; i < recipes; ++i) box.PumpMessages(0);
    pumping.push_back(Milliseconds(start));
    start = Clock::now();
    for (int i = 0; i <= 100; ++i) box.ShowProgress("Searching Records", std::to_string(i) + " Matches", i, 100);
    box.CloseProgress();
    drawing.push_back(Milliseconds(start));
  }
  std::printf("title search over %d recipes, median of %d runs\n", recipes, runs);
  std::printf("  with the progress box in the window: %8.1f ms\n", Median(shown));
  std::printf("  with no display:                     %8.1f ms\n", Median(silent));
  std::printf("  of which pumping events, %5d times: %8.1f ms\n", recipes, Median(pumping));
  std::printf("  of which the box's 101 steps:        %8.1f ms\n", Median(drawing));
  for (const char* name : {"Recipe34.dat", "Index34.dat", "Setup50.dat"}) DeleteDataFile(folder + name);
  rmdir(made);
  return 0;
}
