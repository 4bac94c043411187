#include "platform/program_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace tovalia {

namespace {

constexpr char kDataFolderName[] = "tv_data/";
// Beside an installed program's bin/ folder.
constexpr char kInstalledResources[] = "share/tovalia/";

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Files can be made and changed inside the folder.
bool IsWritableFolder(const std::string& path) {
  return IsFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return {};
}

}  // namespace

std::string ProgramFolder() {
  std::vector<char> path(4096);
  ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return "./";
  std::string exe(path.data(), static_cast<size_t>(length));
  size_t slash = exe.find_last_of('/');
  return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

namespace {

// The prefix an installed program's bin/ folder lies in, ending with the
// separator; empty when the folder is not called bin.
std::string InstallPrefix(const std::string& programFolder) {
  const std::string folder = WithSeparator(programFolder);
  if (folder == "/bin/" || (folder.size() > 4 && folder.compare(folder.size() - 5, 5, "/bin/") == 0))
    return folder.substr(0, folder.size() - 4);
  return folder == "bin/" ? "./" : "";
}

}  // namespace

bool IsInstalledProgram(const std::string& programFolder) {
  const std::string prefix = InstallPrefix(programFolder);
  return !prefix.empty() && IsFolder(prefix + kInstalledResources);
}

std::string ResourceFolder(const std::string& programFolder) {
  const std::string beside = WithSeparator(programFolder);
  if (!IsFile(beside + "Help.htm") && IsInstalledProgram(beside))
    return InstallPrefix(beside) + kInstalledResources;
  return beside;
}

std::string ResourceFolder() { return ResourceFolder(ProgramFolder()); }

DataFolderChoice ChooseDataFolder(const DataFolderSources& sources) {
  if (!sources.fromCommandLine.empty())
    return {WithSeparator(sources.fromCommandLine), DataFolderOrigin::kCommandLine};
  if (!sources.fromEnvironment.empty())
    return {WithSeparator(sources.fromEnvironment), DataFolderOrigin::kEnvironment};

  const std::string programFolder = WithSeparator(sources.programFolder);
  const std::string beside = programFolder + kDataFolderName;
  // A tv_data/ that is there and writable is used wherever the program is;
  // a portable program in a writable folder makes its own.
  if (IsWritableFolder(beside) ||
      (!IsFolder(beside) && !IsInstalledProgram(programFolder) && IsWritableFolder(programFolder)))
    return {beside, DataFolderOrigin::kBesideProgram};

  // Relative values of XDG_DATA_HOME are invalid and ignored.
  std::string dataHome = sources.xdgDataHome;
  if (dataHome.empty() || dataHome[0] != '/') {
    if (sources.home.empty()) return {beside, DataFolderOrigin::kBesideProgram};
    dataHome = WithSeparator(sources.home) + ".local/share";
  }
  return {WithSeparator(dataHome) + "tovalia/" + kDataFolderName, DataFolderOrigin::kUserDataHome};
}

DataFolderChoice ChooseDataFolder(const std::string& fromCommandLine) {
  DataFolderSources sources;
  sources.fromCommandLine = fromCommandLine;
  sources.fromEnvironment = Environment("TOVALIA_DATA");
  sources.programFolder = ProgramFolder();
  sources.xdgDataHome = Environment("XDG_DATA_HOME");
  sources.home = HomeFolder();
  return ChooseDataFolder(sources);
}

std::string ResolveDataFolder(const std::string& fromCommandLine) {
  return ChooseDataFolder(fromCommandLine).folder;
}

std::string DescribeOrigin(DataFolderOrigin origin) {
  switch (origin) {
    case DataFolderOrigin::kCommandLine: return "given by --data";
    case DataFolderOrigin::kEnvironment: return "named by TOVALIA_DATA";
    case DataFolderOrigin::kBesideProgram: return "beside the program";
    case DataFolderOrigin::kUserDataHome: return "the user's data folder";
  }
  return {};
}

std::string DefaultFileFolder() {
  const std::string programFolder = ProgramFolder();
  if (!IsInstalledProgram(programFolder)) return programFolder;
  const std::string home = HomeFolder();
  return home.empty() ? programFolder : WithSeparator(home);
}

std::string FileToOpen(const std::string& given, std::string& refusal) {
  struct stat info;
  if (::stat(given.c_str(), &info) != 0) {
    refusal = "there is no file \"" + given + "\"";
    return {};
  }
  if (S_ISDIR(info.st_mode)) {
    refusal = "\"" + given + "\" is a folder; name a file of recipes to import";
    return {};
  }
  char* full = ::realpath(given.c_str(), nullptr);
  if (!full) {
    refusal = "cannot open \"" + given + "\"";
    return {};
  }
  std::string path(full);
  std::free(full);
  return path;
}


bool MakeFolder(const std::string& path) {
  std::string partial;
  for (size_t i = 0; i < path.size(); ++i) {
    partial += path[i];
    if ((path[i] == '/' || i + 1 == path.size()) && partial != "/") {
      if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  return IsFolder(path);
}

}  // namespace tovalia
