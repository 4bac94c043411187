#include "platform/sdl_platform.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "db/cp1252.h"
#include "platform/canvas.h"
#include "platform/clipboard_text.h"
#include "platform/helper_process.h"
#include "platform/program_folder.h"

namespace tovalia {

namespace {

constexpr int kLinesPerNotch = 3;
// How long a helper may take to report that it found nothing to open.
constexpr int kHelperGraceMs = 300;
// xdg-email tries one mail program and browser after another before it
// gives up, which takes seconds; the window goes on taking its events
// meanwhile. A mail program that opens stays running and counts as opened.
constexpr int kEmailGraceMs = 6000;

Uint32 PushTimerEvent(Uint32 interval, void* param) {
  SDL_Event event{};
  event.type = static_cast<Uint32>(reinterpret_cast<uintptr_t>(param));
  SDL_PushEvent(&event);
  return interval;
}

// The program's icon on the window, for the title bar and the task switcher:
// tovalia.png beside the resources (the build folder's copy), or the
// installed icon theme's 64-pixel picture.
void SetWindowIcon(SDL_Window* window) {
  const std::string resources = ResourceFolder();
  for (const std::string& path : {resources + "tovalia.png", resources + "../icons/hicolor/64x64/apps/tovalia.png"}) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(png);
      continue;
    }
    cairo_surface_flush(png);
    const int width = cairo_image_surface_get_width(png);
    const int height = cairo_image_surface_get_height(png);
    const int stride = cairo_image_surface_get_stride(png);
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon) {
      // cairo keeps colours multiplied by their alpha; SDL wants them plain.
      const unsigned char* from = cairo_image_surface_get_data(png);
      for (int y = 0; y < height; ++y) {
        const uint32_t* in = reinterpret_cast<const uint32_t*>(from + y * stride);
        uint32_t* out = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(icon->pixels) + y * icon->pitch);
        for (int x = 0; x < width; ++x) {
          const uint32_t pixel = in[x];
          const uint32_t alpha = pixel >> 24;
          auto plain = [&](int shift) {
            const uint32_t c = (pixel >> shift) & 0xFF;
            return alpha == 0 ? 0u : std::min<uint32_t>(255, (c * 255 + alpha / 2) / alpha);
          };
          out[x] = (alpha << 24) | (plain(16) << 16) | (plain(8) << 8) | plain(0);
        }
      }
      SDL_SetWindowIcon(window, icon);
      SDL_FreeSurface(icon);
    }
    cairo_surface_destroy(png);
    return;
  }
}

// Keys that the screens see as key codes.
int KeyCodeFor(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT: return key::kLeft;
    case SDLK_RIGHT: return key::kRight;
    case SDLK_UP: return key::kUp;
    case SDLK_DOWN: return key::kDown;
    case SDLK_INSERT: return key::kInsert;
    case SDLK_DELETE: return key::kDelete;
    case SDLK_HOME: return key::kHome;
    case SDLK_END: return key::kEnd;
    case SDLK_PAGEUP: return key::kPageUp;
    case SDLK_PAGEDOWN: return key::kPageDown;
    case SDLK_1: return '1';
    case SDLK_2: return '2';
    case SDLK_3: return '3';
    default: break;
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) return 1 + static_cast<int>(key - SDLK_F1);
  return 0;
}

// Keys that arrive as typed characters rather than as text input.
int ControlCharacterFor(SDL_Keycode key, bool ctrl) {
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return ctrl ? typed::kCtrlEnter : typed::kEnter;
    case SDLK_ESCAPE: return typed::kEscape;
    case SDLK_TAB: return typed::kTab;
    case SDLK_BACKSPACE: return typed::kBackspace;
    default: break;
  }
  if (ctrl && key >= SDLK_a && key <= SDLK_z) return static_cast<int>(key - SDLK_a) + 1;
  return 0;
}

}  // namespace

SdlPlatform::SdlPlatform(std::optional<DisplayMode> screenOverride)
    : screenOverride_(screenOverride), desktopClipboard_([this] {
        // While a clipboard tool runs, the window answers the desktop (it
        // may own the clipboard); input waits in SDL's queue.
        if (videoReady_) SDL_PumpEvents();
      }) {
  videoReady_ = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0;
  if (!videoReady_) std::fprintf(stderr, "tovalia: no display: %s\n", SDL_GetError());
  timerEventType_ = SDL_RegisterEvents(1);
}

SdlPlatform::~SdlPlatform() {
  StopCaretTimer();
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

DisplayMode SdlPlatform::DesktopMode() {
  if (screenOverride_) return *screenOverride_;
  SDL_DisplayMode mode{};
  if (!videoReady_ || SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format))};
}

