// The progress box long operations show over the screen: a caption and a
// 230-pixel bar with a text centred on it. It keeps the window alive by
// pumping events while the operation runs. Only the box is put on the
// window, and at most every kProgressPresentMs (the last step always), so
// showing progress costs little beside the work.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/progress.h"
#include "ui/ui.h"

namespace tovalia {

inline constexpr uint32_t kProgressPresentMs = 30;

class ProgressBox : public Progress {
 public:
  explicit ProgressBox(Ui& ui) : ui_(ui) {}
  void ShowProgress(const std::string& caption, const std::string& barText, int64_t current,
                    int64_t total) override;
  void CloseProgress() override;
  void PumpMessages(int wait) override { ui_.Pump(wait); }
  void ShowMainWindow() override { ui_.platform.ShowMainWindow(); }
  bool StopRequested() override {
    return ui_.input.quitFlag || ui_.input.typedCharacter == ' ';
  }

 private:
  Rect BoxRect() const;

  Ui& ui_;
  ProgressPercent percent_;
  std::optional<SavedArea> saved_;
  uint32_t lastPresent_ = 0;
};

}  // namespace tovalia
