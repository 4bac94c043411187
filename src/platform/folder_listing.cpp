#include "platform/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

namespace tovalia {

namespace {

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

// The user's desktop and documents folders, when they exist and are not
// the home folder itself.
void AddUserFolders(const std::string& home, std::vector<Drive>& drives) {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const std::string configPath =
      (configHome && *configHome ? std::string(configHome) : home + "/.config") + "/user-dirs.dirs";
  std::string config;
  if (std::FILE* file = std::fopen(configPath.c_str(), "r")) {
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) config.append(chunk, got);
    std::fclose(file);
  }
  const struct {
    const char* key;
    const char* fallback;
    const char* label;
    const char* kind;
  } folders[] = {{"XDG_DESKTOP_DIR", "Desktop", "Desktop", "(Desktop)"},
                 {"XDG_DOCUMENTS_DIR", "Documents", "Documents", "(Documents)"}};
  for (const auto& f : folders) {
    std::string path = UserDirFromConfig(config, f.key, home);
    if (path.empty()) path = home + "/" + f.fallback;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    if (path == home || !IsFolder(path)) continue;
    drives.push_back({f.label, path + "/", f.kind, Readable(path + "/")});
  }
}

}  // namespace

bool IsFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = home ? home : "";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string UserDirFromConfig(const std::string& config, const std::string& key, const std::string& home) {
  size_t start = 0;
  while (start < config.size()) {
    size_t end = config.find('\n', start);
    if (end == std::string::npos) end = config.size();
    std::string line = config.substr(start, end - start);
    start = end + 1;
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    line = line.substr(first);
    if (line.rfind(key + "=", 0) != 0) continue;
    std::string value = line.substr(key.size() + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return value.empty() || value[0] != '/' ? std::string() : value;
  }
  return {};
}

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
  if (const std::string home = HomeFolder(); !home.empty() && home != "/") {
    drives.push_back({"Home", home + "/", "(Home Folder)", Readable(home + "/")});
    AddUserFolders(home, drives);
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
