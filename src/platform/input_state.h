// The one record of the latest keyboard, mouse and system input. The
// platform layer's event translation fills it; every screen loop reads it.
#pragma once

#include <cstdint>

namespace tovalia {

// Key codes in PC scan-code numbering, as the screens see them.
namespace key {
inline constexpr int kLeft = 75;
inline constexpr int kRight = 77;
inline constexpr int kUp = 72;
inline constexpr int kDown = 80;
inline constexpr int kInsert = 82;
inline constexpr int kDelete = 83;
inline constexpr int kHome = 71;
inline constexpr int kEnd = 79;
inline constexpr int kPageUp = 73;
inline constexpr int kPageDown = 81;
inline constexpr int kF1 = 1;  // F1 to F12 are 1 to 12
}  // namespace key

// Characters that arrive as typed characters.
namespace typed {
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kCtrlEnter = 10;  // Enter with Ctrl held
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
}  // namespace typed

// Mouse button bits.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

struct InputState {
  int typedCharacter = 0;  // CP1252 byte of the last character; Enter is 13
  int keyCode = 0;         // the last non-character key (see key::)
  // The last key down is the system's repeat of a key held down.
  bool keyRepeat = false;
  int mouseX = 0;
  int mouseY = 0;
  int buttonBits = 0;
  bool inputFlag = false;  // set whenever input arrives; consumers clear it
  int wheelStep = 0;       // signed lines of the last wheel turn
  bool shift = false;
  bool ctrl = false;
  bool quitFlag = false;   // once set, every loop returns
  // Set by a screen that follows the pointer (hover highlights): then a
  // mouse move counts as input too.
  bool wakeOnMouseMove = false;
};

}  // namespace tovalia
