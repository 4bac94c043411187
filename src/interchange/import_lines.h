// The line-level rules every import applies: cleaning lines and titles,
// reading the amount and unit that open an ingredient line and bringing the
// many unit words of other programs to one canonical word, reading servings,
// appending to the record's texts, and storing a finished recipe in its
// chapter.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "db/database.h"

namespace tovalia {

// Trims blanks at both ends, then collapses every run of blanks to one.
std::string CleanLine(std::string_view line);

// Lower-cases the text, then upper-cases its first character and every
// character that follows one below "0" other than the apostrophe.
std::string TitleCase(std::string_view text);

// Asked for a title when cleaning leaves none; returns the user's entry
// (which is cleaned and asked for again while empty).
using TitlePrompt = std::function<std::string()>;

// The title as stored: a leading "TITLE" and ":" dropped, cleaned, title
// case with Roman numerals II and III kept upper case, a leading "." and
// enclosing "*" dropped. Never empty while the prompt gives something.
std::string CleanTitle(std::string_view title, const TitlePrompt& askForTitle);

struct ParsedIngredient {
  int32_t quantity = 0;    // hundredths: 1 1/2 is 150; 0 for none
  int32_t upTo = 0;        // the top of a range ("2-3 cups"), 0 for none
  std::string amount;      // the amount as stored: "1-1/2", "3/16", "2-3"; empty to write the quantity
  std::string unit;        // a canonical unit word, or empty
  std::string ingredient;  // the rest of the line
  // The rest as the line writes it, before unit words after numbers are
  // made canonical: what an export writes back.
  std::string writtenIngredient;
};

// Reads the amount (a range of two included), the unit word standing
// right after it, and the ingredient. Unit words inside the ingredient stay
// as written but where they follow a number ("(14 oz)").
ParsedIngredient ParseIngredientLine(std::string_view line);

// The normalised line: the amount (a kitchen fraction, or the source's own
// fraction or range), the unit (plural above one), the ingredient.
std::string BuildIngredientLine(const ParsedIngredient& parsed);
std::string BuildIngredientLine(int32_t quantity, const std::string& unit,
                                const std::string& ingredient);

// The first run of digits in the text as a number, 0 when there is none.
int32_t ReadServings(std::string_view text);

// Append to the current record's ingredients or directions text (control
// characters but CR and LF become blanks; the texts stop at 64990 bytes).
// False when the text did not fit whole.
bool AppendIngredientsText(Database& db, std::string_view text);
bool AppendDirectionsText(Database& db, std::string_view text);
// Ends the running line of the directions with a line end ("\r") or a
// paragraph break ("\r\r"), without the blank that joins lines; nothing
// when the directions are empty or end with a line end already.
bool BreakDirectionsText(Database& db, std::string_view lineEnd);

// Looks at (and may change) the record in the buffers before it is stored:
// the spell check of an import.
using ImportedRecordCheck = std::function<void(Database&)>;

struct ImportOptions {
  bool sortByCategory = false;  // file recipes in the chapter their first category names
  int32_t chapterNumber = 0;    // otherwise, this chapter
  ImportedRecordCheck checkRecord = {};  // empty: records are stored as read
};

// Stores the current record (kind, title, texts and servings filled) in the
// chapter the options and categories choose, creating a chapter named by
// the first category when none matches ("* Undefined Chapter" for none).
// The index is not sorted here. Returns the chapter's number, or -1 when the
// record could not be stored.
int32_t StoreImportedRecipe(Database& db, std::string_view categories, const ImportOptions& options);

}  // namespace tovalia
