// The user-interface toolkit's program-wide state: the platform, the
// off-screen canvas, the input state and the shared artwork.
#pragma once

#include <array>
#include <string>

#include "platform/canvas.h"
#include "platform/input_state.h"
#include "platform/platform.h"

namespace tovalia {

inline constexpr int kFieldValueLimit = 81;

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
  // What prompts show and leave behind: field n of a prompt is slot n. Each
  // slot holds at most kFieldValueLimit characters (CP1252).
  std::array<std::string, 21> fieldValues;

  void Show() { platform.Present(canvas); }
  void Pump(int wait) { platform.PumpMessages(input, wait); }
};

}  // namespace tovalia
