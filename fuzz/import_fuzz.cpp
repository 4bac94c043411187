// The input is a text to import. It is imported automatically by category
// (which reaches every reader: the text pass, JSON-LD, MasterCook XML,
// RecipeML, whichever the bytes look like) and as an information record;
// whatever it holds, every stored record must load whole and the index
// must agree with the recipe file afterwards.
#include <cstdint>
#include <string>

#include "db/data_paths.h"
#include "db/database.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "fuzz_support.h"
#include "interchange/import_command.h"

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
