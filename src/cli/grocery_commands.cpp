#include "cli/grocery_commands.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>

#include "cli/command_line.h"
#include "cli/command_support.h"
#include "cli/command_printer.h"
#include "db/clock.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "grocery/grocery_edits.h"
#include "grocery/grocery_export.h"
#include "grocery/grocery_money.h"
#include "grocery/recipe_groceries.h"
#include "grocery/shopping_list.h"
#include "output/list_print_job.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "platform/canvas.h"
#include "platform/system_printers.h"

namespace tovalia {

namespace {

using Args = std::vector<std::string>;

// The catalogue of the data folder, read; false (with the message) when the
// file cannot be read.
bool OpenCatalogue(CommandContext& c, GroceryCatalogue& catalogue) {
  if (LoadGroceryItems(catalogue)) return true;
  c.err << MessageAsLine(GroceryWriteMessage(GroceryWrite::kUnreadable, catalogue.path)) << '\n';
  return false;
}

int Outcome(CommandContext& c, const GroceryCatalogue& catalogue, GroceryWrite outcome) {
  const std::string message = GroceryWriteMessage(outcome, catalogue.path);
  if (message.empty()) return kExitOk;
  c.err << MessageAsLine(message) << '\n';
  return kExitFailed;
}

// One item: ID, QUANTITY, NAME, STORE, LOCATION, COST, DEFAULT.
void PrintItems(CommandContext& c, const GroceryCatalogue& catalogue) {
  for (int32_t item : catalogue.view) {
    c.out << ItemId(catalogue.image, item) << '\t' << ItemQuantity(catalogue.image, item) << '\t'
          << Cp1252ToUtf8(ItemName(catalogue.image, item)) << '\t' << Cp1252ToUtf8(ItemStore(catalogue.image, item))
          << '\t' << Cp1252ToUtf8(ItemLocation(catalogue.image, item)) << '\t'
          << FormatMoney(ItemCost(catalogue.image, item)) << '\t' << ItemDefaultQuantity(catalogue.image, item)
          << '\n';
  }
}

// Prints the shopping list with the grocery list's stored print settings,
// and the meal list after it when they ask for that.
int PrintShoppingList(CommandContext& c, GroceryCatalogue& catalogue, const std::string& printer,
                      const std::string& output) {
  SystemPrinters printers;
  ByteBuffer record;
  if (!ListRecordForCommand(c, kGroceryListLayout, record, printers, printer, output,
                            "The grocery list's print settings"))
    return kExitFailed;
  const LocalDate today = Today();
  MealSection meals;
  if (MealListAfterGroceries(record)) {
    if (!MealsForGroceryList(c.meals, today, meals.lines)) {
      c.err << "The meal calendar " << c.meals.path << " cannot be read.\n";
      return kExitFailed;
    }
    meals.record = NewPrintRecord();
    LoadPrintRecord(c.settings, kMealListLayout, meals.record, printers);
  }
  const PrintReport report = PrintGroceryList(catalogue, record, today, meals, printers, output, *c.db.progress);
  ReleaseFontCaches();
  if (!report.done) {
    c.err << Cp1252ToUtf8(report.error) << '\n';
    return kExitFailed;
  }
  c.out << "printer\t" << Cp1252ToUtf8(PrinterName(record)) << '\n'
        << "items\t" << report.lines - static_cast<int>(meals.lines.size()) << '\n';
  if (!meals.lines.empty()) c.out << "meals\t" << meals.lines.size() << '\n';
  c.out << "pages\t" << report.pages << '\n';
  if (PrinterName(record) == kSaveAsPdfPrinter) c.out << "file\t" << output << '\n';
  return kExitOk;
}

// The item a NAME_OR_ID argument means: the item with that id, else the one
// item with that name (case ignored). -1 with a message otherwise.
int32_t ItemNamedOrNumbered(CommandContext& c, const GroceryCatalogue& catalogue, const std::string& wanted) {
  const int32_t size = grocery_item::kSize;
  if (auto id = ParseInteger(wanted, 0, grocery_item::kIdCount - 1)) {
    for (int32_t o = 0; o < catalogue.count * size; o += size)
      if (ItemId(catalogue.image, o) == *id) return o;
  }
  std::vector<int32_t> named;
  for (int32_t o = 0; o < catalogue.count * size; o += size)
    if (CompareUpperCased(TrimBlanks(ItemName(catalogue.image, o)), wanted) == 0) named.push_back(o);
  if (named.size() == 1) return named[0];
  if (named.empty()) {
    c.err << "No grocery item is named or numbered \"" << Cp1252ToUtf8(wanted)
          << "\"; \"tovalia grocery list\" lists them.\n";
  } else {
    c.err << named.size() << " grocery items are named \"" << Cp1252ToUtf8(wanted) << "\"; give one of their numbers:";
    for (int32_t o : named) c.err << ' ' << ItemId(catalogue.image, o);
    c.err << ".\n";
  }
  return -1;
}

// A text argument in CP1252, checked against a field's width.
std::optional<std::string> TextArgument(const std::string& argument, const char* what, int32_t limit,
                                        std::string& error) {
  std::string text = Utf8ToCp1252(argument);
  if (HasControlCharacter(text)) {
    error = std::string("A grocery ") + what + " cannot hold tabs, line ends or other control characters.";
    return std::nullopt;
  }
  if (static_cast<int32_t>(text.size()) > limit) {
    error = std::string("A grocery ") + what + " has at most " + std::to_string(limit) + " characters.";
    return std::nullopt;
  }
  return text;
}

// A cost in dollars as the form takes it: digits with at most one point,
// refused when it is beyond what the file holds.
bool CostArgument(const std::string& text, std::string& error) {
  size_t digits = 0, points = 0;
  for (char ch : text) {
    if (std::isdigit(static_cast<unsigned char>(ch))) {
      ++digits;
    } else if (ch == '.') {
      ++points;
    } else {
      digits = 0;
      break;
    }
  }
  if (digits == 0 || points > 1) {
    error = "\"" + text + "\" is not a cost in dollars, such as 2.49.";
    return false;
  }
  if (std::strtod(text.c_str(), nullptr) >= (grocery_item::kMostCost + 0.5) / 100) {
    error = "A grocery cost is at most " + FormatMoney(grocery_item::kMostCost) + " dollars.";
    return false;
  }
  return true;
}

ParsedCommand ParseList(const Args& args) {
  int mode = kAllItemsMode;
  if (args.size() == 1 && args[0] == "--selected") {
    mode = kSelectedItemsMode;
  } else if (args.size() == 1 && args[0] == "--found") {
    mode = kSearchResultsMode;
  } else if (!args.empty()) {
    return Refuse("\"grocery list\" takes --selected or --found.");
  }
  return ReadOnly({[mode](CommandContext& c) {
                     GroceryCatalogue catalogue(c.db.paths.groceryFile);
                     if (!OpenCatalogue(c, catalogue)) return kExitFailed;
                     BuildGroceryView(catalogue, mode);
                     PrintItems(c, catalogue);
                     return kExitOk;
                   },
                   {}});
}

ParsedCommand ParseAdd(const Args& args) {
  if (args.empty()) return Refuse("\"grocery add\" needs the item's name.");
  std::string error;
  GroceryItemForm form;
  std::map<std::string, std::string> values;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--store" && option != "--location" && option != "--cost" && option != "--default")
      return Refuse("\"grocery add\" does not know \"" + option + "\".");
    if (i + 1 >= args.size()) return Refuse(option + " needs a value.");
    values[option] = args[++i];
  }
  auto name = TextArgument(args[0], "name", grocery_item::kNameLimit, error);
  if (!name) return Refuse(error);
  if (TrimBlanks(*name).empty()) return Refuse("A grocery item needs a name.");
  auto store = TextArgument(values["--store"], "store", grocery_item::kStoreLimit, error);
  if (!store) return Refuse(error);
  auto location = TextArgument(values["--location"], "location", grocery_item::kLocationLimit, error);
  if (!location) return Refuse(error);
  if (values.count("--cost") && !CostArgument(values["--cost"], error)) return Refuse(error);
  if (values.count("--default") && !ParseInteger(values["--default"], 0, grocery_item::kMostQuantity))
    return Refuse("A default quantity is a whole number from 0 to 255.");
  form = {*name, *store, *location, values["--cost"], values["--default"]};
  return {[form](CommandContext& c) {
            GroceryCatalogue catalogue(c.db.paths.groceryFile);
            if (!OpenCatalogue(c, catalogue)) return kExitFailed;
            int32_t id = -1;
            const GroceryWrite outcome = AddGroceryItem(catalogue, form, id);
            if (outcome == GroceryWrite::kWritten) c.out << id << '\n';
            return Outcome(c, catalogue, outcome);
          },
          {}};
}

ParsedCommand ParseSet(const Args& args) {
  if (args.size() != 3 || args[1] != "--quantity")
    return Refuse("\"grocery set\" takes an item's name or number and --quantity N.");
  auto quantity = ParseInteger(args[2], 0, grocery_item::kMostQuantity);
  if (!quantity) return Refuse("A quantity is a whole number from 0 to 255.");
  return {[wanted = Utf8ToCp1252(args[0]), quantity = *quantity](CommandContext& c) {
            GroceryCatalogue catalogue(c.db.paths.groceryFile);
            if (!OpenCatalogue(c, catalogue)) return kExitFailed;
            const int32_t item = ItemNamedOrNumbered(c, catalogue, TrimBlanks(wanted));
            if (item < 0) return kExitFailed;
            if (ItemQuantity(catalogue.image, item) == quantity) return kExitOk;
            return Outcome(c, catalogue, SetItemQuantity(catalogue, item, quantity));
          },
          {}};
}

ParsedCommand ParseDeleteItem(const Args& args) {
  if (args.size() != 1) return Refuse("\"grocery delete\" takes an item's name or number.");
  return {[wanted = Utf8ToCp1252(args[0])](CommandContext& c) {
            GroceryCatalogue catalogue(c.db.paths.groceryFile);
            if (!OpenCatalogue(c, catalogue)) return kExitFailed;
            const int32_t item = ItemNamedOrNumbered(c, catalogue, TrimBlanks(wanted));
            if (item < 0) return kExitFailed;
            StartEditingItem(catalogue, item);
            return Outcome(c, catalogue, DeleteEditedItem(catalogue));
          },
          {}};
}

ParsedCommand ParseFind(const Args& args) {
  std::optional<std::string> text;
  GroceryField field = GroceryField::kName;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--field" && i + 1 < args.size()) {
      static const std::map<std::string, GroceryField> kFields = {
          {"item", GroceryField::kName}, {"store", GroceryField::kStore}, {"location", GroceryField::kLocation}};
      auto found = kFields.find(args[++i]);
      if (found == kFields.end()) return Refuse("--field is item, store or location.");
      field = found->second;
    } else if (!text && args[i].rfind("--", 0) != 0) {
      text = Utf8ToCp1252(args[i]);
    } else {
      return Refuse("\"grocery find\" takes one text (quote it) and --field item|store|location.");
    }
  }
  if (!text || TrimBlanks(*text).empty()) return Refuse("\"grocery find\" needs a text to look for.");
  return {[text = *text, field](CommandContext& c) {
            GroceryCatalogue catalogue(c.db.paths.groceryFile);
            if (!OpenCatalogue(c, catalogue)) return kExitFailed;
            if (!FindGroceryItems(catalogue, text, field)) return Outcome(c, catalogue, GroceryWrite::kFailed);
            PrintItems(c, catalogue);
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseNewList(const Args& args) {
  NewListChoice choice = NewListChoice::kDefaults;
  if (args.size() == 1 && args[0] == "--zero") {
    choice = NewListChoice::kZero;
  } else if (args.size() == 1 && args[0] == "--one") {
    choice = NewListChoice::kOne;
  } else if (!args.empty() && !(args.size() == 1 && args[0] == "--defaults")) {
    return Refuse("\"grocery new-list\" takes --defaults (the default), --zero or --one.");
  }
  return {[choice](CommandContext& c) {
            GroceryCatalogue catalogue(c.db.paths.groceryFile);
            if (!OpenCatalogue(c, catalogue)) return kExitFailed;
            return Outcome(c, catalogue, StartNewList(catalogue, choice));
          },
          {}};
}

ParsedCommand ParseExport(const Args& args) {
  static const std::map<std::string, int> kFormats = {
      {"text", kExportText},           {"csv", kExportCsv},
      {"csv-names", kExportCsvWithNames}, {"tab", kExportTabDelimited},
      {"indented", kExportIndentedList}, {"splashshopper", kExportSplashShopper}};
  std::optional<int> format;
  std::optional<std::string> output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i + 1 >= args.size() || (args[i] != "--format" && args[i] != "--output"))
      return Refuse("\"grocery export\" takes --format FORMAT and --output FILE.");
    const std::string value = args[++i];
    if (args[i - 1] == "--output") {
      output = value;
      continue;
    }
    auto found = kFormats.find(value);
    if (found == kFormats.end())
      return Refuse("--format is text, csv, csv-names, tab, indented or splashshopper.");
    format = found->second;
  }
  if (!format) return Refuse("\"grocery export\" needs --format text|csv|csv-names|tab|indented|splashshopper.");
  return ReadOnly({[format = *format, output](CommandContext& c) {
                     GroceryCatalogue catalogue(c.db.paths.groceryFile);
                     if (!OpenCatalogue(c, catalogue)) return kExitFailed;
                     if (!output) {
                       const std::vector<int32_t> order = ShoppingListInOrder(catalogue);
                       c.out << Cp1252ToUtf8(GroceryExportText(catalogue, order, format, Today()));
                       return kExitOk;
                     }
                     // The file takes the format's extension as in the window.
                     const size_t slash = output->rfind('/');
                     const std::string folder = slash == std::string::npos ? "" : output->substr(0, slash + 1);
                     const std::string path =
                         folder + GroceryExportFileName(output->substr(folder.size()), format);
                     if (!folder.empty() && !FolderExists(folder)) {
                       c.err << "There is no folder \"" << folder << "\".\n";
                       return kExitFailed;
                     }
                     if (!ExportGroceryList(catalogue, path, format)) {
                       c.err << "The grocery list could not be written to \"" << path << "\".\n";
                       return kExitFailed;
                     }
                     c.out << path << '\n';
                     return kExitOk;
                   },
                   {}});
}

