// Earlier installations kept their files in Windows folders, whose names
// match without regard to case. Reached from this system (a Wine prefix, a
// mounted Windows partition) the same folder may be spelt "Program Files"
// on disk and "PROGRAM FILES" in a shortcut; these helpers find the real
// spelling.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tovalia {

// The entry of `folder` whose name equals `name` ignoring case (the exact
// spelling preferred), as a full path; empty when there is none. Folders
// end with the separator.
std::string FindIgnoringCase(const std::string& folder, std::string_view name);

// Walks the components of a relative path ("/" or "\" between them) from
// `folder`, each matched ignoring case; a folder result ends with the
// separator. Empty when a component is missing.
std::string ResolveIgnoringCase(const std::string& folder, std::string_view relative);

// The absolute, symlink-free form of an existing folder, ending with the
// separator; empty when it does not exist.
std::string CanonicalFolder(const std::string& folder);

// Drive letters (lower case) of one Windows system and the folders they
// stand for on this system.
using DriveMap = std::map<char, std::string>;

// "C:\Program Files\Tovalia 5.7\tovalia.exe" through the drive map; empty
// when the drive is unknown or a component is missing. A trailing file
// name that does not exist is kept as written, so its folder still counts.
std::string WindowsPathToLocal(const DriveMap& drives, std::string_view windowsPath);

}  // namespace tovalia
