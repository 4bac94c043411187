// Progress of long command-line jobs as a one-line bar on standard error,
// drawn only when standard error is a terminal.
#pragma once

#include "ui/progress.h"

namespace tovalia {

class TerminalProgress : public Progress {
 public:
  TerminalProgress();
  void ShowProgress(const std::string& caption, const std::string& barText, int64_t current,
                    int64_t total) override;
  void CloseProgress() override;
  void PumpMessages(int) override {}

 private:
  bool enabled_;
  ProgressPercent percent_;
};

}  // namespace tovalia
