#include "upgrade/windows_places.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

#include "db/cp1252.h"

namespace tovalia {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Subfolders(const std::string& folder) {
  std::vector<std::string> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_directory(error)) found.push_back(it->path().string() + "/");
  std::sort(found.begin(), found.end());
  return found;
}

void AddIfThere(std::vector<std::string>& list, const std::string& folder, std::string_view relative) {
  std::string path = ResolveIgnoringCase(folder, relative);
  if (!path.empty() && path.back() == '/') list.push_back(path);
}

// The shell folders of a Windows system whose drive C is `root`; the users'
// folders are under "Users" (or "users" in a Wine prefix).
WindowsPlace PlaceOnDrive(const std::string& root, const DriveMap& drives) {
  WindowsPlace place;
  place.drives = drives;
  place.drives['c'] = root;
  place.firstDrive = root;
  AddIfThere(place.programFiles, root, "Program Files");
  AddIfThere(place.programFiles, root, "Program Files (x86)");
  AddIfThere(place.desktops, root, "Users/Public/Desktop");
  AddIfThere(place.startMenus, root, "ProgramData/Microsoft/Windows/Start Menu");
  const std::string users = ResolveIgnoringCase(root, "Users");
  for (const std::string& user : users.empty() ? std::vector<std::string>{} : Subfolders(users)) {
    for (const char* documents : {"Documents", "My Documents"}) AddIfThere(place.documents, user, documents);
    AddIfThere(place.desktops, user, "Desktop");
    AddIfThere(place.startMenus, user, "AppData/Roaming/Microsoft/Windows/Start Menu");
  }
  return place;
}

// A Wine prefix: drive C is drive_c, other drives are links in dosdevices.
void AddWinePrefix(UpgradeScope& scope, std::set<std::string>& seen, const std::string& prefix) {
  const std::string folder = CanonicalFolder(prefix);
  if (folder.empty() || !seen.insert(folder).second) return;
  const std::string driveC = CanonicalFolder(folder + "drive_c");
  if (driveC.empty()) return;
  DriveMap drives;
  for (const std::string& device : Subfolders(folder + "dosdevices")) {
    // dosdevices/d: -> a folder; "d:/" as listed.
    const std::string name = fs::path(device.substr(0, device.size() - 1)).filename().string();
    if (name.size() == 2 && name[1] == ':') {
      const std::string target = CanonicalFolder(device);
      if (!target.empty()) drives[LowerCase(name.substr(0, 1))[0]] = target;
    }
  }
  WindowsPlace place = PlaceOnDrive(driveC, drives);
  std::string registry = FindIgnoringCase(folder, "system.reg");
  if (!registry.empty() && registry.back() != '/') place.machineRegistry = registry;
  scope.places.push_back(std::move(place));
}

bool LooksLikeWindows(const std::string& root) {
  return !FindIgnoringCase(root, "Program Files").empty() || !FindIgnoringCase(root, "Users").empty();
}

bool NamedLikeThisProgram(const std::string& folder) {
  const std::string name = LowerCase(fs::path(folder.substr(0, folder.size() - 1)).filename().string());
  return name.rfind("tovalia", 0) == 0;
}

}  // namespace

UpgradeEnvironment UpgradeEnvironment::FromSystem(const std::string& programFolder) {
  auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  UpgradeEnvironment environment;
  environment.home = variable("HOME");
  environment.winePrefix = variable("WINEPREFIX");
  environment.user = variable("USER");
  environment.mountRoots = {"/mnt/"};
  if (!environment.user.empty()) {
    environment.mountRoots.push_back("/media/" + environment.user + "/");
    environment.mountRoots.push_back("/run/media/" + environment.user + "/");
  }
  const std::string parent = fs::path(programFolder).parent_path().parent_path().string();
  environment.programFolders = {parent + "/", "/opt/"};
  if (!environment.home.empty()) environment.programFolders.push_back(environment.home + "/.local/share/");
  return environment;
}

UpgradeScope FindUpgradeScope(const UpgradeEnvironment& environment) {
  UpgradeScope scope;
  std::set<std::string> seen;
  if (!environment.winePrefix.empty()) AddWinePrefix(scope, seen, environment.winePrefix);
  if (!environment.home.empty()) {
    const std::string home = environment.home + "/";
    AddWinePrefix(scope, seen, home + ".wine");
    for (const char* prefixes :
         {".local/share/wineprefixes", ".local/share/bottles/bottles",
          ".var/app/com.usebottles.bottles/data/bottles/bottles", ".PlayOnLinux/wineprefix"})
      for (const std::string& prefix : Subfolders(home + prefixes)) AddWinePrefix(scope, seen, prefix);
  }
  for (const std::string& mountRoot : environment.mountRoots) {
    for (const std::string& volume : Subfolders(mountRoot)) {
      const std::string root = CanonicalFolder(volume);
      if (!root.empty() && LooksLikeWindows(root) && seen.insert(root).second)
        scope.places.push_back(PlaceOnDrive(root, {}));
    }
  }
  for (const std::string& folder : environment.programFolders)
    for (const std::string& copy : Subfolders(folder))
      if (NamedLikeThisProgram(copy)) scope.linuxFolders.push_back(copy);
  return scope;
}

}  // namespace tovalia
