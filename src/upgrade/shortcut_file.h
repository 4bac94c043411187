// Shortcut (.lnk) files of an earlier installation: the program's path is
// somewhere among the bytes as plain text.
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

// The Windows path "X:\...\tovalia.exe" that the bytes hold (the text
// ending at "\tovalia.exe", matched ignoring case, back to the drive letter
// before its ":"), or an empty text.
std::string ProgramPathInShortcut(std::string_view bytes);

}  // namespace tovalia
