#include "upgrade/older_versions.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "upgrade/registry_file.h"
#include "upgrade/shortcut_file.h"

namespace tovalia {

namespace fs = std::filesystem;

namespace {

const char* const kUninstallKeys[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia_is1",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia 5.6_is1",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia 5.7_is1",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia 5.8_is1",
};

const char* const kSteps[] = {"Default Folders",   "Uninstall Entries", "Desktop Icons",    "Start Menu Entries",
                              "Identify Versions", "Sort Folders",      "Remove Duplicates"};

bool HoldsRecipeFile(const std::string& folder) {
  const std::string file = FindIgnoringCase(folder, "Recipe34.dat");
  return !file.empty() && file.back() != '/';
}

// At most `limit` bytes from the start of a file of another installation,
// read without creating or locking anything there.
std::string ReadStart(const std::string& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(limit, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(limit));
  bytes.resize(in ? limit : static_cast<size_t>(std::max<std::streamsize>(0, in.gcount())));
  return bytes;
}

constexpr size_t kMostRegistryBytes = 64 << 20;
constexpr size_t kMostShortcutBytes = 1 << 20;

std::string FileIn(const std::string& folder, std::string_view name) {
  if (folder.empty()) return {};
  const std::string file = FindIgnoringCase(folder, name);
  return !file.empty() && file.back() != '/' ? file : std::string();
}

// "5.8" for 5800: the thousands with their decimals, trailing zeros dropped.
std::string ThousandthsText(int32_t value) {
  std::string text = std::to_string(value / 1000);
  std::string decimals = std::to_string(1000 + value % 1000).substr(1);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  if (!decimals.empty()) text += "." + decimals;
  return text;
}

std::string ParentFolder(const std::string& folder) {
  const fs::path parent = fs::path(folder.substr(0, folder.size() - 1)).parent_path();
  return parent.empty() ? std::string() : parent.string() + "/";
}

// Every shortcut below the folder that names this program.
void AddShortcuts(CandidateFolders& candidates, const WindowsPlace& place, const std::string& folder) {
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = LowerCase(it->path().filename().string());
    if (!it->is_regular_file(error) || name.size() < 4 || name.compare(name.size() - 4, 4, ".lnk") != 0 ||
        name.find("tova") == std::string::npos)
      continue;
    const std::string program = ProgramPathInShortcut(ReadStart(it->path().string(), kMostShortcutBytes));
    if (!program.empty()) candidates.Add(WindowsPathToLocal(place.drives, program));
  }
}

}  // namespace

CandidateFolders::CandidateFolders(const std::string& currentDataFolder, const std::vector<std::string>& skipped)
    : current_(CanonicalFolder(currentDataFolder)) {
  for (const std::string& folder : skipped) {
    std::string canonical = CanonicalFolder(folder);
    if (!canonical.empty()) skipped_.push_back(canonical);
  }
}

bool CandidateFolders::Refused(const std::string& folder) const {
  return folder.empty() || folder == current_ || CanonicalFolder(folder + "tv_data") == current_ ||
         std::find(skipped_.begin(), skipped_.end(), folder) != skipped_.end();
}

void CandidateFolders::Add(const std::string& path) {
  const size_t separator = path.find_last_of('/');
  if (separator == std::string::npos || folders_.size() >= kMostUpgradeCandidates) return;
  std::string folder = CanonicalFolder(path.substr(0, separator + 1));
  if (Refused(folder)) return;
  if (!HoldsRecipeFile(folder)) {
    folder = CanonicalFolder(FindIgnoringCase(folder, "tv_data"));
    if (Refused(folder) || !HoldsRecipeFile(folder)) return;
  }
  if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) folders_.push_back(folder);
}

std::string VersionText(const std::string& folder, const std::map<std::string, std::string>& defaultVersions) {
  const std::string recipes = ReadStart(FileIn(folder, "recipe34.dat"), kRecordHeaderSize + 1);
  if (recipes.size() > static_cast<size_t>(kRecordHeaderSize) &&
      static_cast<uint8_t>(recipes[header::kRecordKind]) == kKindFileHeader) {
    const int32_t version = LoadI32(reinterpret_cast<const uint8_t*>(recipes.data()) + header::kFileVersion);
    return "Version  " + ThousandthsText(version) + " - ";
  }
  if (!FileIn(folder, "setup34.dat").empty()) return "Version 3.x - ";
  if (auto known = defaultVersions.find(folder); known != defaultVersions.end()) return known->second;
  std::string program = FileIn(folder, "tovalia.exe");
  if (program.empty()) program = FileIn(ParentFolder(folder), "tovalia.exe");
  std::error_code error;
  const auto size = program.empty() ? 0 : static_cast<int64_t>(fs::file_size(program, error));
  if (error) return {};
  static const std::pair<int64_t, const char*> kSizes[] = {
      {624000, "Version 5.6 - "}, {568000, "Version 5.4 - "}, {566000, "Version 5.5 - "}, {537000, "Version 5.3 - "},
      {530000, "Version 5.1 - "}, {419000, "Version 4.9 - "}, {360000, "Version 3.x - "}};
  for (const auto& [limit, text] : kSizes)
    if (size > limit) return text;
  return {};
}

