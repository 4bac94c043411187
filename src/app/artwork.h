// The screen artwork: "background.bmp" behind every screen and "popup.bmp"
// behind boxes drawn over it. Both are the program's own, made here and
// written into the data folder when missing, so a user may replace them.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace tovalia {

Image MakeBackgroundArtwork(int width, int height);
Image MakePopupArtwork(int width, int height);

// Writes whichever of the two files is missing; loads both (falling back to
// freshly made pictures when a file cannot be read).
void PrepareArtwork(const std::string& dataFolder, Image& background, Image& popup);

}  // namespace tovalia
