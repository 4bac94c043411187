// What the file chooser shows: the entries of a folder, and the places that
// stand in for drives (the root, the home folder, mounted volumes).
#pragma once

#include <string>
#include <vector>

namespace tovalia {

struct FolderEntry {
  std::string name;  // as the system spells it (UTF-8 on this platform)
  bool isFolder = false;
};

// False when the folder cannot be read; "." and ".." are left out.
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);

// True when the path names a folder (following links).
bool IsFolder(const std::string& path);

// The home folder ($HOME), without a trailing separator.
std::string HomeFolder();

// A folder of the XDG user dirs ("XDG_DESKTOP_DIR", "XDG_DOCUMENTS_DIR")
// as user-dirs.dirs names it (lines KEY="$HOME/Name" or KEY="/path");
// empty when the text does not name it.
std::string UserDirFromConfig(const std::string& config, const std::string& key, const std::string& home);

struct Drive {
  std::string label;  // "/", "Home", "usb-stick", ...
  std::string root;   // its folder, ending with the separator
  std::string kind;   // "(Root)", "(Home Folder)", "(Desktop)", "(Removable Disk)", ...
  bool ready = true;  // false: it does not answer
};

// The root, the home folder, the desktop and documents folders of the XDG
// user dirs, and the mounted volumes.
std::vector<Drive> ListDrives();

}  // namespace tovalia
