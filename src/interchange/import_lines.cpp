#include "interchange/import_lines.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <utility>
#include <vector>

#include "db/byte_buffer.h"
#include "db/chapter_operations.h"
#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "recipe/quantity.h"

namespace tovalia {

namespace {

// Imported texts stop a little short of the buffers' 65000 bytes.
constexpr int32_t kImportTextLimit = 64990;
// The chapter prompt takes no more than this.
constexpr size_t kChapterNameLimit = 60;
constexpr char kUndefinedChapter[] = "* Undefined Chapter";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// --- Amounts ---------------------------------------------------------------

// Digits with at most one point, at least one digit.
std::optional<double> ReadNumber(std::string_view text) {
  bool digit = false;
  int points = 0;
  for (char c : text) {
    if (IsDigit(c)) {
      digit = true;
    } else if (c == '.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (!digit || points > 1) return std::nullopt;
  double value = 0;
  // from_chars ignores the locale, which a desktop front end may have set.
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ReadMixed(std::string_view whole, std::string_view numerator,
                                std::string_view denominator) {
  const auto w = ReadNumber(whole);
  const auto n = ReadNumber(numerator);
  const auto d = ReadNumber(denominator);
  if (!w || !n || !d || *d == 0) return std::nullopt;
  return *w + *n / *d;
}

struct Amount {
  int32_t hundredths = 0;
  size_t taken = 0;  // characters to take off the line; 0 for an unreadable amount
};

Amount MakeAmount(std::optional<double> value, size_t taken) {
  if (!value) return {};
  const double hundredths = std::min(*value * 100, static_cast<double>(INT32_MAX));
  return {RoundHalfToEven(hundredths), taken};
}

// The forms without a blank: decimal, fraction, mixed number with a hyphen.
Amount ReadUnspacedAmount(std::string_view text) {
  if (text.empty()) return {};
  const size_t dash = text.find('-');
  const size_t slash = text.find('/');
  if (dash == std::string_view::npos && slash == std::string_view::npos)
    return MakeAmount(ReadNumber(text), text.size());
  if (dash == std::string_view::npos)
    return MakeAmount(ReadMixed("0", text.substr(0, slash), text.substr(slash + 1)), text.size());
  // A leading "-" would read as a negative amount; ranges such as "1-2" are
  // no amount either. Both stay in the line.
  if (slash != std::string_view::npos && dash > 0 && dash < slash) {
    return MakeAmount(ReadMixed(text.substr(0, dash), text.substr(dash + 1, slash - dash - 1),
                                text.substr(slash + 1)),
                      text.size());
  }
  return {};
}

Amount ReadAmount(std::string_view text) {
  const size_t space = text.find(' ');
  if (space == std::string_view::npos) return ReadUnspacedAmount(text);
  size_t slash = std::string_view::npos;
  if (space + 2 < text.size() && text[space + 2] == '/') {
    slash = space + 2;
  } else if (space + 3 < text.size() && text[space + 3] == '/') {
    slash = space + 3;
  }
  if (slash == std::string_view::npos) {
    // Only the first number is taken, so "2 - 3" keeps "- 3" in the line.
    return ReadUnspacedAmount(text.substr(0, space));
  }
  size_t end = text.find(' ', slash);
  if (end == std::string_view::npos) end = text.size();
  return MakeAmount(ReadMixed(text.substr(0, space), text.substr(space + 1, slash - space - 1),
                              text.substr(slash + 1, end - slash - 1)),
                    end);
}

// --- Unit words ------------------------------------------------------------

struct UnitWords {
  const char* canonical;  // nullptr: the word itself, or nothing before "."
  const char* exactCase;  // compared unchanged, or nullptr
  std::vector<std::string_view> equals;
  std::vector<std::string_view> beginsWith;
};

// Tested in this order; the first row that matches wins. "cubic centimeter"
// is left out: a word never holds a blank.
const UnitWords kUnitTable[] = {
    {"teaspoon", "t", {"ts", "tea", "tsp", "tspn", "tsps"}, {"teasp"}},
    {"tablespoon", "T", {"tb", "tab", "tbs", "tbsp"}, {"tbl", "tablesp"}},
    {"dash", nullptr, {"ds", "dash", "dashes"}, {}},
    {"cup", nullptr, {"c", "cup", "cups"}, {}},
    {"pint", nullptr, {"p", "pt", "pint", "pints"}, {}},
    {"quart", nullptr, {"q", "qt", "quart", "quarts"}, {}},
    {"gallon", nullptr, {"ga", "gallon", "gallons"}, {}},
    {"liter", nullptr, {"l", "liter", "liters"}, {}},
    {"ounce", nullptr, {"oz", "ounce", "ounces"}, {}},
    {"pound", nullptr, {"lb", "pound", "pounds"}, {}},
    {"small", nullptr, {"sm", "small"}, {}},
    {"medium", nullptr, {"md", "med", "medium"}, {}},
    {"large", nullptr, {"lg", "large"}, {}},
    {"square", nullptr, {"sq", "square", "squares"}, {}},
    {"can", nullptr, {"cn", "can", "cans"}, {}},
    {"package", nullptr, {"pk", "pkg", "pkgs", "package", "packages"}, {}},
    {"pinch", nullptr, {"pn", "pinch", "pinchs", "pinches"}, {}},
    {"drop", nullptr, {"dr", "drop", "drops"}, {}},
    {"carton", nullptr, {"ct", "carton", "cartons"}, {}},
    {"bunch", nullptr, {"bn", "bunch", "bunches", "bunchs"}, {}},
    {"slice", nullptr, {"sl", "slice", "slices"}, {}},
    {"clove", nullptr, {"cl", "clove", "cloves"}, {}},
    {"ml", nullptr, {"ml", "milliliter"}, {}},
    {"cc", nullptr, {"cc"}, {}},
    {"dl", nullptr, {"dl", "deciliter"}, {}},
    {"mg", nullptr, {"mg", "milligram"}, {}},
    {"g", nullptr, {"g", "gram"}, {}},
    {"kg", nullptr, {"kg"}, {}},
    {"box", nullptr, {"bx", "box", "boxes"}, {}},
    {nullptr, nullptr, {"ea", "x", "each"}, {}},
};

const UnitWords* FindUnit(std::string_view word) {
  const std::string lower = LowerCase(word);
  for (const UnitWords& row : kUnitTable) {
    if (row.exactCase != nullptr && word == row.exactCase) return &row;
    for (std::string_view w : row.equals)
      if (lower == w) return &row;
    for (std::string_view w : row.beginsWith)
      if (StartsWith(lower, w)) return &row;
  }
  return nullptr;
}

bool EndsWord(char c) {
  const auto u = static_cast<uint8_t>(c);
  return (u < '0' && c != '\'') || c == ':' || c == ';';
}

struct NormalisedUnits {
  std::string text;
  std::optional<std::string> leadingUnit;  // the replacement of a match at the start
  size_t afterLeadingUnit = 0;             // where the text after it begins
};

// Replaces every unit word of the text by its canonical word. Characters
// that are neither letters nor word ends (digits, apostrophes, bytes from
// 128 up) do not end a word; they are kept where they stand outside its
// letters.
NormalisedUnits NormaliseUnits(std::string_view text) {
  NormalisedUnits result;
  std::string& out = result.text;
  size_t i = 0;
  while (i < text.size()) {
    if (!IsLetter(text[i])) {
      out += text[i++];
      continue;
    }
    std::string word;
    size_t lastLetterEnd = i;
    size_t end = i;
    for (; end < text.size() && !EndsWord(text[end]); ++end) {
      if (IsLetter(text[end])) {
        word += text[end];
        lastLetterEnd = end + 1;
      }
    }
    const UnitWords* unit = FindUnit(word);
    if (unit == nullptr) {
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    const bool dotted = lastLetterEnd == end && end < text.size() && text[end] == '.';
    std::string replacement;
    if (unit->canonical != nullptr) {
      replacement = unit->canonical;
    } else if (!dotted) {
      replacement = std::string(text.substr(i, lastLetterEnd - i));
    }
    const bool atStart = i == 0;
    out += replacement;
    if (atStart) {
      result.leadingUnit = replacement;
      result.afterLeadingUnit = out.size();
    }
    if (dotted) {
      i = end + 1;
    } else {
      out.append(text.substr(lastLetterEnd, end - lastLetterEnd));
      i = end;
    }
  }
  return result;
}

// --- Appending to the record's texts ----------------------------------------

std::string BlankControls(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<uint8_t>(c) < 31 && c != '\n' && c != '\r') c = ' ';
  }
  return out;
}

void AppendToText(Database& db, ByteBuffer& buffer, int32_t lengthField, std::string_view text) {
  const int32_t length = std::max(GetI32(db.recordHeaderBuffer, lengthField), 0);
  const int64_t room = int64_t{kImportTextLimit} - length;
  if (room <= 0 || text.empty()) return;
  const std::string part(text.substr(0, std::min(static_cast<size_t>(room), text.size())));
  if (!buffer.Holds(length, static_cast<int64_t>(part.size()))) return;
  PutBytes(buffer, length, part);
  const int32_t newLength = length + static_cast<int32_t>(part.size());
  // The zeros after a text, as the record store leaves them.
  FillBytes(buffer, newLength, std::min(4, buffer.Size() - newLength), 0);
  SetI32(db.recordHeaderBuffer, lengthField, newLength);
}

// --- Storing ----------------------------------------------------------------

// The working record, kept aside while a chapter record passes through the
// same buffers.
struct SavedRecord {
  std::string header;
  std::string title;
  std::string ingredients;
  std::string directions;
  ByteBuffer photo;
};

SavedRecord SaveCurrentRecord(Database& db) {
  const ByteBuffer& h = db.recordHeaderBuffer;
  SavedRecord saved;
  saved.header = GetBytes(h, 0, h.Size());
  saved.title = GetBytes(db.titleBuffer, 0, GetU8(h, header::kTitleLength));
  saved.ingredients = GetBytes(db.ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength));
  saved.directions = GetBytes(db.directionsBuffer, 0, GetI32(h, header::kDirectionsLength));
  saved.photo = std::move(db.photoBuffer);
  return saved;
}

void RestoreCurrentRecord(Database& db, SavedRecord& saved) {
  SetCurrentTitle(db, saved.title);
  SetCurrentIngredients(db, saved.ingredients);
  SetCurrentDirections(db, saved.directions);
  PutBytes(db.recordHeaderBuffer, 0, saved.header);
  db.photoBuffer = std::move(saved.photo);
}

// AddChapter stores through the current-record buffers and opens the new
// chapter; the import's record and view are put back afterwards. The view
// is found again by number, as the new row may sort in above it.
int32_t AddChapterKeepingRecord(Database& db, std::string_view name) {
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  const int32_t viewNumber = row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes;
  const int32_t listPosition = db.listPosition;
  const int32_t firstVisibleTitle = db.firstVisibleTitle;
  SavedRecord saved = SaveCurrentRecord(db);
  const int32_t number = AddChapter(db, name);
  RestoreCurrentRecord(db, saved);
  FindChapterRow(db, viewNumber);
  BuildCurrentList(db);
  SelectOnly(db, listPosition);
  db.firstVisibleTitle = firstVisibleTitle;
  return number;
}

int32_t ChapterForCategories(Database& db, std::string_view categories) {
  std::string text = TrimBlanks(categories);
  if (text.empty() || UpperCase(text) == "NONE") text = kUndefinedChapter;
  std::string name = TrimBlanks(std::string_view(text).substr(0, text.find(',')));
  name = TrimBlanks(std::string_view(name).substr(0, kChapterNameLimit));
  // ",Soups" names no chapter; it is filed like no category at all.
  if (name.empty()) name = kUndefinedChapter;
  for (size_t r = kReservedChapterRows; r < db.chapterTable.size(); ++r) {
    if (CompareUpperCased(db.chapterTable[r].name, name) == 0) return db.chapterTable[r].number;
  }
  return AddChapterKeepingRecord(db, name);
}

}  // namespace

std::string CleanLine(std::string_view line) {
  std::string out = TrimBlanks(line);
  for (size_t at = out.find("  "); at != std::string::npos; at = out.find("  ", at)) out.erase(at, 1);
  return out;
}

std::string TitleCase(std::string_view text) {
  std::string out = LowerCase(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const char previous = i == 0 ? ' ' : out[i - 1];
    if (static_cast<uint8_t>(previous) < '0' && previous != '\'')
      out[i] = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(out[i])));
  }
  return out;
}

