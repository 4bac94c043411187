#include "cli/meal_commands.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <map>

#include "calendar/icalendar_writer.h"
#include "calendar/meal_dates.h"
#include "calendar/meal_list.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "cli/command_printer.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/title_index.h"
#include "output/list_print_job.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "platform/canvas.h"
#include "platform/system_printers.h"

namespace tovalia {

namespace {

// The options a command takes, each with a value; anything else is refused.
bool ReadOptions(const std::vector<std::string>& args, size_t from, const std::vector<std::string>& known,
                 std::vector<std::pair<std::string, std::string>>& values, std::string& error) {
  for (size_t i = from; i < args.size(); ++i) {
    if (std::find(known.begin(), known.end(), args[i]) == known.end()) {
      error = "\"meals " + args[0] + "\" does not know \"" + args[i] + "\".";
      return false;
    }
    if (i + 1 >= args.size()) {
      error = args[i] + " needs a value.";
      return false;
    }
    values.emplace_back(args[i], args[i + 1]);
    ++i;
  }
  return true;
}

std::string Option(const std::vector<std::pair<std::string, std::string>>& values, const std::string& name) {
  for (const auto& [option, value] : values)
    if (option == name) return value;
  return {};
}

// --from and --to as a range of date keys.
bool ReadRange(const std::vector<std::pair<std::string, std::string>>& values, MealRange& range,
               std::string& error) {
  for (const char* name : {"--from", "--to"}) {
    const std::string text = Option(values, name);
    if (text.empty()) continue;
    auto date = ParseIsoDate(text);
    if (!date) {
      error = "\"" + text + "\" is not a date; dates are written YYYY-MM-DD.";
      return false;
    }
    (std::string(name) == "--from" ? range.fromKey : range.toKey) = DateKey(*date);
  }
  if (range.fromKey > range.toKey) {
    error = "--from comes after --to.";
    return false;
  }
  return true;
}

// The options and the range they give; false with the error set.
struct MealOptions {
  std::vector<std::pair<std::string, std::string>> values;
  MealRange range;
};
bool ReadMealOptions(const std::vector<std::string>& args, const std::vector<std::string>& known,
                     MealOptions& options, std::string& error) {
  return ReadOptions(args, 1, known, options.values, error) && ReadRange(options.values, options.range, error);
}

bool LoadCalendar(CommandContext& c) {
  if (LoadMeals(c.meals)) return true;
  c.err << "The meal calendar " << c.meals.path << " cannot be read.\n";
  return false;
}

int NotSaved(CommandContext& c) {
  c.err << "The meal calendar could not be saved in " << c.meals.path << "; it is unchanged.\n";
  return kExitFailed;
}

ParsedCommand ParseList(const std::vector<std::string>& args) {
  MealOptions options;
  std::string error;
  if (!ReadMealOptions(args, {"--from", "--to"}, options, error)) return Refuse(error);
  return ReadOnly({[range = options.range](CommandContext& c) {
                     if (!LoadCalendar(c)) return kExitFailed;
                     for (int32_t i : MealsInRange(c.meals, range)) {
                       const ByteBuffer& m = c.meals.meals;
                       c.out << MealId(m, i) << '\t' << IsoDate(MealDate(m, i)) << '\t'
                             << (MealKindOf(m, i) == kMealRecipe ? "recipe" : "note") << '\t'
                             << MealRecipeId(m, i) << '\t' << (MealIsTicked(m, i) ? 1 : 0) << '\t'
                             << Cp1252ToUtf8(MealText(m, i)) << '\n';
                     }
                     return kExitOk;
                   },
                   {}});
}

ParsedCommand ParseAdd(const std::vector<std::string>& args) {
  const char* usage = "\"meals add\" takes a date (YYYY-MM-DD) and --recipe RECIPEID or --note TEXT.";
  if (args.size() != 4) return Refuse(usage);
  auto date = ParseIsoDate(args[1]);
  if (!date) return Refuse("\"" + args[1] + "\" is not a date; dates are written YYYY-MM-DD.");
  if (args[2] == "--recipe") {
    auto recipeId = ParseInteger(args[3], 1, INT32_MAX);
    if (!recipeId) return Refuse("\"" + args[3] + "\" is not a recipe number.");
    return {[date = *date, id = *recipeId](CommandContext& c) {
              const int32_t entry = FindEntryByRecipeId(c.db, id);
              if (entry < 0) {
                c.err << "There is no recipe or text with the number " << id << ".\n";
                return kExitFailed;
              }
              if (!LoadCalendar(c)) return kExitFailed;
              if (!AddMeal(c.meals, id, std::string(EntryTitle(c.db, entry)), kMealRecipe, date)) return NotSaved(c);
              c.out << MealId(c.meals.meals, c.meals.current) << '\n';
              return kExitOk;
            },
            {}};
  }
  if (args[2] != "--note") return Refuse(usage);
  const std::string note = TrimBlanks(Utf8ToCp1252(args[3]));
  if (note.empty()) return Refuse("A note needs a text.");
  if (HasControlCharacter(note)) return Refuse("A note cannot hold tabs, line ends or other control characters.");
  if (note.size() > static_cast<size_t>(kMealTextLimit))
    return Refuse("A note has at most " + std::to_string(kMealTextLimit) + " characters.");
  return {[date = *date, note](CommandContext& c) {
            if (!LoadCalendar(c)) return kExitFailed;
            if (!AddMeal(c.meals, 0, note, kMealNote, date)) return NotSaved(c);
            c.out << MealId(c.meals.meals, c.meals.current) << '\n';
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseDelete(const std::vector<std::string>& args) {
  if (args.size() != 2) return Refuse("\"meals delete\" takes one entry number.");
  auto id = ParseInteger(args[1], 0, INT32_MAX);
  if (!id) return Refuse("\"" + args[1] + "\" is not an entry number.");
  return {[id = *id](CommandContext& c) {
            if (!LoadCalendar(c)) return kExitFailed;
            const int32_t index = FindMealById(c.meals, id);
            if (index < 0) {
              c.err << "There is no meal with the entry number " << id << "; \"tovalia meals list\" lists them.\n";
              return kExitFailed;
            }
            CopyToEditEntry(c.meals, index);
            return StoreMeal(c.meals, StoreMode::kDelete) ? kExitOk : NotSaved(c);
          },
          {}};
}

ParsedCommand ParsePrint(const std::vector<std::string>& args) {
  MealOptions options;
  std::string error;
  if (!ReadMealOptions(args, {"--from", "--to", "--printer", "--output"}, options, error)) return Refuse(error);
  const std::string printer = Utf8ToCp1252(Option(options.values, "--printer"));
  const std::string output = Option(options.values, "--output");
  return ReadOnly({[range = options.range, printer, output](CommandContext& c) {
                     if (!LoadCalendar(c)) return kExitFailed;
                     const std::vector<MealPrintLine> lines = MealPrintLines(c.meals, MealsInRange(c.meals, range));
                     if (lines.empty()) {
                       c.err << "There are no meals to print.\n";
                       return kExitFailed;
                     }
                     SystemPrinters printers;
                     ByteBuffer record;
                     if (!ListRecordForCommand(c, kMealListLayout, record, printers, printer, output,
                                               "The meal list's print settings"))
                       return kExitFailed;
                     const PrintReport report = PrintMealList(lines, record, printers, output, *c.db.progress);
                     ReleaseFontCaches();
                     if (!report.done) {
                       c.err << Cp1252ToUtf8(report.error) << '\n';
                       return kExitFailed;
                     }
                     c.out << "printer\t" << Cp1252ToUtf8(PrinterName(record)) << '\n'
                           << "meals\t" << report.lines << '\n'
                           << "pages\t" << report.pages << '\n';
                     if (PrinterName(record) == kSaveAsPdfPrinter) c.out << "file\t" << output << '\n';
                     return kExitOk;
                   },
                   {}});
}

ParsedCommand ParseExport(const std::vector<std::string>& args) {
  MealOptions options;
  std::string error;
  if (!ReadMealOptions(args, {"--format", "--output", "--from", "--to"}, options, error)) return Refuse(error);
  if (Option(options.values, "--format") != "ics") return Refuse("\"meals export\" needs --format ics.");
  const std::string output = Option(options.values, "--output");
  return ReadOnly({[range = options.range, output](CommandContext& c) {
                     if (!LoadCalendar(c)) return kExitFailed;
                     const IcsExport ics = MealsAsICalendar(c.meals, MealsInRange(c.meals, range), std::time(nullptr));
                     if (ics.skipped > 0)
                       c.err << ics.skipped << " meals with a date that does not exist were left out.\n";
                     if (output.empty() || output == "-") {
                       c.out << ics.text;
                       return kExitOk;
                     }
                     if (!ReplaceFileContents(output, ics.text.data(), ics.text.size())) {
                       c.err << "Cannot write " << output << ".\n";
                       return kExitFailed;
                     }
                     c.out << ics.events << '\n';
                     return kExitOk;
                   },
                   {}});
}

using Parser = ParsedCommand (*)(const std::vector<std::string>&);

const std::map<std::string, Parser>& Subcommands() {
  static const std::map<std::string, Parser> kSubcommands = {
      {"list", ParseList}, {"add", ParseAdd}, {"delete", ParseDelete}, {"print", ParsePrint}, {"export", ParseExport},
  };
  return kSubcommands;
}

}  // namespace

std::vector<std::string> MealCommandNames() {
  std::vector<std::string> names;
  for (const auto& [name, parser] : Subcommands()) names.push_back(name);
  return names;
}

// Each subcommand's parser takes the subcommand's name with its arguments.
ParsedCommand ParseMeals(const std::vector<std::string>& args) {
  if (args.empty()) return Refuse("\"meals\" takes list, add, delete, print or export.");
  auto found = Subcommands().find(args[0]);
  if (found == Subcommands().end())
    return Refuse("\"meals " + args[0] + "\" is not a command; \"meals\" takes list, add, delete, print or export.");
  return found->second(args);
}

}  // namespace tovalia
