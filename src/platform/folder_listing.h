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

struct Drive {
  std::string label;  // "/", "Home", "usb-stick", ...
  std::string root;   // its folder, ending with the separator
  std::string kind;   // "(Root)", "(Home Folder)", "(Removable Disk)"
  bool ready = true;  // false: it does not answer
};

std::vector<Drive> ListDrives();

}  // namespace tovalia
