#include "cli/command_help.h"

#include <algorithm>
#include <cctype>

#include "db/product.h"

namespace tovalia {

namespace {

constexpr size_t kScreenWidth = 79;
constexpr size_t kSummaryColumn = 22;

const std::vector<CommandHelp> kCommands = {
    {"chapters", "", "list every chapter, the reserved views first",
     "Prints every row of the chapter table, the four reserved views (-1 All Recipes, -2 Search "
     "Results, -3 Recipes Selected For Meals, -4 Recipes With Photos) included: NUMBER and NAME "
     "separated by a tab."},
    {"titles", "[CHAPTER]", "list the recipes of a chapter or view",
     "Prints the recipe list of a chapter or reserved view (default -1, All Recipes) in list "
     "order: RECIPEID, CHAPTER, KIND and TITLE separated by tabs; KIND is recipe or text."},
    {"show", "RECIPEID [--scale FACTOR | --servings N]", "show a recipe or text record",
     "Prints the title, chapter, servings and date saved, then the ingredients and directions "
     "(or the text) line by line. With --scale or --servings the ingredients are resized for "
     "reading, as the Recipe screen's Resize does; nothing is stored."},
    {"add-chapter", "NAME", "add a chapter and print its number",
     "Adds a chapter of that name (at most 60 characters) and prints its number."},
    {"add-recipe",
     "--chapter N --title T [--servings S] [--ingredients FILE] [--directions FILE] [--text]",
     "add a recipe or text record and print its number",
     "Adds a recipe to chapter N and prints its number. The ingredients and directions are read "
     "from the files named (UTF-8 or Windows-1252 text). With --text it adds a text record whose "
     "text comes from --ingredients FILE."},
    {"edit", "RECIPEID [--title T] [--servings N] [--ingredients FILE] [--directions FILE]",
     "change a recipe's title, servings or text",
     "Replaces the parts given (a text record's text with --ingredients). As the editor's Save "
     "does, the changed recipe is stored as a new copy and the old one is flagged deleted."},
    {"photo", "RECIPEID (--load FILE | --save FILE | --delete)", "load, save or remove a recipe's photo",
     "--load stores a JPG, PNG, GIF or BMP picture as the recipe's photo (at most 480 x 360, as the "
     "editor's Load Photo does); --save writes the photo as a BMP file (.bmp is added unless the "
     "name ends so); --delete removes it."},
    {"delete", "RECIPEID", "delete a recipe or text record",
     "Deletes the recipe or text record with that number."},
    {"rename-chapter", "NUMBER NAME", "rename a chapter", "Gives the chapter a new name."},
    {"delete-chapter", "NUMBER [--with-recipes]", "delete a chapter",
     "Deletes a chapter. One that still holds recipes is deleted only with --with-recipes, which "
     "deletes its recipes with it."},
    {"move", "RECIPEID... --to CHAPTER", "file recipes in another chapter",
     "Files the recipes in another chapter; only their chapter number is rewritten."},
    {"copy", "RECIPEID... --to CHAPTER", "copy recipes into a chapter",
     "Copies the recipes into the chapter, with new numbers."},
    {"search", "QUERY [--titles] [--ingredients] [--directions] [--chapter N]",
     "find recipes by words and phrases",
     "Finds recipes as the Find dialog does: words, \"quoted phrases\", -excluded words and /any "
     "/of words. Titles only unless fields are named; all chapters unless --chapter. Prints the "
     "matches as titles does and leaves them under Search Results; with no match it says so and "
     "exits with status 1."},
    {"import", "FILE|- (--chapter N | --sort-by-category) [--as-text-record]",
     "import another program's recipes",
     "Imports another program's export (Meal-Master, MasterCook text and XML, BigOven, Now "
     "You're Cooking and other marked text, RecipeML, schema.org recipes in a saved web page or "
     "a JSON-LD file; - reads standard input) into chapter N, or into chapters named by the "
     "recipes' categories. With --as-text-record the whole text becomes one text record. Prints "
     "CHAPTER, NAME and COUNT for each chapter that received recipes; names on standard error "
     "the recipes that could not be stored and the records cut at 64,990 bytes; exits with "
     "status 1 and the reason when nothing was stored."},
    {"export", "(RECIPEID... | --chapter N) --format FORMAT [--output FILE]",
     "export recipes in another program's format",
     "Writes the recipes (or a chapter or view: -1 is All Recipes) as FORMAT: tovalia (with "
     "photos), tovalia-text, mealmaster, mastercook, xml or index; the exact bytes of the "
     "window's export (Windows-1252, CR LF) go to FILE, or to standard output."},
    {"print",
     "(RECIPEID... | --chapter N) [--layout 50-59] [--printer NAME] [--output FILE.pdf]",
     "print recipes on cards or pages",
     "Prints the recipes with the stored settings of a layout (default: the last one used) on "
     "its printer, or on NAME; --output prints to Save as PDF into that file. Prints the layout, "
     "the printer and the counts of recipes, cards and pages. Nothing is written to the data "
     "folder."},
    {"pdf-book",
     "--output FILE.pdf [--size 6x9|8.5x11|a4] [--title T] [--subtitle S] [--author A] "
     "[--chapter N]... [RECIPEID...]",
     "save a print-ready PDF cookbook",
     "Saves a cookbook of the chapters and recipes named (every recipe when none is named): "
     "title and credits pages, each chapter with its recipes in two columns, page numbers and an "
     "index."},
    {"duplicates", "[--accuracy best|average|poor] [--delete-marked]",
     "find recipes stored twice",
     "Prints the pairs of recipes whose word counts agree (Best accuracy unless named): PAIR, "
     "RECIPEID, TITLE, RECIPEID, TITLE and the RecipeIds of the exact copies marked to delete "
     "(\"-\" for none). With --delete-marked those are deleted, the recipe file compacted and "
     "their number printed. Exits with status 1 when there is no pair."},
    {"grocery list", "[--selected | --found]", "list the grocery items",
     "Prints the grocery items (all of them, those on the shopping list, or those the last "
     "search found) in name order: ID, QUANTITY, NAME, STORE, LOCATION, COST and DEFAULT "
     "separated by tabs."},
    {"grocery add", "NAME [--store S] [--location L] [--cost DOLLARS] [--default N]",
     "add a grocery item and print its number",
     "Adds an item to the catalogue (name up to 25 characters, store and location up to 15, cost "
     "up to 327.67) and prints its number."},
    {"grocery set", "NAME_OR_ID --quantity N", "put an item on the shopping list",
     "Sets an item's quantity on the shopping list; 0 takes it off. A name that several items "
     "share is refused with their numbers."},
    {"grocery delete", "NAME_OR_ID", "delete a grocery item", "Deletes an item from the catalogue."},
    {"grocery find", "TEXT [--field item|store|location]", "mark and list matching items",
     "Marks the items whose name (or store, or location) holds the text, as the Grocery screen's "
     "Find does, and lists them."},
    {"grocery new-list", "[--defaults | --zero | --one]", "start a new shopping list",
     "Sets every item's quantity to its default (without an option), to 0 or to 1."},
    {"grocery export",
     "--format text|csv|csv-names|tab|indented|splashshopper [--output FILE]",
     "write the shopping list to a file",
     "Writes the shopping list in that format to FILE (the format's .txt or .csv is added when "
     "the name does not end in it; the path written is printed) or to standard output."},
    {"grocery print", "[--printer NAME] [--output FILE.pdf]", "print the shopping list",
     "Prints the shopping list with its print settings (and the meal list after it when they say "
     "so) on their printer, or on NAME; --output saves a PDF (Save as PDF)."},
    {"grocery add-recipe", "RECIPEID...", "put recipes' ingredients on the shopping list",
     "Puts the recipes' ingredients on the shopping list and says how many items were raised "
     "and added."},
    {"meals list", "[--from DATE] [--to DATE]", "list the planned meals",
     "Prints the planned meals in date order: ENTRYID, DATE, KIND (recipe or note), RECIPEID, "
     "TICKED (1 or 0) and TEXT separated by tabs. Dates are written YYYY-MM-DD."},
    {"meals add", "DATE (--recipe RECIPEID | --note TEXT)", "plan a recipe or a note on a date",
     "Plans a recipe (remembered with its title) or a note of at most 81 characters on the date "
     "and prints the new entry's number."},
    {"meals delete", "ENTRYID", "take a meal off the calendar", "Takes the meal off the calendar."},
    {"meals print", "[--from DATE] [--to DATE] [--printer NAME] [--output FILE.pdf]",
     "print the meal list",
     "Prints the meals in the range with the meal list's print settings on their printer, or on "
     "NAME; --output saves a PDF (Save as PDF)."},
    {"meals export", "--format ics [--output FILE] [--from DATE] [--to DATE]",
     "write the meals as an iCalendar file",
     "Writes the meals as an iCalendar file for calendar programs, to standard output unless "
     "--output names a file; with --output it prints the number of events written."},
    {"spell", "RECIPEID", "list a recipe's misspelled words",
     "Prints the misspelled words of a recipe: PART, LINE:COLUMN, WORD and suggestions, and the "
     "\"watch for\" words with their replacements. Nothing is changed."},
    {"dictionary add", "WORD [--replace-with TEXT]", "add a word to the spell-check dictionary",
     "Adds a word to the spell-check dictionary; with a replacement it becomes a \"watch for\" "
     "word."},
    {"dictionary delete", "WORD", "take a word out of the dictionary",
     "Takes the word out of the spell-check dictionary."},
    {"dictionary find", "WORD", "look a word up in the dictionary",
     "Looks the word up in the spell-check dictionary."},
    {"dictionary list", "", "list the dictionary's words", "Lists the spell-check dictionary's words."},
    {"upgrade", "--list | --from DIR", "bring over an earlier installation's collection",
     "--list prints the data folders of earlier installations found on this computer (VERSION "
     "and FOLDER). --from DIR copies the recipes, grocery items and meals of one into the data "
     "folder; the files they replace are first moved into before-upgrade-YYYY-MM-DD-HHMM/ "
     "inside the data folder."},
    {"compact", "", "remove deleted records from the recipe file",
     "Rewrites the recipe file without deleted records and damaged bytes."},
    {"check", "", "check the collection and say where it is",
     "Reports what start-up found (index loaded or rebuilt; header current, or the file "
     "compacted), the collection's size, and the number of damaged records after reading every "
     "record the index lists; exits with status 1 when that is not 0. The last line names the "
     "data folder in use and why it was chosen."},
};

std::vector<CommandOption> MakeOptions(std::initializer_list<CommandOption> options) { return options; }

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

std::string PaddedLine(std::string_view left, std::string_view right) {
  std::string line = "  " + std::string(left);
  if (line.size() + 1 > kSummaryColumn) {
    line += "\n";
    line += std::string(kSummaryColumn, ' ');
  } else {
    line += std::string(kSummaryColumn - line.size(), ' ');
  }
  return line + std::string(right) + "\n";
}

// An option and its description, wrapped in the description's column.
std::string OptionLine(std::string_view option, std::string_view description) {
  const std::string wrapped = WrapText(description, kScreenWidth, std::string(kSummaryColumn, ' '));
  return PaddedLine(option, wrapped.substr(kSummaryColumn, wrapped.size() - kSummaryColumn - 1));
}

std::string OptionLines() {
  return OptionLine("--data DIR",
                    "the data folder (default: $TOVALIA_DATA, else tv_data/ beside the program when it "
                    "can be written there, else $XDG_DATA_HOME/tovalia/tv_data/)") +
         OptionLine("--wait SECONDS",
                    "how long a command waits while another Tovalia has the data folder (default 5)") +
         OptionLine("--version", "print the version") + OptionLine("--help", "this text");
}

}  // namespace

const std::vector<CommandHelp>& CommandHelps() { return kCommands; }

const CommandHelp* FindCommandHelp(std::string_view name) {
  for (const CommandHelp& command : kCommands)
    if (command.name == name) return &command;
  return nullptr;
}

std::vector<std::string> SubcommandsOf(std::string_view group) {
  std::vector<std::string> names;
  const std::string prefix = std::string(group) + " ";
  for (const CommandHelp& command : kCommands)
    if (StartsWith(command.name, prefix)) names.emplace_back(command.name.substr(prefix.size()));
  return names;
}

std::vector<CommandOption> CommandOptions(const CommandHelp& command) {
  std::vector<CommandOption> options;
  const std::string_view text = command.synopsis;
  for (size_t at = text.find("--"); at != std::string_view::npos; at = text.find("--", at)) {
    size_t end = at + 2;
    while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) || text[end] == '-')) ++end;
    // A value follows when the next word starts right after one blank.
    const bool takesValue = end + 1 < text.size() && text[end] == ' ' &&
                            std::isalnum(static_cast<unsigned char>(text[end + 1]));
    std::string name(text.substr(at, end - at));
    if (std::none_of(options.begin(), options.end(), [&](const CommandOption& o) { return o.name == name; }))
      options.push_back({name, takesValue});
    at = end;
  }
  return options;
}

