#include "upgrade/upgrade_copy.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "db/clock.h"
#include "db/data_file.h"
#include "upgrade/windows_paths.h"

namespace tovalia {

namespace fs = std::filesystem;

namespace {

struct CopiedFile {
  const char* oldName;       // as earlier versions wrote it
  std::string DataPaths::*path;
};

const CopiedFile kCopied[] = {{"event40.dat", &DataPaths::eventFile},
                              {"grocer30.dat", &DataPaths::groceryFile},
                              {"recipe34.dat", &DataPaths::recipeFile}};

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

// Through a temporary file that is flushed and renamed, so the target is
// the old file or the whole new one.
bool CopyWhole(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  const std::string temporary = to + ".new";
  {
    DataFile out = OpenDataFile("o", temporary);
    if (!out.IsOpen()) return false;
    std::vector<char> chunk(1 << 20);
    bool written = true;
    while (written && in) {
      in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      written = WriteRaw(out, chunk.data(), static_cast<size_t>(in.gcount()));
    }
    if (!written || in.bad() || !SyncDataFile(out)) {
      CloseDataFile(out);
      DeleteDataFile(temporary);
      return false;
    }
  }
  if (!RenameDataFile(temporary, to)) {
    DeleteDataFile(temporary);
    return false;
  }
  SyncFolderOf(to);
  return true;
}

std::string FreshBackupFolder(const std::string& dataFolder, const std::string& stamp) {
  std::string name = "before-upgrade-" + stamp;
  std::error_code error;
  for (int n = 2; fs::exists(dataFolder + name, error); ++n) name = "before-upgrade-" + stamp + "-" + std::to_string(n);
  return name;
}

}  // namespace

std::string BackupStamp() {
  const LocalDate today = Today();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02d%02d", today.year, today.month, today.day, local.tm_hour,
                local.tm_min);
  return text;
}

UpgradeCopyReport CopyOlderVersion(const DataPaths& paths, const std::string& fromFolder, const std::string& stamp) {
  UpgradeCopyReport report;
  const std::string from = CanonicalFolder(fromFolder);
  if (from.empty()) {
    report.error = "The folder " + fromFolder + " cannot be read.";
    return report;
  }
  if (from == CanonicalFolder(paths.dataFolder)) {
    report.error = "That is the current data folder.";
    return report;
  }
  std::vector<std::pair<std::string, std::string>> copies;  // source, target
  for (const CopiedFile& file : kCopied) {
    const std::string source = FindIgnoringCase(from, file.oldName);
    if (!source.empty() && source.back() != '/') copies.emplace_back(source, paths.*file.path);
  }
  if (copies.empty()) {
    report.error = "The folder " + fromFolder + " holds no recipes, groceries or meals to copy.";
    return report;
  }

  // Move aside what will be replaced, and the index that no longer fits.
  std::vector<std::string> replaced;
  for (const auto& [source, target] : copies)
    if (FileExists(target)) replaced.push_back(target);
  if (FileExists(paths.indexFile)) replaced.push_back(paths.indexFile);
  std::vector<std::pair<std::string, std::string>> moved;  // from, to
  auto putBack = [&] {
    for (auto it = moved.rbegin(); it != moved.rend(); ++it) RenameDataFile(it->second, it->first);
    std::error_code ignored;
    if (!report.backupFolder.empty()) fs::remove(paths.dataFolder + report.backupFolder, ignored);  // only if empty
  };
  if (!replaced.empty()) {
    report.backupFolder = FreshBackupFolder(paths.dataFolder, stamp);
    std::error_code error;
    fs::create_directory(paths.dataFolder + report.backupFolder, error);
    for (const std::string& file : replaced) {
      const std::string aside = paths.dataFolder + report.backupFolder + "/" + FileName(file);
      if (error || !RenameDataFile(file, aside)) {
        putBack();
        report.error = "The current files could not be moved into " + report.backupFolder + "; nothing was copied.";
        report.backupFolder.clear();
        return report;
      }
      moved.emplace_back(file, aside);
    }
  }

  for (const auto& [source, target] : copies) {
    if (!CopyWhole(source, target)) {
      for (const auto& done : report.copied) DeleteDataFile(paths.dataFolder + done);
      putBack();
      report.error = "The file " + source + " could not be copied; the current files are unchanged.";
      report.backupFolder.clear();
      report.copied.clear();
      return report;
    }
    report.copied.push_back(FileName(target));
  }
  report.done = true;
  return report;
}

}  // namespace tovalia
