// Waiting for the user: every screen loop waits here for its next event.
#pragma once

#include "db/product.h"
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

// Opens Help.htm beside the program, or the help page on the web site.
void OpenHelp(Ui& ui);

}  // namespace tovalia
