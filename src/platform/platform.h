// What the program needs of the system it runs on: the main window and its
// events, the display, the clipboard, timers, message boxes and opening
// documents. Two implementations exist: the SDL window and the headless
// script runner used by tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/input_state.h"

namespace tovalia {

class Canvas;
struct Rect;

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual DisplayMode DesktopMode() = 0;
  // Creates the main window (not yet shown) at the origin with the size.
  virtual bool CreateMainWindow(const std::string& title, int x, int y, int width,
                                int height) = 0;
  virtual void ShowMainWindow() = 0;
  virtual void MinimizeMainWindow() = 0;
  virtual void MoveMainWindowBy(int dx, int dy) = 0;
  // The mouse position on the whole screen (for dragging the window).
  virtual void ScreenMousePosition(const InputState& input, int& x, int& y) = 0;
  // Copies the off-screen surface to the window.
  virtual void Present(const Canvas& canvas) = 0;
  // Copies only a part of it, where nothing else has changed since the last
  // present (a progress box over a screen).
  virtual void PresentArea(const Canvas& canvas, const Rect& area) = 0;

  // wait 1: clears the key code and typed character, then waits for and
  // translates the next event; wait 0: translates one pending event, if any.
  // Does nothing once the quit flag is set.
  virtual void PumpMessages(InputState& input, int wait) = 0;
  // True while a key, button or character is still waiting to be taken.
  virtual bool InputPending() = 0;

  // The caret timer: while running, each period flips the input flag.
  virtual void StartCaretTimer(int periodMs) = 0;
  virtual void StopCaretTimer() = 0;
  virtual uint32_t TickCount() = 0;
  virtual void Pause(int milliseconds) = 0;

  // Clipboard text in the program's form: CP1252 with CR line ends.
  virtual std::string ClipboardText() = 0;
  // False when the desktop's clipboard could not take the text.
  virtual bool SetClipboardText(const std::string& text) = 0;
  // Clipboard data other than text (pictures, copied files), as far as the
  // desktop offers it, by MIME type ("image/png", "text/uri-list").
  // ClipboardTypes: the types on offer, or nothing when the clipboard cannot
  // be reached. Setting data replaces whatever the clipboard held.
  virtual std::optional<std::vector<std::string>> ClipboardTypes() = 0;
  virtual bool ClipboardData(const std::string& type, std::vector<uint8_t>& bytes) = 0;
  virtual bool SetClipboardData(const std::string& type, const std::vector<uint8_t>& bytes) = 0;

  // The system message box; the text is CP1252.
  virtual void ShowSystemMessage(const std::string& caption, const std::string& text) = 0;
  // Opens a web address or a local file with the desktop's program for it.
  virtual bool OpenDocument(const std::string& target) = 0;
  // Opens a new message in the user's e-mail program; false when none answers.
  virtual bool SendEmail(const std::string& to, const std::string& subject,
                         const std::string& body) = 0;
};

}  // namespace tovalia
