#include "index_window_bench.h"

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/index_screen.h"
#include "db/cp1252.h"
#include "platform/canvas.h"
#include "platform/headless_platform.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "ui/ui.h"

namespace tovalia::bench {

namespace {

using Clock = std::chrono::steady_clock;

// The headless platform, noting how long the screen took over each input:
// from its arrival to the next wait for input.
class TimingPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  void PumpMessages(InputState& input, int wait) override {
    if (wait == 1 && handling_) {
      handled.push_back(std::chrono::duration<double, std::milli>(Clock::now() - arrived_).count());
      handling_ = false;
    }
    const bool before = input.inputFlag;
    HeadlessPlatform::PumpMessages(input, wait);
    if (!before && input.inputFlag) {
      arrived_ = Clock::now();
      handling_ = true;
    }
  }
  std::vector<double> handled;  // one per input, in script order

 private:
  Clock::time_point arrived_;
  bool handling_ = false;
};

// A letter that begins a chapter name (some way down the list) and picks
// no tab.
char ChapterLetter(const Database& db) {
  const std::string tabInitials = "HIRGM";
  for (size_t row = db.chapterTable.size() / 2; row < db.chapterTable.size(); ++row) {
    const std::string& name = db.chapterTable[row].name;
    if (name.empty()) continue;
    const char initial = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(name[0])));
    if (initial >= 'A' && initial <= 'Z' && tabInitials.find(initial) == std::string::npos) return initial;
  }
  throw std::runtime_error("no chapter name begins with a letter that picks no tab");
}

}  // namespace

IndexWindowFigures MeasureIndexWindow(Database& db, int runs) {
  IndexWindowFigures figures;
  figures.letter = ChapterLetter(db);
  // At 1024 x 767 the lists' rows are 22 pixels high from y 84; the chapter
  // list starts at x 20, the recipe list at x 520.
  const std::string script = std::string("click 60 205\n") +  // the sixth chapter row
                             "click 60 95\n" +                  // All Recipes (timed)
                             "click 640 117\n" +                // the second title: the list has the keys
                             "key End\n" +                      // (timed)
                             "type " + figures.letter + "\n" +  // (timed)
                             "quit\n";
  std::vector<ScriptCommand> commands;
  std::string error;
  if (!ParseScript(script, commands, error)) throw std::runtime_error(error);
  Settings settings(db.paths.setupFile);
  MealCalendar meals(db.paths.eventFile);
  // The first run loads the fonts; it is not counted.
  for (int run = 0; run <= runs; ++run) {
    TimingPlatform platform(commands, DisplayMode{1280, 1024, 32});
    Canvas canvas(1024, 767);
    platform.CreateMainWindow("Tovalia", 0, 0, 1024, 767);
    platform.AttachCanvas(&canvas);
    Ui ui(platform, canvas);
    App app(ui, db, settings, meals);
    db.currentChapterRow = 0;
    db.listPosition = 0;
    db.firstVisibleChapterRow = 0;
    db.firstVisibleTitle = 0;
    RunIndexScreen(app);
    if (platform.Failed() || platform.handled.size() != 5)
      throw std::runtime_error("the Index screen did not take the script's five inputs");
    if (db.chapterTable[static_cast<size_t>(db.currentChapterRow)].name.empty() ||
        UpperCaseByte(static_cast<uint8_t>(db.chapterTable[static_cast<size_t>(db.currentChapterRow)].name[0])) !=
            static_cast<uint8_t>(figures.letter))
      throw std::runtime_error("the typed letter did not lead to a chapter that begins with it");
    if (run == 0) continue;
    figures.openAllRecipesMs.push_back(platform.handled[1]);
    figures.scrollToEndMs.push_back(platform.handled[3]);
    figures.chapterLetterMs.push_back(platform.handled[4]);
  }
  return figures;
}

}  // namespace tovalia::bench
