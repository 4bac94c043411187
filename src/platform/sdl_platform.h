// The platform on a desktop: one SDL window showing the off-screen surface
// (copied into the window's own surface, all of it or only the part that
// changed), SDL events translated into the input state, the desktop's
// clipboard and xdg-open for documents.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "platform/desktop_clipboard.h"
#include "platform/platform.h"

struct SDL_Window;
union SDL_Event;

namespace tovalia {

class SdlPlatform : public Platform {
 public:
  // A given screen mode stands in for the desktop's (for trying sizes).
  explicit SdlPlatform(std::optional<DisplayMode> screenOverride);
  ~SdlPlatform() override;

  DisplayMode DesktopMode() override;
  bool CreateMainWindow(const std::string& title, int x, int y, int width, int height) override;
  void ShowMainWindow() override;
  void MinimizeMainWindow() override;
  void MoveMainWindowBy(int dx, int dy) override;
  void ScreenMousePosition(const InputState& input, int& x, int& y) override;
  void Present(const Canvas& canvas) override;
  void PresentArea(const Canvas& canvas, const Rect& area) override;

  void PumpMessages(InputState& input, int wait) override;
  bool InputPending() override;

  void StartCaretTimer(int periodMs) override;
  void StopCaretTimer() override;
  uint32_t TickCount() override;
  void Pause(int milliseconds) override;

  std::string ClipboardText() override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::vector<std::string>> ClipboardTypes() override;
  bool ClipboardData(const std::string& type, std::vector<uint8_t>& bytes) override;
  bool SetClipboardData(const std::string& type, const std::vector<uint8_t>& bytes) override;

  void ShowSystemMessage(const std::string& caption, const std::string& text) override;
  bool OpenDocument(const std::string& target) override;
  bool SendEmail(const std::string& to, const std::string& subject,
                 const std::string& body) override;

 private:
  void Translate(const SDL_Event& event, InputState& input);
  // Copies the area of the shown canvas to the window (all of it when null).
  void Repaint(const Rect* area = nullptr);

  std::optional<DisplayMode> screenOverride_;
  bool videoReady_ = false;
  SDL_Window* window_ = nullptr;
  const Canvas* shown_ = nullptr;
  int timerId_ = 0;
  uint32_t timerEventType_ = 0;
  std::deque<int> pendingCharacters_;  // typed text not yet handed out
  DesktopClipboard desktopClipboard_;  // pictures and copied files
};

}  // namespace tovalia
