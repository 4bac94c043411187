#include "interchange/recipe_writer.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "interchange/wrapped_text.h"

namespace tovalia {

namespace {

constexpr int32_t kDefaultServings = 4;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int32_t Length(const Database& db, int32_t field) { return GetI32(db.recordHeaderBuffer, field); }

// An ingredient line that stands on its own (neither a group break nor a
// continuation), trimmed, in its stored form: a note after " -- " goes
// behind a comma, or the line opens with a capital; then it is parsed and
// rebuilt.
std::string ShapeIngredientLine(std::string line) {
  size_t note = line.find("-- ");
  if (note == std::string::npos) note = line.find(" --");
  if (note != std::string::npos && note > 0) {
    line = TrimBlanks(std::string_view(line).substr(0, note)) + ", " + TrimBlanks(std::string_view(line).substr(note + 3));
  } else {
    line[0] = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(line[0])));
  }
  return BuildIngredientLine(ParseIngredientLine(line));
}

bool IsGroupBreak(const std::string& trimmed) { return trimmed.empty() || trimmed == "-" || trimmed == ";"; }

// Our Meal-Master export writes the sub-heading "Filling:" as "=== Filling ===".
std::string WithSubheadingRead(std::string line) {
  if (line.size() > 8 && StartsWith(line, "=== ") && line.substr(line.size() - 4) == " ===") {
    const std::string heading = TrimBlanks(std::string_view(line).substr(4, line.size() - 8));
    if (!heading.empty()) line = heading + ":";
  }
  return line;
}

// One ingredient line: an empty line (or a lone "-") ends a group; "-- ",
// ";" and a single "-" go on with the ingredient above; " -- " inside a line brings in a
// preparation note; any other line opens with a capital. The line is then
// parsed and stored in its normalised form. `shaped` is the line's
// ShapeIngredientLine when it was made beforehand.
bool WriteIngredientLine(Database& db, std::string line, const std::string* shaped) {
  line = TrimBlanks(line);
  const int32_t length = Length(db, header::kIngredientsLength);
  // A lone "-" or ";" continues nothing: some exports space groups with it.
  if (IsGroupBreak(line)) return EndIngredientGroup(db);
  line = WithSubheadingRead(std::move(line));
  const bool dashes = StartsWith(line, "-- ") || (!Contains(line, "-- ") && StartsWith(line, " --"));
  const bool single = StartsWith(line, ";") || (StartsWith(line, "-") && !StartsWith(line, "--"));
  if ((dashes || single) && length > 0 && GetU8(db.ingredientsBuffer, length - 1) == '\r') {
    SetU8(db.ingredientsBuffer, length - 1, ' ');
    line = TrimBlanks(line.substr(dashes ? std::min<size_t>(3, line.size()) : 1));
    return line.empty() || AppendIngredientsText(db, line + "\r");
  }
  const std::string rebuilt = shaped != nullptr ? *shaped : ShapeIngredientLine(std::move(line));
  return rebuilt.empty() || AppendIngredientsText(db, rebuilt + "\r");
}

// The text of a text record: its lines as written, one empty line at most
// between paragraphs.
bool WriteText(Database& db, const std::vector<std::string>& lines) {
  bool whole = true;
  bool gap = false;
  for (const std::string& line : lines) {
    if (line.empty()) {
      gap = Length(db, header::kIngredientsLength) > 0;
      continue;
    }
    if (gap) whole = AppendIngredientsText(db, "\r") && whole;
    gap = false;
    whole = AppendIngredientsText(db, line + "\r") && whole;
  }
  return whole;
}

// Directions: lines of one paragraph are joined; an empty line ends the
// paragraph; a numbered step starts a line of its own.
// `clean` holds each line's CleanLine when they were made beforehand.
bool WriteDirections(Database& db, const std::vector<std::string>& lines, const std::vector<std::string>& clean) {
  const bool prepared = clean.size() == lines.size();
  bool whole = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = prepared ? clean[i] : CleanLine(lines[i]);
    if (line.empty()) {
      whole = BreakDirectionsText(db, "\r\r") && whole;
      continue;
    }
    if (UpperCase(line) == "NOTES:") continue;
    if (OpensStep(line)) whole = BreakDirectionsText(db, "\r") && whole;
    whole = AppendDirectionsText(db, line) && whole;
  }
  return whole;
}

// The texts of the program's own export as its writer wrote them out: the
// ingredients each line with its line end, the directions with their cut
// lines joined again. Both read out again as the same lines.
bool WriteOwnLayoutTexts(Database& db, const ImportedRecipe& recipe) {
  std::string ingredients;
  for (const std::string& line : recipe.ingredients) ingredients += line + "\r";
  const bool whole = AppendIngredientsText(db, ingredients);
  return AppendDirectionsText(db, UnwrapCutLines(recipe.directions)) && whole;
}

}  // namespace

bool EndIngredientGroup(Database& db) {
  const int32_t length = Length(db, header::kIngredientsLength);
  if (length < 3) return true;
  const std::string tail = GetBytes(db.ingredientsBuffer, length - 2, 2);
  return tail == "\r\r" || AppendIngredientsText(db, tail.back() == '\r' ? "\r" : "\r\r");
}

