// The input is a whole Recipe34.dat. Every record it yields is exported in
// each of the six formats: what comes out must be whole lines ending in
// CR LF. The program's own export is then imported into a fresh folder:
// every record it stores loads whole, no more come back than went out, and
// every photo that comes back is one that went out, byte for byte.
#include <cstdint>
#include <set>
#include <string>

#include "db/byte_buffer.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "fuzz_support.h"
#include "interchange/export_output.h"
#include "interchange/export_run.h"
#include "interchange/import_command.h"

namespace tovalia {
namespace {

bool WholeCrLfLines(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return text.empty() || text.back() == '\n';
}

}  // namespace
}  // namespace tovalia

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const DataPaths paths = DataPaths::ForDataFolder(fuzz::ScratchFolder());
  fuzz::WriteBytes(paths.recipeFile, data, size);
  Database db(paths);
  ScanRecords(db);
  BuildRecipeList(db, kAllRecipes);
  const std::vector<int32_t> entries = db.recipeList;

  std::set<std::string> photos;
  for (int32_t entry : entries) {
    FUZZ_CHECK(LoadRecord(db, EntryPosition(db, entry)));
    photos.insert(GetBytes(db.photoBuffer, 0, GetI32(db.recordHeaderBuffer, header::kPhotoLength)));
  }
  std::string own;
  for (int format = 0; format < kExportFormatCount; ++format) {
    TextSink sink;
    const ExportReport report = ExportRecipes(db, entries, static_cast<ExportFormat>(format), sink);
    FUZZ_CHECK(report.unreadable.empty() && !report.outputFailed);
    FUZZ_CHECK(report.written == static_cast<int32_t>(entries.size()));
    FUZZ_CHECK(WholeCrLfLines(sink.text));
    if (format == static_cast<int>(ExportFormat::kTovaliaWithPhotos)) own = sink.text;
  }

  const std::string back = fuzz::ScratchFolder() + "back/";
  std::filesystem::create_directory(back);
  fuzz::WriteBytes(back + "export.txt", reinterpret_cast<const uint8_t*>(own.data()), own.size());
  Database returned(DataPaths::ForDataFolder(back));
  ImportRequest request;
  request.sourcePath = back + "export.txt";
  request.sortByCategory = true;
  const ImportOutcome outcome = RunImport(returned, request, [] { return std::string("Untitled"); });
  FUZZ_CHECK(outcome.result.stored <= static_cast<int32_t>(entries.size()));
  for (int32_t o = 0; o < returned.indexSize; o += EntryLength(returned, o)) {
    if (EntryKind(returned, o) == kKindChapter) continue;
    FUZZ_CHECK(LoadRecord(returned, EntryPosition(returned, o)));
    const std::string photo =
        GetBytes(returned.photoBuffer, 0, GetI32(returned.recordHeaderBuffer, header::kPhotoLength));
    FUZZ_CHECK(photos.count(photo) == 1);
  }
  return 0;
}
