// The user-interface toolkit's program-wide state: the platform, the
// off-screen canvas, the input state and the shared artwork.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "platform/input_state.h"
#include "platform/platform.h"

namespace tovalia {

struct Ui {
  Ui(Platform& platform, Canvas& canvas) : platform(platform), canvas(canvas) {}

  Platform& platform;
  Canvas& canvas;
  InputState input;
  Image background;  // background.bmp
  Image popup;       // popup.bmp
  // Five fields of 12 characters: the captions of the tabs.
  std::string tabCaptions = "Help        Index       Recipe      Grocery     Meals       ";
  std::string helpPage;  // Help.htm in the program folder

  void Show() { platform.Present(canvas); }
  void Pump(int wait) { platform.PumpMessages(input, wait); }
};

}  // namespace tovalia