namespace {

std::string CleanTitleOnce(std::string_view title) {
  std::string t = UpperCase(TrimBlanks(title));
  if (StartsWith(t, "TITLE")) {
    t = TrimBlanks(std::string_view(t).substr(5));
    if (StartsWith(t, ":")) t = TrimBlanks(std::string_view(t).substr(1));
  }
  t = TitleCase(CleanLine(t));
  // Roman numerals stay upper case; only a word of its own is one, so
  // that "Hawaii" keeps its letters.
  const std::string upper = UpperCase(t);
  auto numeral = [&upper](size_t length) {
    return EndsWith(upper, std::string(length, 'I')) &&
           (upper.size() == length || upper[upper.size() - length - 1] == ' ');
  };
  if (numeral(3)) {
    t.replace(t.size() - 3, 3, "III");
  } else if (numeral(2)) {
    t.replace(t.size() - 2, 2, "II");
  }
  if (StartsWith(t, ".")) t = TrimBlanks(std::string_view(t).substr(1));
  if (StartsWith(t, "*") && EndsWith(t, "*"))
    t = t.size() < 2 ? std::string() : TrimBlanks(std::string_view(t).substr(1, t.size() - 2));
  return t;
}

}  // namespace

std::string CleanTitle(std::string_view title, const TitlePrompt& askForTitle) {
  std::string entry(title);
  for (;;) {
    std::string cleaned = CleanTitleOnce(entry);
    if (!cleaned.empty()) return cleaned;
    // Without anyone to ask (batch imports, tests) the loop would never end.
    if (!askForTitle) return "Untitled";
    entry = askForTitle();
  }
}

