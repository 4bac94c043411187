#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace tovalia {

namespace {
std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
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

std::string ResolveDataFolder(const std::string& fromCommandLine) {
  if (!fromCommandLine.empty()) return WithSeparator(fromCommandLine);
  const char* fromEnvironment = std::getenv("TOVALIA_DATA");
  if (fromEnvironment && *fromEnvironment) return WithSeparator(fromEnvironment);
  return ProgramFolder() + "tv_data/";
}

bool MakeFolder(const std::string& path) {
  std::string partial;
  for (size_t i = 0; i < path.size(); ++i) {
    partial += path[i];
    if ((path[i] == '/' || i + 1 == path.size()) && partial != "/") {
      if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tovalia
