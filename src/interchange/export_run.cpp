#include "interchange/export_run.h"

#include "db/recipe_lists.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/export_recipe.h"
#include "interchange/mastercook_writer.h"
#include "interchange/mealmaster_writer.h"
#include "interchange/recipe_index_writer.h"
#include "interchange/tovalia_text_writer.h"
#include "interchange/xml_writer.h"

namespace tovalia {

namespace {

void WriteOne(const ExportRecipe& recipe, ExportFormat format, std::string& out) {
  switch (format) {
    case ExportFormat::kTovaliaWithPhotos: return WriteTovaliaText(recipe, true, out);
    case ExportFormat::kTovaliaText: return WriteTovaliaText(recipe, false, out);
    case ExportFormat::kMealMaster: return WriteMealMaster(recipe, out);
    case ExportFormat::kMasterCook: return WriteMasterCook(recipe, out);
    case ExportFormat::kXml: return WriteXmlRecipe(recipe, out);
    case ExportFormat::kRecipeIndex: return;
  }
}

}  // namespace

ExportReport ExportRecipes(Database& db, const std::vector<int32_t>& entries, ExportFormat format,
                           ExportSink& sink) {
  ExportReport report;
  std::string out;
  auto flush = [&] {
    if (!out.empty() && !sink.Write(out)) report.outputFailed = true;
    out.clear();
  };
  if (format == ExportFormat::kXml) WriteXmlHead(out);
  std::vector<std::string> indexEntries;
  const int64_t total = static_cast<int64_t>(entries.size());
  for (size_t i = 0; i < entries.size() && !report.outputFailed; ++i) {
    const int32_t entry = entries[i];
    db.progress->ShowProgress("Exporting Recipes", std::to_string(i + 1) + " of " + std::to_string(total),
                              static_cast<int64_t>(i + 1), total);
    db.progress->PumpMessages(0);
    std::string chapter = ChapterName(db, EntryChapter(db, entry));
    if (format == ExportFormat::kRecipeIndex) {
      // The index needs only what the title index holds.
      ExportRecipe recipe;
      recipe.title = OneLine(std::string(EntryTitle(db, entry)));
      recipe.chapter = OneLine(std::move(chapter));
      indexEntries.push_back(RecipeIndexEntry(recipe));
    } else if (LoadRecord(db, EntryPosition(db, entry))) {
      WriteOne(CurrentExportRecipe(db, std::move(chapter)), format, out);
      flush();
    } else {
      report.unreadable.emplace_back(EntryTitle(db, entry));
      continue;
    }
    ++report.written;
  }
  if (format == ExportFormat::kXml) WriteXmlTail(out);
  if (format == ExportFormat::kRecipeIndex) WriteRecipeIndex(std::move(indexEntries), *db.progress, out);
  flush();
  db.progress->CloseProgress();
  return report;
}

}  // namespace tovalia
