#include "cli/print_command.h"

#include "cli/command_line.h"
#include "cli/command_printer.h"
#include "cli/command_support.h"
#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "output/print_geometry.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "output/print_run.h"
#include "platform/canvas.h"
#include "platform/system_printers.h"

namespace tovalia {

namespace {

struct PrintArguments {
  std::vector<int32_t> recipeIds;
  std::optional<int32_t> chapter;
  std::optional<int32_t> layout;
  std::string printer;  // CP1252; empty: the layout's own
  std::string output;
};

int Print(CommandContext& c, const PrintArguments& a) {
  std::vector<int32_t> entries;
  if (a.chapter) {
    bool known = false;
    for (const ChapterRow& row : c.db.chapterTable) known = known || row.number == *a.chapter;
    if (!known) {
      c.err << "There is no chapter with the number " << *a.chapter << "; \"tovalia chapters\" lists them.\n";
      return kExitFailed;
    }
    BuildRecipeList(c.db, *a.chapter);
    entries = c.db.recipeList;
  }
  for (int32_t id : a.recipeIds) {
    const int32_t entry = FindEntryByRecipeId(c.db, id);
    if (entry < 0) {
      c.err << "There is no recipe or text with the number " << id << ".\n";
      return kExitFailed;
    }
    entries.push_back(entry);
  }

  // The stored settings, read only: a layout never set up prints with its defaults.
  int32_t layout = GetNumberSetting(c.settings, setting::kPrintLayout);
  if (a.layout) layout = *a.layout;
  if (!IsRecipeLayout(layout)) layout = kFirstRecipeLayout;
  SystemPrinters printers;
  ByteBuffer record = NewPrintRecord();
  LoadPrintRecord(c.settings, layout, record, printers);
  ApplyLayout(record);
  if (!UseCommandPrinter(c, record, printers, a.printer, a.output, "Layout " + std::to_string(layout)))
    return kExitFailed;
  const PrintReport report = PrintEntries(c.db, record, printers, entries, a.output);
  // The fonts are done with; their caches go before the program ends.
  ReleaseFontCaches();
  if (!report.done) {
    c.err << Cp1252ToUtf8(report.error) << '\n';
    return kExitFailed;
  }
  c.out << "layout\t" << layout << '\n'
        << "printer\t" << Cp1252ToUtf8(PrinterName(record)) << '\n'
        << "recipes\t" << report.recipes << '\n'
        << "cards\t" << report.cards << '\n'
        << "pages\t" << report.pages << '\n';
  if (report.pages == 0) {
    c.err << "Nothing to print: no pages, so nothing was written or sent.\n";
  } else if (!a.output.empty()) {
    c.out << "file\t" << a.output << '\n';
  }
  return kExitOk;
}

}  // namespace

ParsedCommand ParsePrint(const std::vector<std::string>& args) {
  PrintArguments a;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--chapter" || arg == "--layout") {
      auto value = hasValue ? ParseInteger(args[i + 1], arg == "--chapter" ? -4 : kFirstRecipeLayout,
                                           arg == "--chapter" ? 65535 : kLastRecipeLayout)
                            : std::nullopt;
      if (!value) return {nullptr, arg == "--chapter" ? "--chapter needs a chapter number." : "--layout needs a layout from 50 to 59."};
      (arg == "--chapter" ? a.chapter : a.layout) = value;
      ++i;
    } else if (arg == "--printer" || arg == "--output") {
      if (!hasValue || args[i + 1].empty()) return {nullptr, arg + " needs a value."};
      if (arg == "--printer") a.printer = Utf8ToCp1252(args[i + 1]);
      else a.output = args[i + 1];
      ++i;
    } else if (auto id = ParseInteger(arg, 1, 0x7FFFFFFF)) {
      a.recipeIds.push_back(*id);
    } else {
      return {nullptr, "\"print\" takes recipe numbers or --chapter N, and --layout, --printer, --output; not \"" + arg + "\"."};
    }
  }
  if (a.recipeIds.empty() == !a.chapter) return {nullptr, "\"print\" needs recipe numbers or --chapter N (not both)."};
  ParsedCommand command{[a](CommandContext& c) { return Print(c, a); }, {}};
  command.access = FolderAccess::kRead;
  return command;
}

}  // namespace tovalia
