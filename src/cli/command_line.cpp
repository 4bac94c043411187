#include "cli/command_line.h"

#include <cstdlib>

#include "calendar/meal_plan_view.h"
#include "cli/commands.h"
#include "cli/terminal_progress.h"
#include "db/data_folder_lock.h"
#include "db/data_paths.h"
#include "platform/program_folder.h"
#include "state/database_lifecycle.h"
#include "state/settings.h"

namespace tovalia {

std::string CommandLineUsage() {
  return R"(Usage: tovalia [--data DIR] COMMAND [ARGUMENTS]
       tovalia                      start the window

Commands (text is UTF-8; fields are separated by tabs):
  chapters                          every chapter: NUMBER, NAME (reserved views first)
  titles [CHAPTER]                  the recipe list of a chapter or view (default -1,
                                    All Recipes): RECIPEID, CHAPTER, KIND, TITLE
  show RECIPEID [--scale FACTOR | --servings N]
                                    a recipe or text with its fields and lines; resized
                                    for reading (the stored recipe does not change)
  add-chapter NAME                  adds a chapter and prints its number
  add-recipe --chapter N --title T [--servings S] [--ingredients FILE]
             [--directions FILE] [--text]
                                    adds a recipe (a text record with --text, whose
                                    text comes from --ingredients) and prints its number
  edit RECIPEID [--title T] [--servings N] [--ingredients FILE] [--directions FILE]
                                    replaces the parts given (a text record's text is
                                    --ingredients); the old copy is kept as deleted
  photo RECIPEID (--load FILE | --save FILE | --delete)
                                    stores a JPG, PNG, GIF or BMP picture as the photo
                                    (at most 480 x 360), writes the photo as FILE.bmp,
                                    or removes it
  delete RECIPEID                   deletes a recipe or text
  rename-chapter NUMBER NAME        renames a chapter
  delete-chapter NUMBER [--with-recipes]
                                    deletes a chapter; one that still holds recipes only
                                    with --with-recipes, which deletes them as well
  move RECIPEID... --to CHAPTER     files recipes in another chapter
  copy RECIPEID... --to CHAPTER     copies recipes into a chapter (new numbers)
  search QUERY [--titles] [--ingredients] [--directions] [--chapter N]
                                    finds recipes (titles only unless fields are named; all
                                    chapters unless --chapter) and lists them as titles does;
                                    they stay under Search Results
  upgrade --list | --from DIR       lists the data folders of earlier installations found on
                                    this computer (VERSION, FOLDER), or copies the recipes,
                                    groceries and meals of one; the files they replace are
                                    moved into a dated folder inside the data folder first
  import FILE|- (--chapter N | --sort-by-category) [--as-text-record]
                                    imports the recipes of another program's export (or of
                                    standard input) and prints CHAPTER, NAME, COUNT stored
  export (RECIPEID... | --chapter N) --format FORMAT [--output FILE]
                                    writes recipes (or a chapter or view: -1 is All Recipes)
                                    as FORMAT: tovalia (with photos), tovalia-text,
                                    mealmaster, mastercook, xml or index; the exact bytes of
                                    the window's export (Windows-1252, CR LF) go to FILE, or
                                    to standard output
  grocery list [--selected | --found]
                                    grocery items (all, on the shopping list, or found by the
                                    last search): ID, QUANTITY, NAME, STORE, LOCATION, COST,
                                    DEFAULT
  grocery add NAME [--store S] [--location L] [--cost DOLLARS] [--default N]
                                    adds an item to the catalogue and prints its number
  grocery set NAME_OR_ID --quantity N
                                    puts N of an item on the shopping list (0 takes it off)
  grocery delete NAME_OR_ID         deletes an item from the catalogue
  grocery find TEXT [--field item|store|location]
                                    marks and lists the items whose name (store, location)
                                    holds the text
  grocery new-list [--defaults | --zero | --one]
                                    starts a new shopping list: every quantity set to the
                                    item's default (the default), to 0 or to 1
  grocery export --format text|csv|csv-names|tab|indented|splashshopper [--output FILE]
                                    writes the shopping list to the file (the format's
                                    extension is added when missing) or to standard output
  grocery print [--printer NAME] [--output FILE.pdf]
                                    prints the shopping list with its print settings (and
                                    the meal list after it when they say so) on their
                                    printer, or on NAME; --output saves a PDF
                                    ("Save as PDF")
  grocery add-recipe RECIPEID...    puts the recipes' ingredients on the shopping list
  print (RECIPEID... | --chapter N) [--layout 50-59] [--printer NAME] [--output FILE.pdf]
                                    prints recipes with the stored settings of a layout
                                    (default: the last one used) on its printer, or on
                                    NAME; --output saves a PDF ("Save as PDF")
  meals list [--from DATE] [--to DATE]
                                    the planned meals in date order: ENTRYID, DATE, KIND
                                    (recipe or note), RECIPEID, TICKED (1 or 0), TEXT
  meals add DATE (--recipe RECIPEID | --note TEXT)
                                    plans a recipe or a note on the date and prints the
                                    new entry's number; dates are written YYYY-MM-DD
  meals delete ENTRYID              takes a meal off the calendar
  meals print [--from DATE] [--to DATE] [--printer NAME] [--output FILE.pdf]
                                    prints the meals in the range with the meal list's
                                    print settings on their printer, or on NAME;
                                    --output saves a PDF ("Save as PDF")
  meals export --format ics [--output FILE] [--from DATE] [--to DATE]
                                    the meals as an iCalendar file for calendar programs
                                    (standard output unless --output)
  pdf-book --output FILE.pdf [--size 6x9|8.5x11|a4] [--title T] [--subtitle S]
           [--author A] [--chapter N]... [RECIPEID...]
                                    saves a print-ready cookbook of the chapters and recipes
                                    named (every recipe when none is named)
  duplicates [--accuracy best|average|poor] [--delete-marked]
                                    pairs of recipes whose word counts agree (best by
                                    default): PAIR, RECIPEID, TITLE, RECIPEID, TITLE and the
                                    RecipeIds of exact copies marked to delete ("-" for none);
                                    --delete-marked deletes those and says how many
  spell RECIPEID                    the misspelled words of a recipe: PART, LINE:COLUMN,
                                    WORD and suggestions; "watch for" words with their
                                    replacements (nothing is changed)
  dictionary add WORD [--replace-with TEXT]
                                    adds a word to the spell-check dictionary (with a
                                    replacement: a "watch for" word)
  dictionary delete WORD | find WORD | list
                                    takes a word out, looks one up, lists them all
  compact                           removes deleted records from the recipe file
  check                             reports what start-up found and the collection's size

Options:
  --data DIR    the data folder (default: $TOVALIA_DATA, else tv_data/ beside the program)
  --wait SECS   how long to wait while another Tovalia has the data folder (default 5)
  --help        this text
)";
}

