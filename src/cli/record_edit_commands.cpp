#include "cli/record_edit_commands.h"

#include <map>

#include "cli/command_support.h"
#include "cli/command_line.h"
#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_operations.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "recipe/photo.h"

namespace tovalia {

namespace {

// Loads the record with that id as the current item of "All Recipes"; its
// list position, or -1 (with the message) when there is none.
int32_t OpenRecord(CommandContext& c, int32_t recipeId) {
  FindChapterRow(c.db, kAllRecipes);
  BuildCurrentList(c.db);
  const int32_t entry = FindEntryByRecipeId(c.db, recipeId);
  SelectRecipeById(c.db, recipeId);
  if (entry < 0) {
    NoRecipe(c, recipeId);
    return -1;
  }
  if (!LoadRecord(c.db, EntryPosition(c.db, entry))) {
    c.err << "The record of recipe " << recipeId << " cannot be read; \"tovalia compact\" repairs the recipe file.\n";
    return -1;
  }
  return c.db.listPosition;
}

}  // namespace

ParsedCommand ParseEdit(const std::vector<std::string>& args) {
  if (args.empty()) return {nullptr, "\"edit\" takes a recipe number and what to change."};
  auto recipeId = ParseInteger(args[0], 1, INT32_MAX);
  if (!recipeId) return {nullptr, "\"" + args[0] + "\" is not a recipe number."};
  std::map<std::string, std::string> values;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--title" && option != "--servings" && option != "--ingredients" && option != "--directions")
      return {nullptr, "\"edit\" does not know \"" + option + "\"."};
    if (i + 1 >= args.size()) return {nullptr, option + " needs a value."};
    values[option] = args[++i];
  }
  if (values.empty())
    return {nullptr, "\"edit\" needs at least one of --title, --servings, --ingredients and --directions."};
  std::optional<std::string> title, ingredients, directions;
  std::optional<int32_t> servings;
  std::string error;
  if (values.count("--title")) {
    title = TrimBlanks(Utf8ToCp1252(values["--title"]));
    if (HasControlCharacter(*title)) return {nullptr, "A title cannot hold tabs, line ends or other control characters."};
    if (title->empty()) return {nullptr, "A recipe needs a title."};
    if (title->size() > 255) return {nullptr, "A title has at most 255 characters."};
  }
  if (values.count("--servings")) {
    servings = ParseInteger(values["--servings"], 0, 255);
    if (!servings) return {nullptr, "Servings are a number from 0 to 255."};
  }
  for (auto [option, text] : {std::pair{"--ingredients", &ingredients}, std::pair{"--directions", &directions}}) {
    if (!values.count(option)) continue;
    text->emplace();
    if (!ReadRecordTextFile(values[option], **text, error)) return {nullptr, error};
  }
  return {[=, id = *recipeId](CommandContext& c) {
            const int32_t item = OpenRecord(c, id);
            if (item < 0) return kExitFailed;
            ByteBuffer& h = c.db.recordHeaderBuffer;
            const bool textRecord = GetU8(h, header::kRecordKind) == kKindTextRecord;
            if (textRecord && (directions || servings)) {
              c.err << "Recipe " << id << " is a text record: it has one text (--ingredients) and no servings.\n";
              return kExitFailed;
            }
            if (title) SetCurrentTitle(c.db, *title);
            if (servings) SetU8(h, header::kServings, *servings);
            if (ingredients) SetCurrentIngredients(c.db, *ingredients);
            if (directions) SetCurrentDirections(c.db, *directions);
            return Reported(c, StoreEditedRecord(c.db, item));
          },
          {}};
}

ParsedCommand ParsePhoto(const std::vector<std::string>& args) {
  const std::string usage = "\"photo\" takes a recipe number and one of --load FILE, --save FILE and --delete.";
  if (args.size() < 2 || args.size() > 3) return {nullptr, usage};
  auto recipeId = ParseInteger(args[0], 1, INT32_MAX);
  if (!recipeId) return {nullptr, "\"" + args[0] + "\" is not a recipe number."};
  const std::string action = args[1];
  const bool withFile = action == "--load" || action == "--save";
  if (!(withFile && args.size() == 3) && !(action == "--delete" && args.size() == 2)) return {nullptr, usage};
  const std::string path = withFile ? args[2] : std::string();
  ParsedCommand command{[=, id = *recipeId](CommandContext& c) {
                          const int32_t item = OpenRecord(c, id);
                          if (item < 0) return kExitFailed;
                          if (action == "--save") {
                            const std::vector<uint8_t> photo = SoundStoredPhoto(c.db);
                            if (photo.empty()) {
                              c.err << "Recipe " << id << " has no photo.\n";
                              return kExitFailed;
                            }
                            const std::string file = PhotoFileName(path);
                            if (!ReplaceFileContents(file, photo.data(), photo.size())) {
                              c.err << "Cannot write " << file << ".\n";
                              return kExitFailed;
                            }
                            c.out << file << '\n';
                            return kExitOk;
                          }
                          if (action == "--delete") {
                            if (GetI32(c.db.recordHeaderBuffer, header::kPhotoLength) <= 0) {
                              c.err << "Recipe " << id << " has no photo.\n";
                              return kExitFailed;
                            }
                            SetStoredPhoto(c.db, {});
                          } else {
                            const PhotoOutcome outcome = LoadPhotoFile(c.db, path);
                            if (outcome == PhotoOutcome::kUnreadable) {
                              c.err << "Cannot read the picture \"" << path << "\".\n";
                              return kExitFailed;
                            }
                            if (outcome != PhotoOutcome::kPhoto) {
                              c.err << "\"" << path << "\" is not a picture Tovalia can read (JPG, PNG, GIF or BMP).\n";
                              return kExitFailed;
                            }
                          }
                          return Reported(c, StoreEditedRecord(c.db, item));
                        },
                        {}};
  if (action == "--save") command.access = FolderAccess::kRead;
  return command;
}

}  // namespace tovalia
