// The script language of headless runs: one command a line, read in order
// whenever the program waits for input.
//
//   click X Y        left click at window pixel (X, Y)
//   rclick X Y       right click
//   shift+click X Y  left click with Shift held
//   drag X1 Y1 X2 Y2 left button down at (X1, Y1), moved to (X2, Y2), let go
//   move X Y         the pointer moves to (X, Y) with no button down
//   press CAPTION    left click on the centre of the visible button so captioned
//   key NAME         Left Right Up Down Insert Delete Home End PageUp PageDown
//                    F1..F12 Enter Escape Tab Backspace Space
//   repeat NAME      the key again, as the system repeats a key held down
//   ctrl+NAME        a key with Ctrl held (ctrl+Up, ctrl+Down, ...; also key ctrl+NAME)
//   hold X Y MS      the left button pressed at (X, Y), let go MS milliseconds later
//   type TEXT        types each character of TEXT (UTF-8; \n \r \t \\ escapes)
//   ctrl+LETTER      the letter with Ctrl held (ctrl+a, ctrl+v, ...)
//   ctrl+DIGIT       the digits 1 2 3 with Ctrl held; ctrl+Enter
//   clipboard-data TYPE FILE   puts the file's bytes on the clipboard as
//                    that MIME type (image/png, text/uri-list, ...)
//   clipboard-save TYPE FILE   writes the clipboard's data of that type
//   wheel N          turns the wheel N notches (negative: towards the user)
//   wait MS          lets MS milliseconds pass (timers tick)
//   clipboard TEXT   puts TEXT on the clipboard (escapes as for type)
//   saveclipboard FILE writes the clipboard's text as the desktop gets it
//                    (UTF-8, LF line ends)
//   snapshot FILE    writes the window's picture as PNG
//   texts FILE       writes every visible text, one a line: x, y, width,
//                    "cut" or "whole", the text (UTF-8), separated by tabs
//   buttons FILE     writes every button and taken area, one a line: x, y,
//                    width, height, the caption (empty for an area), by tabs
//   expect TEXT      fails the run unless TEXT is visible on screen
//   absent TEXT      fails the run if TEXT is visible on screen
//   window W H X Y   fails the run unless the main window has that size and place
//   helpers missing  from here on no browser or e-mail program can be started
//   helpers present  they can again (the default)
//   noclipboard      from here on text put on the clipboard does not arrive
//   quit             closes the program as the window's close box does
// Blank lines and lines starting with # are skipped.
#pragma once

#include <string>
#include <vector>

namespace tovalia {

struct ScriptCommand {
  enum class Kind {
    kClick, kRightClick, kDrag, kMove, kHold, kPress, kKey, kType, kCtrl, kWheel, kWait,
    kClipboard, kClipboardData, kClipboardSave, kSaveClipboard, kSnapshot, kTexts, kButtons, kExpect,
    kAbsent, kWindow, kHelpers, kNoClipboard, kQuit,
  };
  Kind kind;
  int line = 0;
  std::vector<int> numbers;  // coordinates, key code, wheel notches, milliseconds
  std::string text;          // CP1252 text, caption, file name
  std::string type;          // kClipboardData, kClipboardSave: the MIME type
  bool typedKey = false;     // kKey: the key arrives as a typed character
  bool ctrl = false;         // kKey: with Ctrl held
  bool repeat = false;       // kKey: a repeat of a held key
  bool shift = false;        // kClick: with Shift held
};

// Parses a whole script; on a bad line returns false with a message naming it.
bool ParseScript(const std::string& source, std::vector<ScriptCommand>& commands,
                 std::string& error);

}  // namespace tovalia