namespace {

constexpr int kFolderLockWaitMilliseconds = 5000;

int RefuseBusyFolder(std::ostream& err, const std::string& folder) {
  err << "tovalia: Tovalia is running on this data folder; close it first (" << folder << ").\n";
  return kExitFailed;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string dataFolder;
  int waitMilliseconds = kFolderLockWaitMilliseconds;
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    if (args[i] == "--help") {
      out << CommandLineUsage();
      return kExitOk;
    }
    if (args[i] == "--wait") {
      char* end = nullptr;
      const std::string value = i + 1 < args.size() ? args[i + 1] : "";
      const double seconds = std::strtod(value.c_str(), &end);
      if (value.empty() || *end != '\0' || !(seconds >= 0) || seconds > 86400) {
        err << "tovalia: --wait needs a number of seconds.\n";
        return kExitUsage;
      }
      waitMilliseconds = static_cast<int>(seconds * 1000);
      ++i;
      continue;
    }
    if (args[i] != "--data") {
      err << "tovalia: unknown option \"" << args[i] << "\"; \"tovalia --help\" lists them.\n";
      return kExitUsage;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      err << "tovalia: --data needs a folder.\n";
      return kExitUsage;
    }
    dataFolder = args[++i];
  }
  if (i >= args.size()) {
    err << "tovalia: no command given.\n" << CommandLineUsage();
    return kExitUsage;
  }
  if (args[i] == "help") {
    out << CommandLineUsage();
    return kExitOk;
  }
  ParsedCommand command =
      ParseCommand(args[i], std::vector<std::string>(args.begin() + static_cast<long>(i) + 1, args.end()));
  if (!command.job) {
    err << "tovalia: " << command.error << '\n';
    return kExitUsage;
  }

  std::string folder = ResolveDataFolder(dataFolder);
  if (!MakeFolder(folder)) {
    err << "tovalia: the data folder \"" << folder << "\" cannot be created.\n";
    return kExitFailed;
  }
  TerminalProgress progress;
  Database db(DataPaths::ForDataFolder(folder));
  db.progress = &progress;

  DataFolderLock lock(db.paths.dataFolder);
  FolderAccess access = command.access;
  if (!lock.Acquire(access, waitMilliseconds)) return RefuseBusyFolder(err, folder);
  Settings settings(db.paths.setupFile);
  const int32_t storedWaste = GetNumberSetting(settings, setting::kWastedBytes);
  StartupReport startup = BringDatabaseUp(db, settings, access);
  if (startup.needsWriter) {
    // The files need repairing first, which only a writer may do.
    access = FolderAccess::kWrite;
    if (!lock.Acquire(access, waitMilliseconds)) return RefuseBusyFolder(err, folder);
    startup = BringDatabaseUp(db, settings, access);
  }

  MealCalendar meals(db.paths.eventFile);
  AttachMealCalendar(db, meals);
  CommandContext context{db, settings, meals, startup, out, err};
  int status = command.job(context);
  DetachMealCalendar(db);
  if (access == FolderAccess::kRead) return status;
  if (status == kExitOk) {
    ShutDatabaseDown(db, settings);
  } else if (db.wastedBytes != storedWaste) {
    // A failed job changed nothing, but what start-up did must still be kept.
    PutNumberSetting(settings, setting::kWastedBytes, db.wastedBytes);
  }
  return status;
}

}  // namespace tovalia