void DropTrailingBreaks(Database& db) {
  std::string ingredients = GetBytes(db.ingredientsBuffer, 0, Length(db, header::kIngredientsLength));
  while (ingredients.size() >= 2 && ingredients.substr(ingredients.size() - 2) == "\r\r") ingredients.pop_back();
  SetCurrentIngredients(db, ingredients);
  std::string directions = GetBytes(db.directionsBuffer, 0, Length(db, header::kDirectionsLength));
  while (!directions.empty() && directions.back() == '\r') directions.pop_back();
  SetCurrentDirections(db, directions);
}

bool OpensStep(std::string_view line) {
  size_t digits = 0;
  if (line.size() > 5 && UpperCase(line.substr(0, 5)) == "STEP ") {
    while (5 + digits < line.size() && IsDigit(line[5 + digits])) ++digits;
    return digits > 0;
  }
  while (digits < line.size() && IsDigit(line[digits])) ++digits;
  // "1." and "2)" but not "1.5 cups" nor "350. Bake".
  if (digits == 0 || digits > 2 || digits >= line.size()) return false;
  const char mark = line[digits];
  return (mark == '.' || mark == ')') && (digits + 1 == line.size() || line[digits + 1] == ' ');
}

void PrepareImportedRecipe(ImportedRecipe& recipe) {
  // The program's own export is stored as written: nothing to prepare.
  if (recipe.asWritten || recipe.ownLayout) return;
  recipe.cleanTitle = CleanTitleOnce(recipe.title);
  if (recipe.textOnly) return;
  recipe.shapedIngredients.clear();
  recipe.shapedIngredients.reserve(recipe.ingredients.size());
  for (const std::string& line : recipe.ingredients) {
    std::string trimmed = TrimBlanks(line);
    recipe.shapedIngredients.push_back(
        IsGroupBreak(trimmed) ? std::string() : ShapeIngredientLine(WithSubheadingRead(std::move(trimmed))));
  }
  recipe.cleanDirections.clear();
  recipe.cleanDirections.reserve(recipe.directions.size());
  for (const std::string& line : recipe.directions) recipe.cleanDirections.push_back(CleanLine(line));
}

void WriteImportedRecipe(Database& db, const ImportedRecipe& recipe, const ImportOptions& options,
                         const TitlePrompt& askForTitle, ImportResult& result) {
  ClearCurrentRecord(db);
  const bool titleAsWritten = recipe.asWritten && !TrimBlanks(recipe.title).empty();
  const std::string title = titleAsWritten                 ? TrimBlanks(recipe.title)
                            : !recipe.cleanTitle.empty() ? recipe.cleanTitle
                                                         : CleanTitle(recipe.title, askForTitle);
  SetCurrentTitle(db, title);
  const int32_t servings = recipe.servings > 0 ? std::min(recipe.servings, 255) : kDefaultServings;
  SetU8(db.recordHeaderBuffer, header::kServings, servings);
  bool whole = true;
  if (recipe.ownLayout) {
    whole = WriteOwnLayoutTexts(db, recipe);
  } else if (recipe.textOnly) {
    whole = WriteText(db, recipe.ingredients);
  } else {
    const bool shaped = recipe.shapedIngredients.size() == recipe.ingredients.size();
    for (size_t i = 0; i < recipe.ingredients.size(); ++i) {
      const std::string& line = recipe.ingredients[i];
      whole = (recipe.asWritten ? AppendIngredientsText(db, line + "\r")
                                : WriteIngredientLine(db, line, shaped ? &recipe.shapedIngredients[i] : nullptr)) &&
              whole;
    }
    whole = WriteDirections(db, recipe.directions, recipe.cleanDirections) && whole;
    DropTrailingBreaks(db);
  }
  SetU8(db.recordHeaderBuffer, header::kRecordKind, recipe.textOnly ? kKindTextRecord : kKindRecipe);
  if (!recipe.photo.empty()) {
    CreateBuffer(static_cast<int32_t>(recipe.photo.size()), db.photoBuffer);
    std::copy(recipe.photo.begin(), recipe.photo.end(), db.photoBuffer.Data());
    SetI32(db.recordHeaderBuffer, header::kPhotoLength, static_cast<int32_t>(recipe.photo.size()));
  }
  StoreAndTally(db, recipe.categories, options, title, whole, result);
}

int32_t StoreAndTally(Database& db, const std::string& categories, const ImportOptions& options,
                      const std::string& title, bool whole, ImportResult& result) {
  const int32_t chapter = StoreImportedRecipe(db, categories, options);
  if (chapter < 0) {
    result.notStored.push_back(title);
  } else {
    ++result.stored;
    ++result.perChapter[chapter];
    result.lastChapter = chapter;
    if (!whole) result.cutShort.push_back(title);
  }
  ClearCurrentRecord(db);
  return chapter;
}

}  // namespace tovalia
