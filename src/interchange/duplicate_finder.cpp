#include "interchange/duplicate_finder.h"

#include <algorithm>

#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

DuplicateFinding LocateDuplicates(Database& db, int32_t threshold) {
  DuplicateFinding finding;
  if (!GatherFingerprints(db, finding.fingerprints)) {
    finding.search.stopped = true;
    return finding;
  }
  finding.search = FindDuplicatePairs(finding.fingerprints, threshold, *db.progress);
  return finding;
}

std::unordered_map<int32_t, int32_t> EntriesByPosition(const Database& db) {
  std::unordered_map<int32_t, int32_t> entryAt;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o))
    if (EntryKind(db, o) < kKindChapter) entryAt.emplace(EntryPosition(db, o), o);
  return entryAt;
}

DuplicateDeletion DeleteMarkedDuplicates(Database& db, const std::vector<DuplicatePair>& pairs) {
  DuplicateDeletion deletion;
  const std::vector<int32_t> marked = MarkedPositions(pairs);
  const std::unordered_map<int32_t, int32_t> entryAt = EntriesByPosition(db);
  std::vector<int32_t> offsets;
  for (int32_t position : marked) {
    const auto found = entryAt.find(position);
    if (found != entryAt.end()) offsets.push_back(found->second);
  }
  if (!offsets.empty()) {
    deletion.report = DeleteEntries(db, offsets);
    if (deletion.report.Done()) {
      deletion.deleted = static_cast<int32_t>(offsets.size());
      deletion.compacted = CompactDatabase(db);
    }
  }
  BuildCurrentList(db);
  SelectOnly(db, db.listPosition);
  return deletion;
}

}  // namespace tovalia