const std::vector<CommandOption>& GeneralOptions() {
  static const std::vector<CommandOption> options =
      MakeOptions({{"--data", true}, {"--wait", true}, {"--help", false}, {"--version", false}});
  return options;
}

const std::vector<CommandOption>& WindowOptions() {
  static const std::vector<CommandOption> options =
      MakeOptions({{"--data", true}, {"--headless", false}, {"--script", true}, {"--screen", true},
                   {"--bpp", true}, {"--today", true}, {"--help", false}, {"--version", false}});
  return options;
}

std::string WrapText(std::string_view text, size_t width, std::string_view indent) {
  std::string out;
  std::string line(indent);
  bool lineEmpty = true;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size()) break;
    size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    if (!lineEmpty && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line = std::string(indent);
      lineEmpty = true;
    }
    if (!lineEmpty) line += ' ';
    line += word;
    lineEmpty = false;
    at = end;
  }
  if (!lineEmpty) out += line + "\n";
  return out;
}

std::string CommandLineUsage() {
  std::string text =
      "Usage: tovalia [--data DIR] [FILE]\n"
      "       tovalia [--data DIR] [--wait SECONDS] COMMAND [ARGUMENTS]\n"
      "       tovalia COMMAND --help\n\n" +
      WrapText("Without a command Tovalia opens its window; with a recipe file (a Meal-Master, "
               "MasterCook, RecipeML or JSON-LD file, a saved web page...) it opens the window with "
               "the import of that file. A command does one job on the collection without a window "
               "and exits; its text is UTF-8, its fields are separated by tabs.",
               kScreenWidth, "") +
      "\nCommands (\"tovalia COMMAND --help\" tells more):\n";
  for (const CommandHelp& command : kCommands) text += PaddedLine(command.name, command.summary);
  text += "\nOptions:\n" + OptionLines();
  text += "\n" + WrapText("Window options, for trying the screens: --headless --script FILE (runs the "
                          "screens without a window, driven by FILE), --screen WxH, --bpp N, "
                          "--today YYYY-MM-DD.",
                          kScreenWidth, "");
  return text;
}

std::string CommandUsage(const CommandHelp& command) {
  std::string usage = "Usage: tovalia [--data DIR] " + std::string(command.name);
  if (!command.synopsis.empty()) usage += " " + std::string(command.synopsis);
  std::string text = WrapText(usage, kScreenWidth, "");
  // Continuation lines of a long synopsis line up under the command.
  for (size_t at = text.find('\n'); at != std::string::npos && at + 1 < text.size(); at = text.find('\n', at + 1))
    text.insert(at + 1, 7, ' ');
  return text + "\n" + WrapText(command.details, kScreenWidth, "  ");
}

std::string GroupUsage(std::string_view group) {
  std::string text = "Usage: tovalia [--data DIR] " + std::string(group) + " SUBCOMMAND [ARGUMENTS]\n\n";
  for (const CommandHelp& command : kCommands)
    if (StartsWith(command.name, std::string(group) + " ")) text += PaddedLine(command.name, command.summary);
  return text;
}

std::string VersionText() { return std::string(kProductName) + " " + kProductVersion + "\n"; }

}  // namespace tovalia
