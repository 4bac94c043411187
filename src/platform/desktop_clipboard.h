// Pictures and copied files on the desktop's clipboard. SDL 2 carries only
// text, so other types go through the desktop's clipboard tools: wl-paste
// and wl-copy on Wayland, xclip on X11. Without either tool the clipboard
// offers text only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

class DesktopClipboard {
 public:
  // keepAlive runs while a tool is waited for: the window must keep
  // answering the desktop, since the clipboard may be its own.
  explicit DesktopClipboard(std::function<void()> keepAlive);

  // The MIME types on offer; nothing when no tool can reach the clipboard.
  std::optional<std::vector<std::string>> Types();
  bool Read(const std::string& type, std::vector<uint8_t>& bytes);
  bool Write(const std::string& type, const std::vector<uint8_t>& bytes);

 private:
  enum class Tool { kNone, kWayland, kX11 };
  Tool tool_;
  std::function<void()> keepAlive_;
};

// The first local file of a copied-files list: a text/uri-list (lines of
// file:// addresses, "#" comments) or a file manager's "copy"/"cut" line
// before them. Percent escapes are decoded. Empty when there is none.
std::string FirstCopiedFile(std::string_view uriList);

}  // namespace tovalia
