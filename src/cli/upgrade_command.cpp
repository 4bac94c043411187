#include "cli/upgrade_command.h"

#include "cli/command_line.h"
#include "platform/program_folder.h"
#include "upgrade/older_versions.h"
#include "upgrade/upgrade_copy.h"

namespace tovalia {

namespace {

int ListOlderVersions(CommandContext& c) {
  const UpgradeScope scope = FindUpgradeScope(UpgradeEnvironment::FromSystem(ProgramFolder()));
  for (const UpgradeCandidate& candidate : FindOlderVersions(scope, c.db.paths.dataFolder, *c.db.progress))
    c.out << candidate.version << '\t' << candidate.folder << '\n';
  return kExitOk;
}

int CopyFrom(CommandContext& c, const std::string& folder) {
  // The folder itself, or its data folder, as the search would take it.
  CandidateFolders candidate(c.db.paths.dataFolder, {});
  candidate.Add(folder.empty() || folder.back() == '/' ? folder : folder + "/");
  if (candidate.Folders().empty()) {
    c.err << "There is no collection of an earlier installation in " << folder
          << " (no Recipe34.dat there or in its tv_data folder), or it is the current data folder.\n";
    return kExitFailed;
  }
  const UpgradeCopyReport report = CopyOlderVersion(c.db.paths, candidate.Folders()[0], BackupStamp());
  if (!report.done) {
    c.err << report.error << '\n';
    return kExitFailed;
  }
  for (const std::string& file : report.copied) c.out << "copied\t" << file << '\n';
  if (!report.backupFolder.empty()) c.out << "replaced files kept in\t" << c.db.paths.dataFolder << report.backupFolder << "/\n";
  // The copied recipe file brings its own dead space and needs its index rebuilt.
  PutNumberSetting(c.settings, setting::kWastedBytes, 0);
  BringDatabaseUp(c.db, c.settings);
  c.out << "recipes\t" << c.db.recipeCount << '\n';
  return kExitOk;
}

}  // namespace

ParsedCommand ParseUpgrade(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "--list")
    return {[](CommandContext& c) { return ListOlderVersions(c); }, {}, FolderAccess::kRead};
  if (args.size() == 2 && args[0] == "--from" && !args[1].empty())
    return {[folder = args[1]](CommandContext& c) { return CopyFrom(c, folder); }, {}};
  return {nullptr, "\"upgrade\" takes --list, or --from FOLDER."};
}

}  // namespace tovalia
