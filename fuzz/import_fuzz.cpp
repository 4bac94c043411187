// The input is a text to import. It is imported automatically by category
// (which reaches every reader: the text pass, the XML recipe reader,
// JSON-LD, MasterCook XML, RecipeML, whichever the bytes look like), as an
// information record, and by hand (its first lines marked as a recipe);
// then the duplicates among what was stored are found and the marked ones
// deleted. Whatever it holds, every stored record must load whole and the
// index must agree with the recipe file afterwards.
#include <cstdint>
#include <string>

#include "db/data_paths.h"
#include "db/database.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "fuzz_support.h"
#include "interchange/duplicate_finder.h"
#include "interchange/import_command.h"
#include "interchange/manual_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const DataPaths paths = DataPaths::ForDataFolder(fuzz::ScratchFolder());
  const std::string source = fuzz::ScratchFolder() + "source.txt";
  fuzz::WriteBytes(source, data, size);

  Database db(paths);
  LoadIndex(db);
  for (ImportWay way : {ImportWay::kAutomatic, ImportWay::kInformationRecord}) {
    ImportRequest request;
    request.sourcePath = source;
    request.way = way;
    request.sortByCategory = true;
    RunImport(db, request, [] { return std::string("Untitled"); });
  }
  std::vector<std::string> lines;
  if (ReadManualImportLines(source, lines) && lines.size() >= 3) {
    ManualSegments segments;
    segments.title = {0, 0};
    segments.yield = {1, 1};
    segments.ingredients = {1, 1};
    segments.directions = {2, static_cast<int32_t>(lines.size()) - 1};
    ImportResult result;
    SaveManualRecipe(db, lines, segments, ImportOptions{true, 0}, [] { return std::string("Untitled"); }, result);
    SortIndex(db);
  }
  const DuplicateFinding finding = LocateDuplicates(db, kPoorMatching);
  FUZZ_CHECK(!finding.search.stopped);
  DeleteMarkedDuplicates(db, finding.search.pairs);
  int32_t records = 0;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    FUZZ_CHECK(LoadRecord(db, EntryPosition(db, o)));
    ++records;
  }
  // What was stored is what a fresh scan of the file finds.
  Database fresh(paths);
  ScanRecords(fresh);
  int32_t scanned = 0;
  for (int32_t o = 0; o < fresh.indexSize; o += EntryLength(fresh, o)) ++scanned;
  FUZZ_CHECK(scanned == records);
  return 0;
}
