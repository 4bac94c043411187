#include "upgrade/windows_paths.h"

#include <filesystem>
#include <system_error>

#include "db/cp1252.h"

namespace tovalia {

namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

}  // namespace

std::string FindIgnoringCase(const std::string& folder, std::string_view name) {
  std::error_code error;
  const fs::path exact = fs::path(folder) / std::string(name);
  const std::string suffix = fs::is_directory(exact, error) ? "/" : "";
  if (fs::exists(exact, error)) return exact.string() + suffix;
  std::string found;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (SameIgnoringCase(entry, name)) {
      found = it->path().string() + (it->is_directory(error) ? "/" : "");
      break;
    }
  }
  return found;
}

std::string ResolveIgnoringCase(const std::string& folder, std::string_view relative) {
  std::string path = WithSeparator(folder);
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(start, end - start);
    if (!part.empty() && part != ".") {
      path = FindIgnoringCase(path, part);
      if (path.empty()) return {};
    }
    start = end + 1;
  }
  return path;
}

std::string CanonicalFolder(const std::string& folder) {
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return {};
  fs::path canonical = fs::canonical(folder, error);
  return error ? std::string() : WithSeparator(canonical.string());
}

std::string WindowsPathToLocal(const DriveMap& drives, std::string_view windowsPath) {
  if (windowsPath.size() < 3 || windowsPath[1] != ':') return {};
  const char letter = static_cast<char>(LowerCase(std::string(1, windowsPath[0]))[0]);
  auto drive = drives.find(letter);
  if (drive == drives.end()) return {};
  std::string_view rest = windowsPath.substr(2);
  const size_t lastSeparator = rest.find_last_of("/\\");
  const std::string folder =
      ResolveIgnoringCase(drive->second, rest.substr(0, lastSeparator == std::string_view::npos ? 0 : lastSeparator));
  if (folder.empty()) return {};
  const std::string_view file = lastSeparator == std::string_view::npos ? rest : rest.substr(lastSeparator + 1);
  if (file.empty()) return folder;
  const std::string existing = FindIgnoringCase(folder, file);
  return existing.empty() ? folder + std::string(file) : existing;
}

}  // namespace tovalia