bool SdlPlatform::CreateMainWindow(const std::string& title, int x, int y, int width,
                                   int height) {
  if (!videoReady_) return false;
  // The window's surface is copied to the display directly (X11 shared
  // memory), not through a GL texture: then updating a small part of it
  // costs only that part, also where GL runs in software.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  window_ = SDL_CreateWindow(title.c_str(), x, y, width, height,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (!window_) return false;
  SetWindowIcon(window_);
  SDL_StartTextInput();
  return SDL_GetWindowSurface(window_) != nullptr;
}

void SdlPlatform::ShowMainWindow() {
  if (!window_) return;
  SDL_ShowWindow(window_);
  SDL_RestoreWindow(window_);
  SDL_RaiseWindow(window_);
  Repaint();
}

void SdlPlatform::MinimizeMainWindow() {
  if (window_) SDL_MinimizeWindow(window_);
}

void SdlPlatform::MoveMainWindowBy(int dx, int dy) {
  if (!window_) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_SetWindowPosition(window_, x + dx, y + dy);
}

void SdlPlatform::ScreenMousePosition(const InputState&, int& x, int& y) {
  SDL_GetGlobalMouseState(&x, &y);
}

void SdlPlatform::Present(const Canvas& canvas) {
  shown_ = &canvas;
  Repaint();
}

void SdlPlatform::PresentArea(const Canvas& canvas, const Rect& area) {
  shown_ = &canvas;
  Repaint(&area);
}

void SdlPlatform::Repaint(const Rect* area) {
  if (!window_ || !shown_) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  // Only what lies on both the canvas and the window.
  SDL_Rect r{0, 0, std::min(shown_->Width(), surface->w), std::min(shown_->Height(), surface->h)};
  if (area) {
    const int x1 = std::clamp(area->x, 0, r.w), y1 = std::clamp(area->y, 0, r.h);
    const int x2 = std::clamp(area->x + area->width, 0, r.w), y2 = std::clamp(area->y + area->height, 0, r.h);
    r = {x1, y1, x2 - x1, y2 - y1};
  }
  if (r.w <= 0 || r.h <= 0) return;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  const int bytes = surface->format->BytesPerPixel;
  SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_ARGB8888, shown_->Pixels() + r.y * shown_->Stride() + r.x * 4,
                    shown_->Stride(), surface->format->format,
                    static_cast<uint8_t*>(surface->pixels) + r.y * surface->pitch + r.x * bytes, surface->pitch);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurfaceRects(window_, &r, 1);
}

void SdlPlatform::Translate(const SDL_Event& event, InputState& input) {
  switch (event.type) {
    case SDL_QUIT:
      input.quitFlag = true;
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          input.quitFlag = true;
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_RESTORED:
          Repaint();
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN: {
      bool ctrl = (event.key.keysym.mod & KMOD_CTRL) != 0;
      input.keyRepeat = event.key.repeat != 0;
      if (int code = KeyCodeFor(event.key.keysym.sym)) {
        input.keyCode = code;
        input.inputFlag = true;
      } else if (int c = ControlCharacterFor(event.key.keysym.sym, ctrl)) {
        input.typedCharacter = c;
        input.inputFlag = true;
      }
      // Printable keys arrive once more as text input, which sets the flag.
      break;
    }
    case SDL_KEYUP:
      input.keyCode = 0;
      input.typedCharacter = 0;
      break;
    case SDL_TEXTINPUT: {
      if (SDL_GetModState() & KMOD_CTRL) break;  // already a control character
      for (char c : Utf8ToCp1252(event.text.text)) pendingCharacters_.push_back(static_cast<uint8_t>(c));
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int bit = event.button.button == SDL_BUTTON_LEFT    ? kLeftButton
                : event.button.button == SDL_BUTTON_RIGHT ? kRightButton
                                                          : 0;
      input.mouseX = event.button.x;
      input.mouseY = event.button.y;
      if (event.type == SDL_MOUSEBUTTONDOWN) {
        input.buttonBits |= bit;
        input.inputFlag = true;
      } else {
        input.buttonBits &= ~bit;
      }
      break;
    }
    case SDL_MOUSEMOTION:
      input.mouseX = event.motion.x;
      input.mouseY = event.motion.y;
      // A move with a button held is no new click.
      if (input.wakeOnMouseMove && input.buttonBits == 0) input.inputFlag = true;
      break;
    case SDL_MOUSEWHEEL: {
      if (event.wheel.y == 0) break;
      int lines = (SDL_GetModState() & KMOD_CTRL) ? 1 : kLinesPerNotch;
      input.wheelStep = event.wheel.y > 0 ? lines : -lines;
      input.inputFlag = true;
      break;
    }
    default:
      if (event.type == timerEventType_) input.inputFlag = !input.inputFlag;
      break;
  }
  SDL_Keymod mod = SDL_GetModState();
  input.shift = (mod & KMOD_SHIFT) != 0;
  input.ctrl = (mod & KMOD_CTRL) != 0;
  // While a button is down the window keeps the mouse, also outside it.
  SDL_CaptureMouse(input.buttonBits != 0 ? SDL_TRUE : SDL_FALSE);
}

