// The script language of headless runs: one command a line, read in order
// whenever the program waits for input.
//
//   click X Y        left click at window pixel (X, Y)
//   rclick X Y       right click
//   drag X1 Y1 X2 Y2 left button down at (X1, Y1), moved to (X2, Y2), let go
//   move X Y         the pointer moves to (X, Y) with no button down
//   press CAPTION    left click on the centre of the visible button so captioned
//   key NAME         Left Right Up Down Insert Delete Home End PageUp PageDown
//                    F1..F12 Enter Escape Tab Backspace Space
//   type TEXT        types each character of TEXT (UTF-8; \n \r \t \\ escapes)
//   ctrl+LETTER      the letter with Ctrl held (ctrl+a, ctrl+v, ...)
//   ctrl+KEY         a named key or the digits 1 2 3 with Ctrl held
//                    (ctrl+Left, ctrl+Delete, ctrl+Enter, ctrl+1, ...)
//   clipboard-data TYPE FILE   puts the file's bytes on the clipboard as
//                    that MIME type (image/png, text/uri-list, ...)
//   clipboard-save TYPE FILE   writes the clipboard's data of that type
//   wheel N          turns the wheel N notches (negative: towards the user)
//   wait MS          lets MS milliseconds pass (timers tick)
//   clipboard TEXT   puts TEXT on the clipboard (escapes as for type)
//   snapshot FILE    writes the window's picture as PNG
//   texts FILE       writes every visible text, one a line: x, y, width,
//                    "cut" or "whole", the text (UTF-8), separated by tabs
//   expect TEXT      fails the run unless TEXT is visible on screen
//   absent TEXT      fails the run if TEXT is visible on screen
//   window W H X Y   fails the run unless the main window has that size and place
//   quit             closes the program as the window's close box does
// Blank lines and lines starting with # are skipped.
#pragma once

#include <string>
#include <vector>

namespace tovalia {

struct ScriptCommand {
  enum class Kind {
    kClick, kRightClick, kDrag, kMove, kPress, kKey, kType, kCtrl, kWheel, kWait,
    kClipboard, kClipboardData, kClipboardSave, kSnapshot, kTexts, kExpect, kAbsent, kWindow, kQuit,
  };
  Kind kind;
  int line = 0;
  std::vector<int> numbers;  // coordinates, key code, wheel notches, milliseconds
  std::string text;          // CP1252 text, caption, file name
  std::string type;          // kClipboardData, kClipboardSave: the MIME type
  bool typedKey = false;     // kKey: the key arrives as a typed character
};

// Parses a whole script; on a bad line returns false with a message naming it.
bool ParseScript(const std::string& source, std::vector<ScriptCommand>& commands,
                 std::string& error);

}  // namespace tovalia
