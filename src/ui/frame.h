// The frame every screen shares: the background, the header band with the
// program's name, the tab row, and the "Minimize" and "Quit" buttons.
#pragma once

#include <string>

#include "ui/ui.h"

namespace tovalia {

inline constexpr int kTabCount = 5;

Rect TabRect(int tab);
// The caption of a tab, from the tab captions' 12-character fields.
std::string TabCaption(const Ui& ui, int tab);
Rect MinimizeButtonRect(const Ui& ui);
Rect QuitButtonRect(const Ui& ui);
// The area below the header that screens draw their contents into.
Rect ContentRect(const Ui& ui);

void DrawFrame(Ui& ui, int currentScreen);

}  // namespace tovalia