ParsedIngredient ParseIngredientLine(std::string_view line) {
  std::string s(line);
  for (char& c : s) {
    if (static_cast<uint8_t>(c) < 32) c = ' ';
  }
  s = CleanLine(s);
  if (const size_t dashes = s.find(" -- "); dashes != std::string::npos) s.replace(dashes, 4, ", ");

  ParsedIngredient result;
  if (StartsWith(s, "1 x ") || StartsWith(s, "0.00 ")) {
    const size_t skip = s[1] == ' ' ? 4 : 5;
    result.ingredient = TrimBlanks(NormaliseUnits(std::string_view(s).substr(skip)).text);
    return result;
  }

  size_t run = 0;
  while (run < s.size() && ((s[run] >= '-' && s[run] <= '9') || s[run] == ' ')) ++run;
  const std::string amountText = TrimBlanks(std::string_view(s).substr(0, run));
  const Amount amount = ReadAmount(amountText);
  result.quantity = amount.hundredths;
  const std::string rest = TrimBlanks(std::string_view(s).substr(amount.taken));

  const NormalisedUnits units = NormaliseUnits(rest);
  std::string ingredient = units.text;
  if (units.leadingUnit) {
    result.unit = *units.leadingUnit;
    ingredient = ingredient.substr(units.afterLeadingUnit);
  }
  ingredient = TrimBlanks(ingredient);
  if (StartsWith(ingredient, "- ")) ingredient = TrimBlanks(std::string_view(ingredient).substr(2));
  result.ingredient = ingredient;
  if (result.quantity == 0 && result.unit.empty()) result.ingredient = std::string(line);
  return result;
}

