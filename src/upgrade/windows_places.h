// Where files of an earlier installation can be on this system: Windows
// systems reachable as Wine prefixes or mounted partitions, each with its
// drives and shell folders, and folders of earlier copies of this program.
#pragma once

#include <string>
#include <vector>

#include "upgrade/windows_paths.h"

namespace tovalia {

struct WindowsPlace {
  DriveMap drives;                        // "c" is the first drive
  std::string firstDrive;                 // the root of drive C
  std::vector<std::string> programFiles;  // "Program Files" and "Program Files (x86)"
  std::vector<std::string> documents;     // every user's documents folder
  std::vector<std::string> desktops;      // every user's desktop and the common one
  std::vector<std::string> startMenus;    // every user's start menu and the common one
  std::string machineRegistry;            // system.reg of a Wine prefix, if any
};

// What the search looks at, taken from the environment; tests make their own.
struct UpgradeEnvironment {
  std::string home;        // $HOME
  std::string winePrefix;  // $WINEPREFIX
  std::string user;        // $USER
  std::vector<std::string> mountRoots;     // folders whose subfolders may be Windows partitions
  std::vector<std::string> programFolders;  // folders that may hold earlier copies of this program

  static UpgradeEnvironment FromSystem(const std::string& programFolder);
};

struct UpgradeScope {
  std::vector<WindowsPlace> places;
  std::vector<std::string> linuxFolders;  // earlier data folders of this program on this system
};

UpgradeScope FindUpgradeScope(const UpgradeEnvironment& environment);

}  // namespace tovalia
