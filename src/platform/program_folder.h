// Where the running program lives, where its resources are, and where its
// data folder is.
#pragma once

#include <string>

namespace tovalia {

// The folder of the executable, ending with the separator.
std::string ProgramFolder();

// An installed program sits in a bin/ folder with its resources in
// ../share/tovalia/ (as `cmake --install` and the package lay it out); a
// program run from its build folder or copied anywhere with its own tv_data/
// is portable.
bool IsInstalledProgram(const std::string& programFolder);

// The folder that holds Help.htm and the other resources: the program folder
// when they lie beside the program, else PREFIX/share/tovalia/ of one
// installed in PREFIX/bin/. Ends with the separator.
std::string ResourceFolder(const std::string& programFolder);
std::string ResourceFolder();

enum class DataFolderOrigin { kCommandLine, kEnvironment, kBesideProgram, kUserDataHome };

struct DataFolderChoice {
  std::string folder;  // ends with the separator
  DataFolderOrigin origin = DataFolderOrigin::kBesideProgram;
};

// What the data folder is chosen from. Empty texts are unset.
struct DataFolderSources {
  std::string fromCommandLine;  // --data DIR
  std::string fromEnvironment;  // TOVALIA_DATA
  std::string programFolder;
  std::string xdgDataHome;  // XDG_DATA_HOME
  std::string home;         // HOME, or the user's home folder from the password file
};

// The data folder: --data, else TOVALIA_DATA, else tv_data/ beside the
// program when that folder is writable (or can be made there, for a portable
// program), else tv_data/ in the user's data folder:
// $XDG_DATA_HOME/tovalia/tv_data/, by default ~/.local/share/tovalia/tv_data/.
DataFolderChoice ChooseDataFolder(const DataFolderSources& sources);

// The same, from the command line's folder and this process's environment.
DataFolderChoice ChooseDataFolder(const std::string& fromCommandLine);
std::string ResolveDataFolder(const std::string& fromCommandLine);

// Why that folder, in words: "given by --data", "named by TOVALIA_DATA",
// "beside the program", "the user's data folder".
std::string DescribeOrigin(DataFolderOrigin origin);

// Where file choosers start before the user has picked a folder: the program
// folder of a portable program, the home folder of an installed one.
std::string DefaultFileFolder();

// The full path of a file handed to the program to open, or empty with the
// reason: no such file, a folder.
std::string FileToOpen(const std::string& given, std::string& refusal);

// Creates the folder (and its parents) when missing; false when it cannot.
bool MakeFolder(const std::string& path);

}  // namespace tovalia