std::string BuildIngredientLine(int32_t quantity, const std::string& unit, const std::string& ingredient) {
  std::string u = unit;
  if (quantity > 100 && !u.empty()) {
    const std::string lower = LowerCase(u);
    if (lower == "pinch" || lower == "box" || lower == "bunch" || lower == "dash") {
      u += "es";
    } else if (lower != "ml" && lower != "cc" && lower != "dl" && lower != "mg" && lower != "g" &&
               lower != "kg" && lower != "small" && lower != "medium" && lower != "large" &&
               lower != "each") {
      u += "s";
    }
  }
  const std::string unitAndIngredient = TrimBlanks(u + " " + ingredient);
  if (quantity == 0) return unitAndIngredient;
  return TrimBlanks(FormatQuantity(quantity / 100.0) + " " + unitAndIngredient);
}

int32_t ReadServings(std::string_view text) {
  std::string digits(text);
  for (char& c : digits) {
    if (!IsDigit(c)) c = ' ';
  }
  digits = TrimBlanks(digits);
  int64_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) break;
    value = std::min<int64_t>(value * 10 + (c - '0'), INT32_MAX);
  }
  return static_cast<int32_t>(value);
}

void AppendIngredientsText(Database& db, std::string_view text) {
  std::string clean = BlankControls(text);
  if (GetI32(db.recordHeaderBuffer, header::kIngredientsLength) <= 0 && StartsWith(clean, "\r"))
    clean.erase(0, 1);
  AppendToText(db, db.ingredientsBuffer, header::kIngredientsLength, clean);
}

void AppendDirectionsText(Database& db, std::string_view text) {
  if (text.empty()) return;
  std::string clean = BlankControls(text);
  const int32_t length = GetI32(db.recordHeaderBuffer, header::kDirectionsLength);
  if (length > 0) {
    const int32_t last = GetU8(db.directionsBuffer, length - 1);
    if (last != ' ' && last != '\r') clean.insert(0, " ");
  }
  AppendToText(db, db.directionsBuffer, header::kDirectionsLength, clean);
}

int32_t StoreImportedRecipe(Database& db, std::string_view categories, const ImportOptions& options) {
  const int32_t chapter = options.sortByCategory ? ChapterForCategories(db, categories) : options.chapterNumber;
  if (chapter < 0) return -1;
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, chapter);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, db.nextRecipeId);
  if (AppendRecord(db) < 0) return -1;
  ++db.nextRecipeId;
  return chapter;
}

}  // namespace tovalia
