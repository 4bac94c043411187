// Importing one source from start to end, the same for the window and the
// command line: the source's checks, the chosen way of importing, and the
// chapter shown afterwards.
#pragma once

#include <string>
#include <vector>

#include "db/database.h"
#include "interchange/auto_import.h"
#include "interchange/import_lines.h"

namespace tovalia {

enum class ImportWay { kAutomatic, kManual, kInformationRecord };

struct ImportRequest {
  std::string sourcePath;
  bool fromClipboard = false;  // the source is the clipboard's text in Temp.dat
  ImportWay way = ImportWay::kAutomatic;
  bool sortByCategory = false;
  ImportedRecordCheck checkRecord = {};  // the spell check, when it is on
};

struct ImportOutcome {
  std::string refusal;  // the message when the source or the chapter was refused
  ImportResult result;
  bool truncated = false;  // an information record reached 999 lines
  std::string nothingStored;  // why nothing was stored, when nothing was
  // Manual import was chosen, or the automatic one recognised no recipe:
  // the window lets the user mark the recipes by hand.
  bool turnToManual = false;
};

// The message that refuses a source, or an empty text: a recipe database
// file, a missing source, a folder, an unreadable file, one of fewer than 80
// bytes.
std::string CheckImportSource(const std::string& path, bool fromClipboard);

// What the user is told after an import that went through: the recipes
// that could not be stored and the records cut at the size limit, by name.
std::vector<std::string> ImportSummary(const ImportOutcome& outcome);
// What the user is told when an import stored nothing.
std::string NothingImportedMessage(bool fromClipboard);

// Imports into the current chapter, or by category. With something stored,
// the index is sorted and the chapter of the last stored recipe opened with
// its first recipe current. Manual import is left to the caller.
ImportOutcome RunImport(Database& db, const ImportRequest& request, const TitlePrompt& askForTitle);

// Where the request files recipes: the current chapter, or by category.
ImportOptions ImportOptionsFor(const Database& db, const ImportRequest& request);

// After recipes were stored: the index sorted, the chapter of the last one
// opened with its first recipe current. Nothing when none was stored.
void ShowImportedChapter(Database& db, const ImportResult& result);

}  // namespace tovalia
