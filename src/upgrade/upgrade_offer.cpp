#include "upgrade/upgrade_offer.h"

#include "db/cp1252.h"
#include "platform/program_folder.h"
#include "ui/choice_list.h"
#include "ui/message_box.h"
#include "ui/text_split.h"
#include "upgrade/older_versions.h"
#include "upgrade/upgrade_copy.h"

namespace tovalia {

bool OfferUpgrade(App& app, UpgradeAsker asker) {
  Database& db = app.db;
  const UpgradeScope scope = FindUpgradeScope(UpgradeEnvironment::FromSystem(ProgramFolder()));
  const std::vector<UpgradeCandidate> candidates = FindOlderVersions(scope, db.paths.dataFolder, *db.progress);
  if (candidates.empty()) {
    if (asker == UpgradeAsker::kUser)
      ShowNotice(app.ui, "No earlier version of Tovalia was found|on this computer.");
    return false;
  }
  std::string labels;
  for (const UpgradeCandidate& candidate : candidates)
    labels += (labels.empty() ? "" : "|") + OneItem(Utf8ToCp1252(candidate.label), 90);
  int result = 1, selection = 0;
  ChooseFromList(app.ui, "Would you like to upgrade from one of these older versions?", labels, "OK|Cancel",
                 result, selection);
  if (result != 0 || selection < 0 || selection >= static_cast<int>(candidates.size())) return false;
  const UpgradeCandidate& chosen = candidates[static_cast<size_t>(selection)];

  db.progress->ShowProgress("Copying Files...", "", 0, 1);
  const UpgradeCopyReport report = CopyOlderVersion(db.paths, chosen.folder, BackupStamp());
  db.progress->CloseProgress();
  if (!report.done) {
    ShowNotice(app.ui, OneItem(Utf8ToCp1252(report.error), 90));
    return false;
  }
  std::string message = "Upgrade from " + chosen.version + " complete.||Your recipes, groceries, and meal plans|"
                        "have been copied to this version.";
  if (!report.backupFolder.empty())
    message += "||The files they replaced are kept in|" + OneItem(report.backupFolder, 90);
  ShowNotice(app.ui, message);
  return true;
}

}  // namespace tovalia
