// The platform without a window: input comes from a script, time is
// virtual, and the off-screen surface is written out on request. Tests run
// the real program through it.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/headless_script.h"
#include "platform/platform.h"

namespace tovalia {

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(std::vector<ScriptCommand> script, DisplayMode screen);

  // The canvas that snapshot, expect and press look at.
  void AttachCanvas(const Canvas* canvas) { canvas_ = canvas; }
  // True once a script line has failed; the run then ends with a failure.
  bool Failed() const { return failed_; }

  DisplayMode DesktopMode() override { return screen_; }
  bool CreateMainWindow(const std::string& title, int x, int y, int width, int height) override;
  void ShowMainWindow() override {}
  void MinimizeMainWindow() override {}
  void MoveMainWindowBy(int dx, int dy) override;
  void ScreenMousePosition(const InputState&, int& x, int& y) override {
    x = screenMouseX_;
    y = screenMouseY_;
  }
  void Present(const Canvas& canvas) override { canvas_ = &canvas; }
  void PresentArea(const Canvas& canvas, const Rect&) override { canvas_ = &canvas; }

  void PumpMessages(InputState& input, int wait) override;
  bool InputPending() override { return !events_.empty(); }

  void StartCaretTimer(int periodMs) override;
  void StopCaretTimer() override { caretPeriod_ = 0; }
  uint32_t TickCount() override { return clock_; }
  void Pause(int milliseconds) override { Advance(milliseconds); }

  std::string ClipboardText() override { return clipboard_; }
  bool SetClipboardText(const std::string& text) override {
    if (!clipboardAnswers_) return false;
    clipboard_ = text;
    clipboardData_.clear();
    return true;
  }
  std::optional<std::vector<std::string>> ClipboardTypes() override;
  bool ClipboardData(const std::string& type, std::vector<uint8_t>& bytes) override;
  bool SetClipboardData(const std::string& type, const std::vector<uint8_t>& bytes) override;

  void ShowSystemMessage(const std::string& caption, const std::string& text) override;
  bool OpenDocument(const std::string& target) override;
  bool SendEmail(const std::string& to, const std::string& subject,
                 const std::string& body) override;

 private:
  struct Event {
    enum class Kind { kButtonDown, kButtonUp, kMove, kCharacter, kKeyDown, kWheel, kTimer } kind;
    int value = 0;
    int x = 0;  // mouse events: on the screen
    int y = 0;
    bool ctrl = false;
    bool repeat = false;
    uint32_t due = 0;  // not taken before the clock reaches it
    bool shift = false;
  };

  // Runs script lines until one of them queues input; false at the end.
  bool ReadScript(InputState& input);
  void Fail(const std::string& message);
  void Advance(int milliseconds);
  void Click(int bit, int x, int y, bool shift = false);
  void Mouse(Event::Kind kind, int bit, int x, int y, bool shift = false);

  std::vector<ScriptCommand> script_;
  size_t next_ = 0;
  std::deque<Event> events_;
  DisplayMode screen_;
  const Canvas* canvas_ = nullptr;
  int windowX_ = 0, windowY_ = 0, windowWidth_ = 0, windowHeight_ = 0;
  int screenMouseX_ = 0, screenMouseY_ = 0;
  uint32_t clock_ = 0;
  int caretPeriod_ = 0;
  uint32_t caretDue_ = 0;
  std::string clipboard_;
  bool helpersPresent_ = true;  // a browser and an e-mail program can be started
  bool clipboardAnswers_ = true;  // text put on the clipboard arrives there
  std::map<std::string, std::vector<uint8_t>> clipboardData_;  // by MIME type
  bool failed_ = false;
};

}  // namespace tovalia