ParsedCommand ParsePrint(const Args& args) {
  std::string printer, output;
  for (size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size() || (args[i] != "--printer" && args[i] != "--output") || args[i + 1].empty())
      return Refuse("\"grocery print\" takes --printer NAME and --output FILE.pdf.");
    (args[i] == "--printer" ? printer : output) = args[i + 1];
  }
  return ReadOnly({[printer = Utf8ToCp1252(printer), output](CommandContext& c) {
                     GroceryCatalogue catalogue(c.db.paths.groceryFile);
                     if (!OpenCatalogue(c, catalogue)) return kExitFailed;
                     BuildGroceryView(catalogue, kSelectedItemsMode);
                     if (catalogue.view.empty()) {
                       c.err << "No items have been selected for the grocery list.\n";
                       return kExitFailed;
                     }
                     return PrintShoppingList(c, catalogue, printer, output);
                   },
                   {}});
}

ParsedCommand ParseAddRecipes(const Args& args) {
  std::vector<int32_t> ids;
  for (const std::string& arg : args) {
    auto id = ParseInteger(arg, 1, INT32_MAX);
    if (!id) return Refuse("\"" + arg + "\" is not a recipe number.");
    ids.push_back(*id);
  }
  if (ids.empty()) return Refuse("\"grocery add-recipe\" takes the numbers of the recipes.");
  return {[ids](CommandContext& c) {
            std::vector<int32_t> entries;
            for (int32_t id : ids) {
              const int32_t entry = FindEntryByRecipeId(c.db, id);
              if (entry < 0) {
                c.err << "There is no recipe or text with the number " << id << ".\n";
                return kExitFailed;
              }
              entries.push_back(entry);
            }
            GroceryCatalogue catalogue(c.db.paths.groceryFile);
            const RecipeGroceryReport report = AddRecipesToGroceryList(c.db, catalogue, entries);
            if (report.write == GroceryWrite::kFailed || report.write == GroceryWrite::kUnreadable)
              return Outcome(c, catalogue, report.write);
            c.out << report.recipes << (report.recipes == 1 ? " recipe: " : " recipes: ") << report.raised
                  << " items raised by one, " << report.added << " items added\n";
            return Outcome(c, catalogue, report.write);
          },
          {}};
}

using Parser = ParsedCommand (*)(const Args&);

const std::map<std::string, Parser>& Subcommands() {
  static const std::map<std::string, Parser> kSubcommands = {
      {"list", ParseList},     {"add", ParseAdd},           {"set", ParseSet},
      {"delete", ParseDeleteItem}, {"find", ParseFind},     {"new-list", ParseNewList},
      {"export", ParseExport}, {"print", ParsePrint},       {"add-recipe", ParseAddRecipes},
  };
  return kSubcommands;
}

}  // namespace

std::vector<std::string> GroceryCommandNames() {
  std::vector<std::string> names;
  for (const auto& [name, parser] : Subcommands()) names.push_back(name);
  return names;
}

ParsedCommand ParseGrocery(const std::vector<std::string>& args) {
  if (args.empty()) return Refuse("\"grocery\" needs a subcommand; \"tovalia --help\" lists them.");
  auto found = Subcommands().find(args[0]);
  if (found == Subcommands().end())
    return Refuse("\"grocery " + args[0] + "\" is not a command; \"tovalia --help\" lists them.");
  return found->second(Args(args.begin() + 1, args.end()));
}

}  // namespace tovalia
