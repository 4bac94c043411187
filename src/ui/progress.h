// How long operations in the logic layers report progress and keep the
// program responsive without knowing whether a window, a terminal or a test
// is listening.
#pragma once

#include <cstdint>
#include <string>

namespace tovalia {

class Progress {
 public:
  virtual ~Progress() = default;
  // Shows or updates the progress box: caption, bar text, current of total.
  virtual void ShowProgress(const std::string& caption, const std::string& barText,
                            int64_t current, int64_t total) = 0;
  virtual void CloseProgress() = 0;
  // wait 0: handle one pending event, if any, and return at once.
  virtual void PumpMessages(int wait) = 0;
  // Brings the main window to the front before a long operation.
  virtual void ShowMainWindow() {}
  // True once the user has asked to stop a long operation (a typed space)
  // or the program is quitting.
  virtual bool StopRequested() { return false; }
};

// For tests and quiet runs: nothing is shown.
class SilentProgress : public Progress {
 public:
  void ShowProgress(const std::string&, const std::string&, int64_t, int64_t) override {}
  void CloseProgress() override {}
  void PumpMessages(int) override {}
};

// The percentage rule every progress display shares: 100 * current / total,
// the total raised to at least 1 and the result capped at 100; a display
// redraws only when the percentage changes, and always at 100.
class ProgressPercent {
 public:
  void Reset() { remembered_ = -1; }
  // Returns the percentage to draw, or -1 when nothing needs drawing.
  int Update(int64_t current, int64_t total);
  bool Active() const { return remembered_ >= 0; }

 private:
  int remembered_ = -1;
};

}  // namespace tovalia
