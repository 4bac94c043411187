// Waiting for the user: every screen loop waits here for its next event.
#pragma once

#include "ui/ui.h"

namespace tovalia {

// Pumps events until input arrives. Handles what every screen shares: the
// tabs (a click, or typing a tab's first letter), "Minimize", "Quit", F1
// for help, and dragging the window by its background. Returns the tab
// picked, or -1 (also when the quit flag is set).
int WaitForNextEvent(Ui& ui);

// The steps every screen loop takes after drawing: show the picture, forget
// the last key and character, wait. Returns what WaitForNextEvent returns.
int ShowAndWait(Ui& ui);

// While it lives, mouse moves wake the waiting loop (follow = true: for
// highlights under the pointer) or do not (boxes with a blinking caret,
// which take every wake-up without a key or click for a caret tick); the
// setting before it returns afterwards.
class PointerFollowing {
 public:
  PointerFollowing(Ui& ui, bool follow) : input_(ui.input), before_(ui.input.wakeOnMouseMove) {
    input_.wakeOnMouseMove = follow;
  }
  ~PointerFollowing() { input_.wakeOnMouseMove = before_; }
  PointerFollowing(const PointerFollowing&) = delete;
  PointerFollowing& operator=(const PointerFollowing&) = delete;

 private:
  InputState& input_;
  bool before_;
};

}  // namespace tovalia
