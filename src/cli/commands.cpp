#include "cli/commands.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "cli/command_line.h"
#include "cli/command_support.h"
#include "cli/duplicates_command.h"
#include "cli/export_command.h"
#include "cli/grocery_commands.h"
#include "cli/meal_commands.h"
#include "cli/record_edit_commands.h"
#include "cli/spell_commands.h"
#include "cli/pdf_book_command.h"
#include "cli/upgrade_command.h"
#include "db/clock.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/chapter_operations.h"
#include "db/record_operations.h"
#include "db/record_search.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "cli/print_command.h"
#include "interchange/import_command.h"
#include "recipe/line_table.h"
#include "recipe/resize.h"

namespace tovalia {

namespace {

constexpr size_t kChapterNameLimit = 60;  // what the chapter prompt lets a user type


void PrintLines(std::ostream& out, std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\r', start);
    if (end == std::string_view::npos) end = text.size();
    out << Cp1252ToUtf8(text.substr(start, end - start)) << '\n';
    start = end + 1;
  }
}

std::string_view BufferText(const ByteBuffer& buffer, int32_t length) {
  if (!buffer.Holds(0, length)) return {};
  return std::string_view(reinterpret_cast<const char*>(buffer.Data()),
                          static_cast<size_t>(length));
}

std::optional<std::string> ChapterNameArgument(const std::string& argument, std::string& error) {
  std::string name = TrimBlanks(Utf8ToCp1252(argument));
  if (HasControlCharacter(name)) {
    error = "A chapter name cannot hold tabs, line ends or other control characters.";
    return std::nullopt;
  }
  if (name.empty()) {
    error = "A chapter needs a name.";
    return std::nullopt;
  }
  if (name.size() > kChapterNameLimit) {
    error = "A chapter name has at most " + std::to_string(kChapterNameLimit) + " characters.";
    return std::nullopt;
  }
  return name;
}

// --- commands -------------------------------------------------------------

ParsedCommand ParseChapters(const std::vector<std::string>& args) {
  if (!args.empty()) return Refuse("\"chapters\" takes no arguments.");
  return ReadOnly({[](CommandContext& c) {
            for (const ChapterRow& row : c.db.chapterTable)
              c.out << row.number << '\t' << Cp1252ToUtf8(row.name) << '\n';
            return kExitOk;
          },
          {}});
}

// The recipe list as lines of RECIPEID, CHAPTER, KIND and TITLE.
void PrintList(CommandContext& c) {
  for (int32_t o : c.db.recipeList) {
    c.out << EntryRecipeId(c.db, o) << '\t' << EntryChapter(c.db, o) << '\t'
          << (EntryKind(c.db, o) == kKindTextRecord ? "text" : "recipe") << '\t'
          << Cp1252ToUtf8(EntryTitle(c.db, o)) << '\n';
  }
}

ParsedCommand ParseTitles(const std::vector<std::string>& args) {
  if (args.size() > 1) return Refuse("\"titles\" takes at most one chapter number.");
  int32_t chapter = kAllRecipes;
  if (!args.empty()) {
    auto number = ParseInteger(args[0], kRecipesWithPhotos, 65535);
    if (!number) return Refuse("\"" + args[0] + "\" is not a chapter number.");
    chapter = *number;
  }
  return ReadOnly({[chapter](CommandContext& c) {
            BuildRecipeList(c.db, chapter);
            PrintList(c);
            return kExitOk;
          },
          {}});
}

// Prints the loaded record: its fields, then its lines.
void PrintCurrentRecord(CommandContext& c, int32_t entry) {
  const ByteBuffer& h = c.db.recordHeaderBuffer;
  c.out << "Title: " << Cp1252ToUtf8(BufferText(c.db.titleBuffer, GetU8(h, header::kTitleLength)))
        << '\n';
  c.out << "Chapter: " << Cp1252ToUtf8(ChapterName(c.db, EntryChapter(c.db, entry))) << '\n';
  c.out << "Servings: " << GetU8(h, header::kServings) << '\n';
  c.out << "Saved: "
        << FormatDate(GetU16(h, header::kSavedYear), GetU8(h, header::kSavedMonth),
                      GetU8(h, header::kSavedDay))
        << '\n';
  std::string_view ingredients = BufferText(c.db.ingredientsBuffer, GetI32(h, header::kIngredientsLength));
  if (GetU8(h, header::kRecordKind) == kKindTextRecord) {
    c.out << "\nText:\n";
    PrintLines(c.out, ingredients);
    return;
  }
  c.out << "\nIngredients:\n";
  PrintLines(c.out, ingredients);
  c.out << "\nDirections:\n";
  PrintLines(c.out, BufferText(c.db.directionsBuffer, GetI32(h, header::kDirectionsLength)));
}

ParsedCommand ParseShow(const std::vector<std::string>& args) {
  if (args.empty() || (args.size() != 1 && args.size() != 3))
    return Refuse("\"show\" takes one recipe number, and --scale FACTOR or --servings N.");
  auto recipeId = ParseInteger(args[0], 1, INT32_MAX);
  if (!recipeId) return Refuse("\"" + args[0] + "\" is not a recipe number.");
  double scale = 0, servings = 0;
  if (args.size() == 3) {
    char* end = nullptr;
    double value = std::strtod(args[2].c_str(), &end);
    if (args[2].empty() || *end != '\0' || !(value > 0) || value > 1e6)
      return Refuse("\"" + args[2] + "\" is not a positive number.");
    if (args[1] == "--scale") {
      scale = value;
    } else if (args[1] == "--servings") {
      servings = value;
    } else {
      return Refuse("\"show\" does not know \"" + args[1] + "\".");
    }
  }
  return ReadOnly({[id = *recipeId, scale, servings](CommandContext& c) {
            int32_t o = FindEntryByRecipeId(c.db, id);
            if (o < 0) return NoRecipe(c, id);
            if (!LoadRecord(c.db, EntryPosition(c.db, o))) {
              c.err << "The record of recipe " << id
                    << " cannot be read; \"tovalia compact\" repairs the recipe file.\n";
              return kExitFailed;
            }
            ByteBuffer& h = c.db.recordHeaderBuffer;
            if (scale > 0 || servings > 0) {
              // Resized as the Recipe screen does it: in memory only.
              if (GetU8(h, header::kRecordKind) == kKindTextRecord) {
                c.err << "Information text cannot be resized.\n";
                return kExitFailed;
              }
              const int32_t stored = GetU8(h, header::kServings);
              if (servings > 0 && stored == 0) {
                c.err << "No servings specified for this recipe; use --scale 2 or --scale 0.5.\n";
                return kExitFailed;
              }
              const double factor = servings > 0 ? servings / stored : scale;
              if (stored > 0) SetU8(h, header::kServings, ServingsAfterResize(stored * factor));
              ByteBuffer table;
              CreateLineTable(table, kTextBufferSize + 1, line_table::kMostWrapWidth, kTextBufferSize);
              ResizeIngredients(c.db, factor, table);
            }
            PrintCurrentRecord(c, o);
            return kExitOk;
          },
          {}});
}

ParsedCommand ParseAddChapter(const std::vector<std::string>& args) {
  if (args.size() != 1) return Refuse("\"add-chapter\" takes one chapter name (quote it).");
  std::string error;
  auto name = ChapterNameArgument(args[0], error);
  if (!name) return Refuse(error);
  return {[name = *name](CommandContext& c) {
            int32_t number = AddChapter(c.db, name);
            if (number < 0) {
              c.err << "The chapter could not be stored in " << c.db.paths.recipeFile << ".\n";
              return kExitFailed;
            }
            c.out << number << '\n';
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseRenameChapter(const std::vector<std::string>& args) {
  if (args.size() != 2) return Refuse("\"rename-chapter\" takes a chapter number and a new name.");
  auto number = ParseInteger(args[0], 1, 65535);
  if (!number) return Refuse("\"" + args[0] + "\" is not a chapter number.");
  std::string error;
  auto name = ChapterNameArgument(args[1], error);
  if (!name) return Refuse(error);
  return {[number = *number, name = *name](CommandContext& c) {
            int32_t row = RowOfChapter(c.db, number);
            if (row < 0) return NoChapter(c, number);
            if (c.db.chapterTable[static_cast<size_t>(row)].name == name) return kExitOk;
            c.db.currentChapterRow = row;
            if (!RenameChapter(c.db, name)) {
              c.err << "The chapter could not be renamed in " << c.db.paths.recipeFile << ".\n";
              return kExitFailed;
            }
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseDeleteChapter(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "--with-recipes"))
    return Refuse("\"delete-chapter\" takes a chapter number, and --with-recipes to delete "
                  "the recipes filed in it as well.");
  auto number = ParseInteger(args[0], 1, 65535);
  if (!number) return Refuse("\"" + args[0] + "\" is not a chapter number.");
  const bool withRecipes = args.size() == 2;
  return {[number = *number, withRecipes](CommandContext& c) {
            int32_t row = RowOfChapter(c.db, number);
            if (row < 0) return NoChapter(c, number);
            int32_t held = RecipesInChapter(c.db, number);
            // Deleting a chapter deletes everything in it; without a person to
            // ask, that has to be said on the command line.
            if (held > 0 && !withRecipes) {
              c.err << "Chapter " << number << " holds " << held
                    << " recipes, which would be deleted with it; add --with-recipes to do so.\n";
              return kExitFailed;
            }
            c.db.currentChapterRow = row;
            if (!DeleteChapter(c.db)) {
              c.err << "The recipe file " << c.db.paths.recipeFile << " cannot be opened for writing.\n";
              return kExitFailed;
            }
            return kExitOk;
          },
          {}};
}

// move RECIPEID... --to CHAPTER and copy RECIPEID... --to CHAPTER.
ParsedCommand ParseMoveOrCopy(const std::vector<std::string>& args, bool copy) {
  const std::string name = copy ? "copy" : "move";
  std::vector<int32_t> ids;
  std::optional<int32_t> target;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--to") {
      if (i + 1 >= args.size()) return Refuse("--to needs a chapter number.");
      target = ParseInteger(args[++i], 1, 65535);
      if (!target) return Refuse("\"" + args[i] + "\" is not a chapter number.");
    } else {
      auto id = ParseInteger(args[i], 1, INT32_MAX);
      if (!id) return Refuse("\"" + args[i] + "\" is not a recipe number.");
      ids.push_back(*id);
    }
  }
  if (ids.empty() || !target)
    return Refuse("\"" + name + "\" takes recipe numbers and --to CHAPTER.");
  return {[ids, target = *target, copy](CommandContext& c) {
            if (RowOfChapter(c.db, target) < 0) return NoChapter(c, target);
            FindChapterRow(c.db, kAllRecipes);
            BuildCurrentList(c.db);
            for (int32_t id : ids) {
              auto found = std::find_if(c.db.recipeList.begin(), c.db.recipeList.end(),
                                        [&](int32_t o) { return EntryRecipeId(c.db, o) == id; });
              if (found == c.db.recipeList.end()) return NoRecipe(c, id);
              c.db.selectionFlags[static_cast<size_t>(found - c.db.recipeList.begin())] = 1;
            }
            return Reported(c, copy ? CopyTickedRecipes(c.db, target) : MoveTickedRecipes(c.db, target));
          },
          {}};
}

ParsedCommand ParseSearch(const std::vector<std::string>& args) {
  SearchOptions options;
  options.titles = false;
  std::optional<std::string> query;
  std::optional<int32_t> chapter;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--titles") {
      options.titles = true;
    } else if (args[i] == "--ingredients") {
      options.ingredients = true;
    } else if (args[i] == "--directions") {
      options.directions = true;
    } else if (args[i] == "--chapter") {
      if (i + 1 >= args.size()) return Refuse("--chapter needs a chapter number.");
      chapter = ParseInteger(args[++i], 1, 65535);
      if (!chapter) return Refuse("\"" + args[i] + "\" is not a chapter number.");
    } else if (!query && args[i].rfind("--", 0) != 0) {
      query = Utf8ToCp1252(args[i]);
    } else {
      return Refuse("\"search\" takes one query (quote it) and the options --titles, "
                    "--ingredients, --directions and --chapter N.");
    }
  }
  if (!query || TrimBlanks(*query).empty()) return Refuse("\"search\" needs a query.");
  if (query->size() > 50) return Refuse("A query has at most 50 characters.");
  if (!options.ingredients && !options.directions) options.titles = true;
  options.allChapters = !chapter;
  return {[query = *query, options, chapter](CommandContext& c) {
            if (chapter) {
              int32_t row = RowOfChapter(c.db, *chapter);
              if (row < 0) return NoChapter(c, *chapter);
              c.db.currentChapterRow = row;
            }
            const int32_t matches = SearchRecords(c.db, query, options);
            PrintList(c);
            if (matches == 0) {
              c.err << Cp1252ToUtf8(NoMatchesMessage(query)) << '\n';
              return kExitFailed;
            }
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseImport(const std::vector<std::string>& args) {
  std::optional<std::string> source;
  std::optional<int32_t> chapter;
  bool sortByCategory = false;
  bool asTextRecord = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--chapter") {
      if (i + 1 >= args.size()) return Refuse("--chapter needs a chapter number.");
      chapter = ParseInteger(args[++i], 1, 65535);
      if (!chapter) return Refuse("\"" + args[i] + "\" is not a chapter number.");
    } else if (args[i] == "--sort-by-category") {
      sortByCategory = true;
    } else if (args[i] == "--as-text-record") {
      asTextRecord = true;
    } else if (!source && (args[i] == "-" || args[i].rfind("--", 0) != 0)) {
      source = args[i];
    } else {
      return Refuse("\"import\" takes one file (or - for standard input) and the options "
                    "--chapter N, --sort-by-category and --as-text-record.");
    }
  }
  if (!source) return Refuse("\"import\" needs a file to import, or - for standard input.");
  if (!chapter && !sortByCategory)
    return Refuse("\"import\" needs --chapter N, or --sort-by-category to file recipes by their categories.");
  std::string stdinText;
  if (*source == "-") {
    std::ostringstream in;
    in << std::cin.rdbuf();
    stdinText = in.str();
  }
  return {[source = *source, chapter, sortByCategory, asTextRecord, stdinText](CommandContext& c) {
            if (chapter) {
              int32_t row = RowOfChapter(c.db, *chapter);
              if (row < 0) return NoChapter(c, *chapter);
              c.db.currentChapterRow = row;
            }
            ImportRequest request;
            request.sourcePath = source;
            request.sortByCategory = sortByCategory;
            request.way = asTextRecord ? ImportWay::kInformationRecord : ImportWay::kAutomatic;
            if (source == "-") {
              // Standard input stands in for the clipboard: it is read from Temp.dat.
              request.sourcePath = c.db.paths.tempFile;
              request.fromClipboard = true;
              if (!ReplaceFileContents(request.sourcePath, stdinText.data(), stdinText.size())) {
                c.err << "Cannot write " << request.sourcePath << ".\n";
                return kExitFailed;
              }
            }
            // An empty title (which the window would ask for) becomes "Untitled".
            ImportOutcome outcome = RunImport(c.db, request, [] { return std::string("Untitled"); });
            if (source == "-") DeleteDataFile(request.sourcePath);
            if (!outcome.refusal.empty()) {
              c.err << Cp1252ToUtf8(outcome.refusal) << '\n';
              return kExitFailed;
            }
            if (outcome.truncated) c.err << "File has been truncated to 999 lines\n";
            for (const auto& [number, count] : outcome.result.perChapter)
              c.out << number << '\t' << Cp1252ToUtf8(ChapterName(c.db, number)) << '\t' << count << '\n';
            for (const std::string& line : ImportSummary(outcome)) c.err << Cp1252ToUtf8(line) << '\n';
            if (outcome.result.stored == 0) {
              c.err << Cp1252ToUtf8(outcome.nothingStored.empty() ? "Nothing was stored." : outcome.nothingStored) << '\n';
              return kExitFailed;
            }
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseMove(const std::vector<std::string>& args) { return ParseMoveOrCopy(args, false); }
ParsedCommand ParseCopy(const std::vector<std::string>& args) { return ParseMoveOrCopy(args, true); }

ParsedCommand ParseAddRecipe(const std::vector<std::string>& args) {
  std::map<std::string, std::string> values;
  bool textRecord = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--text") {
      textRecord = true;
    } else if (option == "--chapter" || option == "--title" || option == "--servings" ||
               option == "--ingredients" || option == "--directions") {
      if (i + 1 >= args.size()) return Refuse(option + " needs a value.");
      values[option] = args[++i];
    } else {
      return Refuse("\"add-recipe\" does not know \"" + option + "\".");
    }
  }
  if (!values.count("--chapter")) return Refuse("\"add-recipe\" needs --chapter NUMBER.");
  if (!values.count("--title")) return Refuse("\"add-recipe\" needs --title TITLE.");
  auto chapter = ParseInteger(values["--chapter"], 1, 65535);
  if (!chapter) return Refuse("\"" + values["--chapter"] + "\" is not a chapter number.");
  std::string title = TrimBlanks(Utf8ToCp1252(values["--title"]));
  if (HasControlCharacter(title))
    return Refuse("A title cannot hold tabs, line ends or other control characters.");
  if (title.empty()) return Refuse("A recipe needs a title.");
  if (title.size() > 255) return Refuse("A title has at most 255 characters.");
  int32_t servings = 4;
  if (values.count("--servings")) {
    auto parsed = ParseInteger(values["--servings"], 0, 255);
    if (!parsed) return Refuse("Servings are a number from 0 to 255.");
    servings = *parsed;
  }
  if (textRecord && values.count("--directions"))
    return Refuse("A text record has one text: give it with --ingredients FILE.");
  std::string ingredients, directions, error;
  if (values.count("--ingredients") && !ReadRecordTextFile(values["--ingredients"], ingredients, error))
    return Refuse(error);
  if (values.count("--directions") && !ReadRecordTextFile(values["--directions"], directions, error))
    return Refuse(error);

  return {[=, chapter = *chapter](CommandContext& c) {
            if (RowOfChapter(c.db, chapter) < 0) return NoChapter(c, chapter);
            ClearCurrentRecord(c.db);
            SetU8(c.db.recordHeaderBuffer, header::kServings, servings);
            SetCurrentTitle(c.db, title);
            SetCurrentIngredients(c.db, ingredients);
            SetCurrentDirections(c.db, directions);
            int32_t id = StoreNewRecordInChapter(
                c.db, textRecord ? kKindTextRecord : kKindRecipe, chapter);
            if (id < 0) {
              c.err << "The recipe could not be stored in " << c.db.paths.recipeFile << ".\n";
              return kExitFailed;
            }
            c.out << id << '\n';
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseDelete(const std::vector<std::string>& args) {
  if (args.size() != 1) return Refuse("\"delete\" takes one recipe number.");
  auto recipeId = ParseInteger(args[0], 1, INT32_MAX);
  if (!recipeId) return Refuse("\"" + args[0] + "\" is not a recipe number.");
  return {[id = *recipeId](CommandContext& c) {
            int32_t o = FindEntryByRecipeId(c.db, id);
            if (o < 0) return NoRecipe(c, id);
            return Reported(c, DeleteEntries(c.db, {o}));
          },
          {}};
}

ParsedCommand ParseCompact(const std::vector<std::string>& args) {
  if (!args.empty()) return Refuse("\"compact\" takes no arguments.");
  return {[](CommandContext& c) {
            auto size = [&c] {
              DataFile file = OpenDataFile("i", c.db.paths.recipeFile);
              return FileLength(file);
            };
            if (!FileExists(c.db.paths.recipeFile)) {
              c.out << "There is no recipe file to compact.\n";
              return kExitOk;
            }
            int64_t before = size();
            if (!CompactDatabase(c.db)) {
              c.err << "The recipe file could not be compacted; it is unchanged.\n";
              return kExitFailed;
            }
            c.out << "Recipe file: " << before << " bytes before, " << size() << " after.\n";
            return kExitOk;
          },
          {}};
}

ParsedCommand ParseCheck(const std::vector<std::string>& args) {
  if (!args.empty()) return Refuse("\"check\" takes no arguments.");
  return ReadOnly({[](CommandContext& c) {
            c.out << "index: " << (c.startup.indexLoaded ? "loaded" : "rebuilt") << '\n';
            switch (c.startup.header) {
              case HeaderCheckOutcome::kNoRecipeFile:
                c.out << "recipe file: none yet\n";
                break;
              case HeaderCheckOutcome::kHeaderRewritten:
                c.out << "recipe file: header rewritten\n";
                break;
              case HeaderCheckOutcome::kCompacted:
                c.out << "recipe file: compacted\n";
                break;
              case HeaderCheckOutcome::kHeaderCurrent:
                c.out << "recipe file: header current\n";
                break;
            }
            c.out << "recipes: " << c.db.recipeCount << '\n';
            c.out << "chapters: " << (c.db.chapterTable.size() - kReservedChapterRows) << '\n';
            c.out << "deleted bytes: " << c.db.wastedBytes << '\n';
            const int32_t damaged = CountDamagedEntries(c.db);
            c.out << "damaged records: " << damaged << '\n';
            c.out << "data folder: " << c.db.paths.dataFolder;
            if (!c.dataFolderOrigin.empty()) c.out << " (" << c.dataFolderOrigin << ')';
            c.out << '\n';
            return damaged == 0 ? kExitOk : kExitFailed;
          },
          {}});
}

using Parser = ParsedCommand (*)(const std::vector<std::string>&);

const std::map<std::string, Parser>& Parsers() {
  static const std::map<std::string, Parser> kCommands = {
      {"chapters", ParseChapters},     {"titles", ParseTitles},
      {"show", ParseShow},             {"add-chapter", ParseAddChapter},
      {"add-recipe", ParseAddRecipe},  {"delete", ParseDelete},
      {"compact", ParseCompact},       {"check", ParseCheck},
      {"rename-chapter", ParseRenameChapter}, {"delete-chapter", ParseDeleteChapter},
      {"move", ParseMove},             {"copy", ParseCopy},
      {"search", ParseSearch},         {"import", ParseImport},
      {"export", ParseExport},         {"grocery", ParseGrocery},
      {"meals", ParseMeals},
      {"upgrade", ParseUpgrade},       {"pdf-book", ParsePdfBook},
      {"print", ParsePrint},           {"duplicates", ParseDuplicates},
      {"edit", ParseEdit},             {"photo", ParsePhoto},
      {"spell", ParseSpell},           {"dictionary", ParseDictionary},
  };
  return kCommands;
}

}  // namespace

std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const auto& [name, parser] : Parsers()) names.push_back(name);
  return names;
}

ParsedCommand ParseCommand(const std::string& name, const std::vector<std::string>& args) {
  auto found = Parsers().find(name);
  if (found == Parsers().end())
    return Refuse("\"" + name + "\" is not a command; \"tovalia --help\" lists them.");
  return found->second(args);
}

}  // namespace tovalia
