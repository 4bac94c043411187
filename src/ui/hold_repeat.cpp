#include "ui/hold_repeat.h"

namespace tovalia {

namespace {
constexpr int kFirstPauseMs = 400;
constexpr int kRepeatPauseMs = 70;
constexpr int kPollMs = 10;
}  // namespace

void RepeatWhileHeld(Ui& ui, const std::function<bool()>& step) {
  auto held = [&ui] { return (ui.input.buttonBits & kLeftButton) != 0 && !ui.input.quitFlag; };
  if (!step()) return;
  int pause = kFirstPauseMs;
  for (;;) {
    const uint32_t due = ui.platform.TickCount() + static_cast<uint32_t>(pause);
    while (held() && static_cast<int32_t>(due - ui.platform.TickCount()) > 0) {
      ui.platform.Pause(kPollMs);
      ui.Pump(0);
    }
    if (!held() || !step()) return;
    pause = kRepeatPauseMs;
  }
}

}  // namespace tovalia
