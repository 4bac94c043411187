// Clipboard text between the desktop's form (UTF-8, LF line ends) and the
// program's (CP1252, CR line ends).
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

std::string ClipboardToProgramText(std::string_view desktopText);
std::string ProgramTextToClipboard(std::string_view programText);

}  // namespace tovalia
