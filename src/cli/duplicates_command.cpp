#include "cli/duplicates_command.h"

#include <unordered_map>

#include "cli/command_line.h"
#include "cli/command_support.h"
#include "db/cp1252.h"
#include "db/title_index.h"
#include "interchange/duplicate_finder.h"

namespace tovalia {

namespace {

constexpr char kNoneFound[] = "No Duplicate Recipes Were Found";

// One line a pair: its number, each recipe's RecipeId and title, and the
// RecipeIds of the recipes marked to delete ("-" for none).
void ListPairs(CommandContext& c, const DuplicateFinding& finding) {
  const std::unordered_map<int32_t, int32_t> entryAt = EntriesByPosition(c.db);
  size_t number = 0;
  for (const DuplicatePair& pair : finding.search.pairs) {
    c.out << ++number;
    std::string marked;
    for (const DuplicateHalf& half : pair.halves) {
      const RecipeFingerprint& print = finding.fingerprints[static_cast<size_t>(half.fingerprint)];
      const auto entry = entryAt.find(half.position);
      const std::string title = entry == entryAt.end() ? "" : std::string(EntryTitle(c.db, entry->second));
      c.out << '\t' << print.recipeId << '\t' << Cp1252ToUtf8(title);
      if (half.marked) marked += (marked.empty() ? "" : ",") + std::to_string(print.recipeId);
    }
    c.out << '\t' << (marked.empty() ? "-" : marked) << '\n';
  }
}

}  // namespace

ParsedCommand ParseDuplicates(const std::vector<std::string>& args) {
  int32_t threshold = kBestMatching;
  bool deleteMarked = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--accuracy" && i + 1 < args.size()) {
      const std::string& level = args[++i];
      if (level == "best") {
        threshold = kBestMatching;
      } else if (level == "average") {
        threshold = kAverageMatching;
      } else if (level == "poor") {
        threshold = kPoorMatching;
      } else {
        return Refuse("--accuracy is best, average or poor.");
      }
    } else if (args[i] == "--delete-marked") {
      deleteMarked = true;
    } else {
      return Refuse("\"duplicates\" takes --accuracy best|average|poor and --delete-marked.");
    }
  }
  ParsedCommand command{[threshold, deleteMarked](CommandContext& c) {
                          const DuplicateFinding finding = LocateDuplicates(c.db, threshold);
                          if (finding.search.stopped) return kExitFailed;
                          if (finding.search.pairs.empty()) {
                            c.err << kNoneFound << '\n';
                            return kExitFailed;
                          }
                          if (!deleteMarked) {
                            ListPairs(c, finding);
                            return kExitOk;
                          }
                          const DuplicateDeletion deletion = DeleteMarkedDuplicates(c.db, finding.search.pairs);
                          if (!deletion.report.Done()) {
                            c.err << MessageAsLine(WriteReportMessage(deletion.report)) << '\n';
                            return kExitFailed;
                          }
                          c.out << "deleted " << deletion.deleted << (deletion.deleted == 1 ? " recipe" : " recipes")
                                << '\n';
                          return kExitOk;
                        },
                        {}};
  return deleteMarked ? command : ReadOnly(command);
}

}  // namespace tovalia
