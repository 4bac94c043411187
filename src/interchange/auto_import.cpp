#include "interchange/auto_import.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "interchange/import_pass.h"
#include "interchange/recipe_writer.h"
#include "interchange/source_text.h"
#include "interchange/structured_import.h"

namespace tovalia {

namespace {

constexpr size_t kMostInformationLines = 999;

void ShowImportProgress(Database& db, const ImportResult& result, int64_t done, int64_t total) {
  db.progress->ShowProgress("Importing Recipes", std::to_string(result.stored) + " Found", done, total);
}

}  // namespace

AutomaticImport ImportAutomatically(Database& db, const std::string& sourcePath, const ImportOptions& options,
                                    const TitlePrompt& askForTitle) {
  AutomaticImport run;
  std::string text;
  if (!ReadSourceText(sourcePath, text)) {
    run.unreadable = true;
    return run;
  }
  ImportResult& result = run.result;
  const StructuredKind kind = DetectStructuredKind(text);
  run.webPage = kind == StructuredKind::kWebPage;
  if (kind != StructuredKind::kNone) {
    const std::vector<ImportedRecipe> recipes = ReadStructuredRecipes(kind, text);
    for (size_t i = 0; i < recipes.size(); ++i) {
      WriteImportedRecipe(db, recipes[i], options, askForTitle, result);
      ShowImportProgress(db, result, static_cast<int64_t>(i + 1), static_cast<int64_t>(recipes.size()));
      db.progress->PumpMessages(0);
      if (db.progress->StopRequested()) break;
    }
    db.progress->CloseProgress();
    return run;
  }

  ImportPass pass([&](ImportedRecipe&& recipe) { WriteImportedRecipe(db, recipe, options, askForTitle, result); });
  SourceLines lines(text);
  const int64_t length = static_cast<int64_t>(lines.Size());
  std::string line;
  int lastPercent = -1;
  bool stopped = false;
  while (lines.Next(line)) {
    pass.Line(line);
    // The progress text is made only when the bar can change.
    const int64_t position = static_cast<int64_t>(lines.Position());
    const int percent = static_cast<int>(position * 100 / std::max<int64_t>(length, 1));
    if (percent != lastPercent) {
      ShowImportProgress(db, result, position, length);
      lastPercent = percent;
    }
    db.progress->PumpMessages(0);
    if (db.progress->StopRequested()) {
      stopped = true;
      break;
    }
  }
  if (!stopped) pass.End();
  db.progress->CloseProgress();
  return run;
}

ImportResult ImportAsInformationRecord(Database& db, const std::string& sourcePath,
                                       const ImportOptions& options, bool& truncated) {
  truncated = false;
  ImportResult result;
  std::string text;
  if (!ReadSourceText(sourcePath, text)) return result;
  ClearCurrentRecord(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindTextRecord);
  const size_t slash = sourcePath.find_last_of('/');
  const std::string title = Utf8ToCp1252(slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1));
  SetCurrentTitle(db, title);
  SourceLines lines(text, SourceLines::Length::kInPieces);
  std::string line;
  size_t count = 0;
  bool whole = true;
  while (count < kMostInformationLines && lines.Next(line)) {
    whole = AppendIngredientsText(db, line + "\r") && whole;
    ++count;
  }
  truncated = count >= kMostInformationLines;
  result.lastChapter = StoreImportedRecipe(db, "", options);
  if (result.lastChapter >= 0) {
    result.stored = 1;
    result.perChapter[result.lastChapter] = 1;
    if (!whole) result.cutShort.push_back(title);
  } else {
    result.notStored.push_back(title);
  }
  ClearCurrentRecord(db);
  return result;
}

}  // namespace tovalia