std::vector<UpgradeCandidate> FindOlderVersions(const UpgradeScope& scope, const std::string& currentDataFolder,
                                                Progress& progress) {
  auto step = [&progress](int number) {
    progress.ShowProgress("Checking Upgrade Status", kSteps[number], number, 7);
    progress.PumpMessages(0);
  };

  // 1. Default folders, remembering the versions they stand for.
  step(0);
  std::vector<std::string> skipped;
  std::map<std::string, std::string> defaultVersions;
  std::vector<std::string> defaults;
  auto addDefault = [&](const std::string& base, std::string_view relative, const char* version) {
    const std::string folder = CanonicalFolder(ResolveIgnoringCase(base, relative));
    if (folder.empty()) return;
    defaults.push_back(folder);
    if (version) defaultVersions.emplace(folder, version);  // the first default named wins
  };
  for (const WindowsPlace& place : scope.places) {
    addDefault(place.firstDrive, "tovalia", "Version 4.9 - ");
    addDefault(place.firstDrive, "Tovalia", "Version 5.3 - ");
    for (const std::string& programFiles : place.programFiles) {
      addDefault(programFiles, "Tovalia 5.4", "Version 5.4 - ");
      addDefault(programFiles, "Tovalia 5.6/tv_data", "Version 5.6 - ");
      addDefault(programFiles, "Tovalia 5.7/tv_data", nullptr);
      addDefault(programFiles, "Tovalia 5.8/tv_data", nullptr);
      // That version kept its data in the documents folder, not beside the program.
      skipped.push_back(ResolveIgnoringCase(programFiles, "Tovalia 5.5"));
    }
    for (const std::string& documents : place.documents) addDefault(documents, "Tovalia 5.5", "Version 5.5 - ");
  }
  CandidateFolders candidates(currentDataFolder, skipped);
  for (const std::string& folder : defaults) candidates.Add(folder);

  // 2. Uninstall entries of each Windows system.
  step(1);
  for (const WindowsPlace& place : scope.places) {
    if (place.machineRegistry.empty()) continue;
    const std::vector<std::string> keys(std::begin(kUninstallKeys), std::end(kUninstallKeys));
    for (const std::string& value : ReadRegistryValues(ReadStart(place.machineRegistry, kMostRegistryBytes), keys, "UninstallString")) {
      std::string path = value;
      path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
      candidates.Add(WindowsPathToLocal(place.drives, TrimBlanks(path)));
    }
  }

  // 3-4. Shortcuts on the desktops and in the start menus.
  step(2);
  for (const WindowsPlace& place : scope.places)
    for (const std::string& desktop : place.desktops) AddShortcuts(candidates, place, desktop);
  step(3);
  for (const WindowsPlace& place : scope.places)
    for (const std::string& startMenu : place.startMenus) AddShortcuts(candidates, place, startMenu);
  for (const std::string& folder : scope.linuxFolders) candidates.Add(folder);

  // 5-7. Versions, order, each once.
  step(4);
  std::vector<UpgradeCandidate> found;
  for (const std::string& folder : candidates.Folders()) {
    const std::string version = VersionText(folder, defaultVersions);
    std::string trimmed = version.empty() ? "" : TrimBlanks(version.substr(0, version.rfind(" - ")));
    found.push_back({version + folder, trimmed, folder});
  }
  step(5);
  std::sort(found.begin(), found.end(),
            [](const UpgradeCandidate& a, const UpgradeCandidate& b) { return a.label < b.label; });
  step(6);
  found.erase(std::unique(found.begin(), found.end(),
                          [](const UpgradeCandidate& a, const UpgradeCandidate& b) { return a.label == b.label; }),
              found.end());
  progress.CloseProgress();
  return found;
}

}  // namespace tovalia
