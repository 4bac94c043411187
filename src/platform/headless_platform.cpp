#include "platform/headless_platform.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "db/cp1252.h"
#include "platform/canvas.h"
#include "platform/clipboard_text.h"

namespace tovalia {

namespace {

constexpr int kLinesPerNotch = 3;

bool WriteVisibleTexts(const Canvas& canvas, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  for (const DrawnText& t : canvas.VisibleTexts())
    std::fprintf(file, "%d\t%d\t%d\t%s\t%s\n", t.rect.x, t.rect.y, t.rect.width, t.cut ? "cut" : "whole",
                 DisplayTextToUtf8(t.text).c_str());
  return std::fclose(file) == 0;
}

bool WriteVisibleButtons(const Canvas& canvas, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  for (const DrawnButton& b : canvas.VisibleButtons())
    std::fprintf(file, "%d\t%d\t%d\t%d\t%s\n", b.rect.x, b.rect.y, b.rect.width, b.rect.height,
                 DisplayTextToUtf8(b.caption).c_str());
  return std::fclose(file) == 0;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::vector<ScriptCommand> script, DisplayMode screen)
    : script_(std::move(script)), screen_(screen) {}

bool HeadlessPlatform::CreateMainWindow(const std::string&, int x, int y, int width, int height) {
  windowX_ = x, windowY_ = y, windowWidth_ = width, windowHeight_ = height;
  return true;
}

void HeadlessPlatform::MoveMainWindowBy(int dx, int dy) {
  windowX_ += dx;
  windowY_ += dy;
}

void HeadlessPlatform::StartCaretTimer(int periodMs) {
  caretPeriod_ = periodMs;
  caretDue_ = clock_ + static_cast<uint32_t>(periodMs);
}

void HeadlessPlatform::Advance(int milliseconds) {
  clock_ += static_cast<uint32_t>(milliseconds);
  if (caretPeriod_ <= 0) return;
  int ticks = 0;
  while (caretDue_ <= clock_) {
    ++ticks;
    caretDue_ += static_cast<uint32_t>(caretPeriod_);
  }
  if (ticks % 2 == 1) events_.push_back({Event::Kind::kTimer, 1});
}

void HeadlessPlatform::ShowSystemMessage(const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str());
}

bool HeadlessPlatform::OpenDocument(const std::string& target) {
  if (!helpersPresent_) return false;
  std::fprintf(stderr, "open: %s\n", Cp1252ToUtf8(target).c_str());
  return true;
}

bool HeadlessPlatform::SendEmail(const std::string& to, const std::string& subject,
                                 const std::string& body) {
  if (!helpersPresent_) return false;
  std::fprintf(stderr, "email: %s, %s\n%s\n", Cp1252ToUtf8(to).c_str(), Cp1252ToUtf8(subject).c_str(),
               ProgramTextToClipboard(body).c_str());
  return true;
}

std::optional<std::vector<std::string>> HeadlessPlatform::ClipboardTypes() {
  std::vector<std::string> types;
  if (!clipboard_.empty()) types.push_back("text/plain");
  for (const auto& [type, bytes] : clipboardData_) types.push_back(type);
  return types;
}

bool HeadlessPlatform::ClipboardData(const std::string& type, std::vector<uint8_t>& bytes) {
  auto found = clipboardData_.find(type);
  if (found == clipboardData_.end()) return false;
  bytes = found->second;
  return true;
}

bool HeadlessPlatform::SetClipboardData(const std::string& type, const std::vector<uint8_t>& bytes) {
  clipboard_.clear();
  clipboardData_.clear();
  clipboardData_[type] = bytes;
  return true;
}

void HeadlessPlatform::Fail(const std::string& message) {
  std::fprintf(stderr, "script: %s\n", message.c_str());
  failed_ = true;
}

// Script positions are window pixels where the window stands when the line
// is read; events carry them as screen positions, as a real mouse does.
void HeadlessPlatform::Mouse(Event::Kind kind, int bit, int x, int y, bool shift) {
  Event event{kind, bit, windowX_ + x, windowY_ + y};
  event.shift = shift;
  events_.push_back(event);
}

void HeadlessPlatform::Click(int bit, int x, int y, bool shift) {
  Mouse(Event::Kind::kButtonDown, bit, x, y, shift);
  Mouse(Event::Kind::kButtonUp, bit, x, y, shift);
}

bool HeadlessPlatform::ReadScript(InputState& input) {
  using Kind = ScriptCommand::Kind;
  while (events_.empty() && next_ < script_.size() && !failed_) {
    const ScriptCommand& c = script_[next_++];
    const std::string where = "line " + std::to_string(c.line) + ": ";
    switch (c.kind) {
      case Kind::kClick:
      case Kind::kRightClick:
        Click(c.kind == Kind::kClick ? kLeftButton : kRightButton, c.numbers[0], c.numbers[1], c.shift);
        break;
      case Kind::kMove:
        Mouse(Event::Kind::kMove, 0, c.numbers[0], c.numbers[1]);
        break;
      case Kind::kHold:
        Mouse(Event::Kind::kButtonDown, kLeftButton, c.numbers[0], c.numbers[1]);
        Mouse(Event::Kind::kButtonUp, kLeftButton, c.numbers[0], c.numbers[1]);
        events_.back().due = clock_ + static_cast<uint32_t>(c.numbers[2]);
        break;
      case Kind::kDrag:
        Mouse(Event::Kind::kButtonDown, kLeftButton, c.numbers[0], c.numbers[1]);
        Mouse(Event::Kind::kMove, 0, c.numbers[2], c.numbers[3]);
        Mouse(Event::Kind::kButtonUp, kLeftButton, c.numbers[2], c.numbers[3]);
        break;
      case Kind::kPress: {
        const DrawnButton* found = nullptr;
        if (canvas_) {
          for (const DrawnButton& b : canvas_->VisibleButtons())
            if (b.caption == c.text) found = &b;
        }
        if (!found) {
          std::string shown;
          if (canvas_)
            for (const DrawnButton& b : canvas_->VisibleButtons())
              if (!b.caption.empty()) shown += " [" + Cp1252ToUtf8(b.caption) + "]";
          Fail(where + "no button \"" + Cp1252ToUtf8(c.text) + "\" is visible; buttons:" + shown);
          break;
        }
        Click(kLeftButton, found->rect.CentreX(), found->rect.CentreY());
        break;
      }
      case Kind::kKey:
        if (c.typedKey) {
          events_.push_back({Event::Kind::kCharacter, c.numbers[0], 0, 0, false, c.repeat});
        } else {
          events_.push_back({Event::Kind::kKeyDown, c.numbers[0], 0, 0, c.ctrl, c.repeat});
        }
        break;
      case Kind::kType:
        for (char ch : c.text) {
          int value = static_cast<uint8_t>(ch);
          events_.push_back({Event::Kind::kCharacter, value == '\n' ? typed::kEnter : value});
        }
        break;
      case Kind::kCtrl:
        events_.push_back({c.typedKey ? Event::Kind::kCharacter : Event::Kind::kKeyDown, c.numbers[0], 0, 0, true, false});
        break;
      case Kind::kClipboardData: {
        std::ifstream in(c.text, std::ios::binary);
        if (!in) {
          Fail(where + "cannot read " + c.text);
          break;
        }
        clipboard_.clear();
        clipboardData_.clear();
        clipboardData_[c.type] = std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
        break;
      }
      case Kind::kClipboardSave: {
        auto found = clipboardData_.find(c.type);
        std::ofstream out(c.text, std::ios::binary);
        if (found == clipboardData_.end() || !out ||
            !out.write(reinterpret_cast<const char*>(found->second.data()),
                       static_cast<std::streamsize>(found->second.size())))
          Fail(where + "the clipboard holds no " + c.type);
        break;
      }
      case Kind::kWheel: {
        int notches = c.numbers[0];
        for (int i = 0; i < (notches < 0 ? -notches : notches); ++i)
          events_.push_back({Event::Kind::kWheel, notches < 0 ? -kLinesPerNotch : kLinesPerNotch});
        break;
      }
      case Kind::kWait:
        Advance(c.numbers[0]);
        break;
      case Kind::kClipboard:
        clipboard_ = ClipboardToProgramText(Cp1252ToUtf8(c.text));
        clipboardData_.clear();
        break;
      case Kind::kSaveClipboard: {
        const std::string text = ProgramTextToClipboard(clipboard_);
        std::FILE* file = std::fopen(c.text.c_str(), "wb");
        const bool saved = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
        if (file) std::fclose(file);
        if (!saved) Fail(where + "cannot write " + c.text);
        break;
      }
      case Kind::kSnapshot:
        if (!canvas_ || !canvas_->WritePng(c.text)) Fail(where + "cannot write " + c.text);
        break;
      case Kind::kTexts:
        if (!canvas_ || !WriteVisibleTexts(*canvas_, c.text)) Fail(where + "cannot write " + c.text);
        break;
      case Kind::kButtons:
        if (!canvas_ || !WriteVisibleButtons(*canvas_, c.text)) Fail(where + "cannot write " + c.text);
        break;
      case Kind::kExpect: {
        bool seen = false;
        if (canvas_)
          for (const DrawnText& t : canvas_->VisibleTexts())
            seen = seen || t.text.find(c.text) != std::string::npos;
        if (!seen) {
          std::string shown;
          if (canvas_)
            for (const DrawnText& t : canvas_->VisibleTexts()) shown += "\n  " + Cp1252ToUtf8(t.text);
          Fail(where + "\"" + Cp1252ToUtf8(c.text) + "\" is not on screen; visible texts:" + shown);
        }
        break;
      }
      case Kind::kAbsent:
        if (canvas_) {
          for (const DrawnText& t : canvas_->VisibleTexts()) {
            if (t.text.find(c.text) == std::string::npos) continue;
            Fail(where + "\"" + Cp1252ToUtf8(c.text) + "\" is on screen");
            break;
          }
        }
        break;
      case Kind::kWindow:
        if (c.numbers != std::vector<int>{windowWidth_, windowHeight_, windowX_, windowY_}) {
          Fail(where + "the window is " + std::to_string(windowWidth_) + " " +
               std::to_string(windowHeight_) + " " + std::to_string(windowX_) + " " +
               std::to_string(windowY_));
        }
        break;
      case Kind::kHelpers:
        helpersPresent_ = c.numbers[0] == 1;
        break;
      case Kind::kNoClipboard:
        clipboardAnswers_ = false;
        break;
      case Kind::kQuit:
        input.quitFlag = true;
        return false;
    }
  }
  return !events_.empty();
}

void HeadlessPlatform::PumpMessages(InputState& input, int wait) {
  if (input.quitFlag) return;
  if (wait == 1) {
    input.keyCode = 0;
    input.typedCharacter = 0;
    if (events_.empty() && !ReadScript(input)) {
      // The script has ended (or failed): the program closes as its Quit would.
      input.quitFlag = true;
      return;
    }
  }
  if (events_.empty()) return;
  if (events_.front().due > clock_) {
    // A button held down: waiting lets the time pass until it is let go.
    if (wait == 0) return;
    Advance(static_cast<int>(events_.front().due - clock_));
  }
  Event e = events_.front();
  events_.pop_front();
  input.ctrl = e.ctrl;
  input.shift = e.shift;
  bool mouse = e.kind == Event::Kind::kButtonDown || e.kind == Event::Kind::kButtonUp ||
               e.kind == Event::Kind::kMove;
  if (mouse) {
    screenMouseX_ = e.x;
    screenMouseY_ = e.y;
    input.mouseX = e.x - windowX_;
    input.mouseY = e.y - windowY_;
  }
  switch (e.kind) {
    case Event::Kind::kButtonDown:
      input.buttonBits |= e.value;
      input.inputFlag = true;
      break;
    case Event::Kind::kButtonUp:
      input.buttonBits &= ~e.value;
      break;
    case Event::Kind::kMove:
      // A move with a button held is no new click.
      if (input.wakeOnMouseMove && input.buttonBits == 0) input.inputFlag = true;
      break;
    case Event::Kind::kCharacter:
      input.typedCharacter = e.value;
      input.keyRepeat = e.repeat;
      input.inputFlag = true;
      break;
    case Event::Kind::kKeyDown:
      input.keyCode = e.value;
      input.keyRepeat = e.repeat;
      input.inputFlag = true;
      break;
    case Event::Kind::kWheel:
      input.wheelStep = e.value;
      input.inputFlag = true;
      break;
    case Event::Kind::kTimer:
      input.inputFlag = !input.inputFlag;
      break;
  }
}

}  // namespace tovalia
