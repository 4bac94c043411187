#include "interchange/import_command.h"

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

constexpr int64_t kSmallestImport = 80;
// A summary names this many recipes, then counts the rest.
constexpr size_t kNamesInSummary = 10;

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Names(const std::vector<std::string>& titles) {
  std::string text;
  for (size_t i = 0; i < titles.size() && i < kNamesInSummary; ++i) text += (i == 0 ? "" : ", ") + titles[i];
  if (titles.size() > kNamesInSummary) text += " and " + std::to_string(titles.size() - kNamesInSummary) + " more";
  return text;
}

}  // namespace

std::string CheckImportSource(const std::string& path, bool fromClipboard) {
  if (FolderExists(path)) return "A folder cannot be imported?";
  if (!FileExists(path)) return fromClipboard ? "No text on the clipboard" : "File Not Found?";
  if (!FileReadable(path)) return "File cannot be read?";
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
  const ImportOptions options = ImportOptionsFor(db, request);
  if (options.chapterNumber < 0 && !options.sortByCategory) {
    outcome.refusal = "Cannot import recipes to selected chapter";
    return outcome;
  }
  switch (request.way) {
    case ImportWay::kInformationRecord:
      outcome.result = ImportAsInformationRecord(db, request.sourcePath, options, outcome.truncated);
      break;
    case ImportWay::kManual:
      outcome.turnToManual = true;
      return outcome;
    case ImportWay::kAutomatic: {
      const AutomaticImport run = ImportAutomatically(db, request.sourcePath, options, askForTitle);
      outcome.result = run.result;
      if (run.unreadable) {
        outcome.nothingStored = "File cannot be read?";
      } else if (run.result.stored == 0 && run.result.notStored.empty()) {
        // Nothing recognised: the recipes of a text can still be marked by
        // hand (a web page's markup is no text to mark).
        outcome.nothingStored =
            run.webPage ? "The web page holds no recipe?" : NothingImportedMessage(request.fromClipboard);
        outcome.turnToManual = !run.webPage;
      }
      break;
    }
  }
  if (outcome.result.stored == 0 && outcome.nothingStored.empty() && !outcome.result.notStored.empty())
    outcome.nothingStored = "No recipe could be stored?";
  ShowImportedChapter(db, outcome.result);
  return outcome;
}

ImportOptions ImportOptionsFor(const Database& db, const ImportRequest& request) {
  ImportOptions options;
  options.sortByCategory = request.sortByCategory;
  options.checkRecord = request.checkRecord;
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  options.chapterNumber = row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes;
  return options;
}

void ShowImportedChapter(Database& db, const ImportResult& result) {
  if (result.stored <= 0) return;
  SortIndex(db);
  FindChapterRow(db, result.lastChapter);
  db.listPosition = 0;
  db.firstVisibleTitle = 0;
  BuildCurrentList(db);
  SelectOnly(db, 0);
}

std::vector<std::string> ImportSummary(const ImportOutcome& outcome) {
  std::vector<std::string> lines;
  const ImportResult& r = outcome.result;
  if (!r.notStored.empty())
    lines.push_back(Counted(r.notStored.size(), "recipe", "recipes") + " could not be stored: " + Names(r.notStored));
  if (!r.cutShort.empty())
    lines.push_back(Counted(r.cutShort.size(), "record was", "records were") + " cut at 64,990 bytes: " + Names(r.cutShort));
  return lines;
}

}  // namespace tovalia