void SdlPlatform::PumpMessages(InputState& input, int wait) {
  ReapHelpers();
  if (input.quitFlag) return;
  if (wait == 1) {
    input.keyCode = 0;
    input.typedCharacter = 0;
  }
  if (!pendingCharacters_.empty()) {
    input.typedCharacter = pendingCharacters_.front();
    pendingCharacters_.pop_front();
    input.inputFlag = true;
    return;
  }
  SDL_Event event;
  if (wait == 1) {
    if (!videoReady_ || SDL_WaitEvent(&event) != 1) {
      input.quitFlag = true;
      return;
    }
  } else if (SDL_PollEvent(&event) != 1) {
    return;
  }
  Translate(event, input);
  if (!pendingCharacters_.empty()) {
    input.typedCharacter = pendingCharacters_.front();
    pendingCharacters_.pop_front();
    input.inputFlag = true;
  }
}

bool SdlPlatform::InputPending() {
  if (!pendingCharacters_.empty()) return true;
  if (!videoReady_) return false;
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_TEXTINPUT) > 0 ||
         SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN) > 0;
}

void SdlPlatform::StartCaretTimer(int periodMs) {
  StopCaretTimer();
  timerId_ = SDL_AddTimer(static_cast<Uint32>(periodMs), PushTimerEvent,
                          reinterpret_cast<void*>(static_cast<uintptr_t>(timerEventType_)));
}

void SdlPlatform::StopCaretTimer() {
  if (timerId_) SDL_RemoveTimer(timerId_);
  timerId_ = 0;
}

uint32_t SdlPlatform::TickCount() { return SDL_GetTicks(); }

void SdlPlatform::Pause(int milliseconds) { SDL_Delay(static_cast<Uint32>(milliseconds)); }

std::string SdlPlatform::ClipboardText() {
  if (!videoReady_ || !SDL_HasClipboardText()) return {};
  char* text = SDL_GetClipboardText();
  std::string result = text ? ClipboardToProgramText(text) : std::string();
  SDL_free(text);
  return result;
}

bool SdlPlatform::SetClipboardText(const std::string& text) {
  return videoReady_ && SDL_SetClipboardText(ProgramTextToClipboard(text).c_str()) == 0;
}

std::optional<std::vector<std::string>> SdlPlatform::ClipboardTypes() {
  std::optional<std::vector<std::string>> types = desktopClipboard_.Types();
  if (!types && videoReady_ && SDL_HasClipboardText()) types = std::vector<std::string>{"text/plain"};
  return types;
}

bool SdlPlatform::ClipboardData(const std::string& type, std::vector<uint8_t>& bytes) {
  return desktopClipboard_.Read(type, bytes);
}

bool SdlPlatform::SetClipboardData(const std::string& type, const std::vector<uint8_t>& bytes) {
  return desktopClipboard_.Write(type, bytes);
}

void SdlPlatform::ShowSystemMessage(const std::string& caption, const std::string& text) {
  std::string utf8Caption = Cp1252ToUtf8(caption);
  std::string utf8Text = Cp1252ToUtf8(text);
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Caption.c_str(), utf8Text.c_str(), window_);
}

bool SdlPlatform::OpenDocument(const std::string& target) {
  return StartHelper({"xdg-open", Cp1252ToUtf8(target)}, kHelperGraceMs);
}

bool SdlPlatform::SendEmail(const std::string& to, const std::string& subject,
                            const std::string& body) {
  std::vector<std::string> arguments = {"xdg-email", "--subject", Cp1252ToUtf8(subject), "--body",
                                        ProgramTextToClipboard(body)};
  // A message with no address yet: the user fills it in.
  if (!to.empty()) arguments.push_back(Cp1252ToUtf8(to));
  return StartHelper(arguments, kEmailGraceMs, [] { SDL_PumpEvents(); });
}

}  // namespace tovalia
