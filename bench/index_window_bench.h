// Timing the Index screen on a large collection without a display: the
// real screen loop runs on the headless platform, driven by a script, and
// each input is timed from the moment it arrives to the moment the screen,
// redrawn, waits for the next one.
#pragma once

#include <vector>

#include "db/database.h"

namespace tovalia::bench {

struct IndexWindowFigures {
  std::vector<double> openAllRecipesMs;  // a click on "All Recipes", from a chapter's list
  std::vector<double> scrollToEndMs;     // End in the recipe list
  std::vector<double> chapterLetterMs;   // a typed letter: the next chapter that begins with it
  char letter = 0;
};

// Runs the screen `runs` times over the loaded database (1024 x 767).
IndexWindowFigures MeasureIndexWindow(Database& db, int runs);

}  // namespace tovalia::bench
