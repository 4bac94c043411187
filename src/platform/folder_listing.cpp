#include "platform/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>

namespace tovalia {

namespace {

bool IsFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Readable(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  ::closedir(dir);
  return true;
}

// Mounted volumes live one level below these folders.
void AddVolumesUnder(const std::string& parent, std::vector<Drive>& drives) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(parent, entries)) return;
  for (const FolderEntry& e : entries) {
    if (!e.isFolder) continue;
    std::string root = parent + e.name + "/";
    drives.push_back({e.name, root, "(Removable Disk)", Readable(root)});
  }
}

}  // namespace

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = e->d_type == DT_DIR;
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) isFolder = IsFolder(folder + name);
    entries.push_back({name, isFolder});
  }
  ::closedir(dir);
  return true;
}

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  drives.push_back({"/", "/", "(Root)", true});
  if (const char* home = std::getenv("HOME"); home && *home) {
    std::string root = home;
    if (root.back() != '/') root += '/';
    drives.push_back({"Home", root, "(Home Folder)", Readable(root)});
  }
  const char* user = std::getenv("USER");
  AddVolumesUnder("/mnt/", drives);
  AddVolumesUnder("/media/", drives);
  if (user && *user) {
    // /media/USER holds the user's volumes rather than being one.
    std::erase_if(drives, [&](const Drive& d) { return d.root == std::string("/media/") + user + "/"; });
    AddVolumesUnder(std::string("/media/") + user + "/", drives);
    AddVolumesUnder(std::string("/run/media/") + user + "/", drives);
  }
  return drives;
}

}  // namespace tovalia
