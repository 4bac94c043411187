#include "cli/export_command.h"

#include <map>
#include <memory>

#include "cli/command_support.h"
#include "cli/command_line.h"
#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "interchange/export_run.h"

namespace tovalia {

namespace {

const std::map<std::string, ExportFormat> kFormatNames = {
    {"tovalia", ExportFormat::kTovaliaWithPhotos}, {"tovalia-text", ExportFormat::kTovaliaText},
    {"mealmaster", ExportFormat::kMealMaster},     {"mastercook", ExportFormat::kMasterCook},
    {"xml", ExportFormat::kXml},                   {"index", ExportFormat::kRecipeIndex},
};

constexpr char kUsage[] =
    "\"export\" takes recipe numbers or --chapter N, --format tovalia|tovalia-text|mealmaster|"
    "mastercook|xml|index, and --output FILE (standard output without it).";

struct ExportArguments {
  std::vector<int32_t> ids;
  std::optional<int32_t> chapter;
  ExportFormat format = ExportFormat::kTovaliaWithPhotos;
  std::string output;  // empty: standard output
};

// The index entries to export, or an exit status when there are none.
std::optional<std::vector<int32_t>> ChosenEntries(CommandContext& c, const ExportArguments& a, int& status) {
  std::vector<int32_t> entries;
  if (a.chapter) {
    if (*a.chapter > 0 && RowOfChapter(c.db, *a.chapter) < 0) {
      status = NoChapter(c, *a.chapter);
      return std::nullopt;
    }
    BuildRecipeList(c.db, *a.chapter);
    entries = c.db.recipeList;
  }
  for (int32_t id : a.ids) {
    const int32_t entry = FindEntryByRecipeId(c.db, id);
    if (entry < 0) {
      status = NoRecipe(c, id);
      return std::nullopt;
    }
    entries.push_back(entry);
  }
  if (entries.empty()) {
    c.err << "There are no recipes in this chapter\n";
    status = kExitFailed;
    return std::nullopt;
  }
  return entries;
}

int RunExport(CommandContext& c, const ExportArguments& a) {
  int status = kExitOk;
  const auto entries = ChosenEntries(c, a, status);
  if (!entries) return status;
  std::unique_ptr<FileSink> file;
  StreamSink stream(c.out);
  if (!a.output.empty()) {
    file = std::make_unique<FileSink>(a.output);
    if (!file->IsOpen()) {
      c.err << "Cannot write the file \"" << a.output << "\".\n";
      return kExitFailed;
    }
  }
  ExportSink& sink = file ? static_cast<ExportSink&>(*file) : stream;
  const ExportReport report = ExportRecipes(c.db, *entries, a.format, sink);
  if (!report.unreadable.empty()) {
    c.err << report.unreadable.size() << " records could not be read"
          << (file ? ", so the file was not written" : " and are missing from the output")
          << "; \"tovalia compact\" repairs the recipe file:\n";
    for (const std::string& title : report.unreadable) c.err << "  " << Cp1252ToUtf8(title) << '\n';
    return kExitFailed;
  }
  if (report.outputFailed || (file && !file->Commit())) {
    c.err << "The export could not be written"
          << (file ? " to \"" + a.output + "\"; nothing was changed there" : std::string()) << ".\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

ParsedCommand ParseExport(const std::vector<std::string>& args) {
  ExportArguments a;
  bool formatGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--chapter" || option == "--format" || option == "--output") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return Refuse(option + " needs a value.");
      const std::string& value = args[++i];
      if (option == "--chapter") {
        a.chapter = ParseInteger(value, kRecipesWithPhotos, 65535);
        if (!a.chapter || *a.chapter == 0) return Refuse("\"" + value + "\" is not a chapter number.");
      } else if (option == "--format") {
        auto found = kFormatNames.find(value);
        if (found == kFormatNames.end()) return Refuse("\"" + value + "\" is not an export format. " + kUsage);
        a.format = found->second;
        formatGiven = true;
      } else {
        a.output = value;
      }
    } else if (auto id = ParseInteger(option, 1, INT32_MAX)) {
      a.ids.push_back(*id);
    } else {
      return Refuse("\"" + option + "\" is not a recipe number. " + kUsage);
    }
  }
  if (a.ids.empty() == !a.chapter) return Refuse(kUsage);
  if (!formatGiven) return Refuse("\"export\" needs --format. " + std::string(kUsage));
  return ReadOnly({[a](CommandContext& c) { return RunExport(c, a); }, {}});
}

}  // namespace tovalia
