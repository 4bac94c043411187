// Desktop helpers (xdg-open, xdg-email, a browser) run beside the program:
// they are started without waiting for them to finish, so the window never
// freezes while a browser or mail program runs, and reaped once they end.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tovalia {

// Starts the program named by arguments[0] (looked up on PATH) with the
// rest as its arguments. False when it cannot be started, or when it ends
// with an error within `graceMs` (a helper that finds nothing to open says
// so at once); true when it succeeded or is still running. `whileWaiting`,
// when given, is called between the looks at the helper.
bool StartHelper(const std::vector<std::string>& arguments, int graceMs,
                 const std::function<void()>& whileWaiting = {});

// Collects the helpers that have ended since, without waiting for any.
// Returns how many are still running.
int ReapHelpers();

}  // namespace tovalia
