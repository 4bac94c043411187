#include "interchange/import_command.h"

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {
constexpr int64_t kSmallestImport = 80;
}

std::string CheckImportSource(const std::string& path, bool fromClipboard) {
  if (!FileExists(path)) return fromClipboard ? "No text on the clipboard" : "File Not Found?";
  DataFile file = OpenDataFile("i", path);
  const int64_t length = FileLength(file);
  uint8_t head[kRecordHeaderSize] = {};
  const int32_t got = ReadRaw(file, head, static_cast<int32_t>(std::min<int64_t>(length, kRecordHeaderSize)));
  if (got >= 8 && LoadI32(head + header::kRecordTag) == LoadI32(reinterpret_cast<const uint8_t*>(kRecordTag)))
    return "Tovalia data files cannot be imported directly";
  if (length < kSmallestImport) return "File is too small to import";
  return {};
}

std::string NothingImportedMessage(bool fromClipboard) {
  return fromClipboard ? "No recipes were found in the text" : "No recipes were found in this file";
}

ImportOutcome RunImport(Database& db, const ImportRequest& request, const TitlePrompt& askForTitle) {
  ImportOutcome outcome;
  outcome.refusal = CheckImportSource(request.sourcePath, request.fromClipboard);
  if (!outcome.refusal.empty()) return outcome;
  ImportOptions options;
  options.sortByCategory = request.sortByCategory;
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  options.chapterNumber = row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes;
  if (options.chapterNumber < 0 && !options.sortByCategory) {
    outcome.refusal = "Cannot import recipes to selected chapter";
    return outcome;
  }
  switch (request.way) {
    case ImportWay::kInformationRecord:
      outcome.result = ImportAsInformationRecord(db, request.sourcePath, options, outcome.truncated);
      break;
    case ImportWay::kAutomatic:
    case ImportWay::kManual:
      // Manual import takes over where the automatic one finds nothing,
      // once it exists.
      outcome.result = ImportAutomatically(db, request.sourcePath, options, askForTitle);
      break;
  }
  if (outcome.result.stored > 0) {
    SortIndex(db);
    FindChapterRow(db, outcome.result.lastChapter);
    db.listPosition = 0;
    db.firstVisibleTitle = 0;
    BuildCurrentList(db);
    SelectOnly(db, 0);
  }
  return outcome;
}

}  // namespace tovalia
