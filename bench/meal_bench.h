// Timing the Meals screen over a calendar of 20,000 meals.
#pragma once

#include <string>
#include <vector>

namespace tovalia::bench {

struct MealFigures {
  int meals = 0;
  std::vector<double> enterMs;   // entering the screen and drawing it
  std::vector<double> scrollMs;  // scrolling the grid a week and drawing
  std::vector<double> addMs;     // adding a meal (file rewritten and flushed) and drawing
  std::vector<double> tickMs;    // ticking a meal (file rewritten) and drawing
};

// Writes the calendar into `folder` and times the screen's work on it.
MealFigures MeasureMealCalendar(const std::string& folder, int meals);

}  // namespace tovalia::bench
