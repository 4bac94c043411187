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

size_t DigitRunEnd(std::string_view text, size_t from) {
  while (from < text.size() && (IsDigit(text[from]) || text[from] == '.')) ++from;
  return from;
}

// One amount: "12", "1.5", ".5", "3/4", "1 1/2", "1-1/2", "1 11/16".
struct AmountPart {
  double value = 0;
  std::string text;  // as it is stored: the source's fraction, or a kitchen fraction for a decimal
  size_t end = 0;
};

std::optional<AmountPart> ReadAmountPart(std::string_view run, size_t from) {
  const size_t wholeEnd = DigitRunEnd(run, from);
  const auto whole = ReadNumber(run.substr(from, wholeEnd - from));
  if (!whole) return std::nullopt;
  auto fraction = [&](size_t at) -> std::optional<std::pair<double, size_t>> {
    const size_t numeratorEnd = DigitRunEnd(run, at);
    if (numeratorEnd == at || numeratorEnd >= run.size() || run[numeratorEnd] != '/') return std::nullopt;
    const size_t denominatorEnd = DigitRunEnd(run, numeratorEnd + 1);
    const auto n = ReadNumber(run.substr(at, numeratorEnd - at));
    const auto d = ReadNumber(run.substr(numeratorEnd + 1, denominatorEnd - numeratorEnd - 1));
    if (!n || !d || *d == 0) return std::nullopt;
    return std::make_pair(*n / *d, denominatorEnd);
  };
  AmountPart part;
  const std::string_view wholeText = run.substr(from, wholeEnd - from);
  if (wholeEnd < run.size() && run[wholeEnd] == '/') {
    const auto f = fraction(from);
    if (!f) return std::nullopt;
    part.value = f->first;
    part.end = f->second;
  } else if (wholeEnd + 1 < run.size() && (run[wholeEnd] == ' ' || run[wholeEnd] == '-') && IsDigit(run[wholeEnd + 1]) &&
             fraction(wholeEnd + 1)) {
    const auto f = fraction(wholeEnd + 1);
    part.value = *whole + f->first;
    part.end = f->second;
  } else {
    part.value = *whole;
    part.end = wholeEnd;
  }
  if (IsKitchenQuantity(part.value)) {
    part.text = FormatQuantity(part.value);
  } else if (part.end != wholeEnd) {
    // The source's own fraction: 3/16 stays 3/16, 1 3/16 is written 1-3/16.
    part.text = std::string(run.substr(from, part.end - from));
    if (const size_t blank = part.text.find(' '); blank != std::string::npos) part.text[blank] = '-';
  } else {
    // A decimal that no kitchen fraction writes: 1.3 stays 1.3.
    part.text = std::string(wholeText);
    while (!part.text.empty() && part.text.back() == '.') part.text.pop_back();
  }
  return part;
}

struct Amount {
  int32_t hundredths = 0;
  int32_t upTo = 0;    // the top of a range, 0 for none
  std::string text;    // the amount as it is stored
  size_t taken = 0;    // characters to take off the line; 0 for an unreadable amount
};

int32_t Hundredths(double value) {
  return RoundHalfToEven(std::min(value * 100, static_cast<double>(INT32_MAX)));
}

// Where a range goes on after its first amount: "-", " - ", " to ".
size_t RangeContinues(std::string_view text, size_t at) {
  size_t i = at;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '-') {
    ++i;
  } else if (text.substr(i, 3) == "to ") {
    i += 3;
  } else {
    return std::string_view::npos;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  return i < text.size() && (IsDigit(text[i]) || text[i] == '.') ? i : std::string_view::npos;
}

// The amount at the head of a cleaned line, a range of two included ("2-3",
// "1/2 - 1", "2 to 3"). Only the first amount is taken when what follows is
// no range.
Amount ReadAmount(std::string_view line) {
  size_t run = 0;
  while (run < line.size() && ((line[run] >= '-' && line[run] <= '9') || line[run] == ' ')) ++run;
  const auto first = ReadAmountPart(line.substr(0, run), 0);
  if (!first) return {};
  Amount amount{Hundredths(first->value), 0, first->text, first->end};
  if (const size_t next = RangeContinues(line, first->end); next != std::string_view::npos) {
    size_t secondRun = next;
    while (secondRun < line.size() && ((line[secondRun] >= '-' && line[secondRun] <= '9') || line[secondRun] == ' '))
      ++secondRun;
    const auto second = ReadAmountPart(line.substr(0, secondRun), next);
    // "1-16 oz can" is one can of sixteen ounces, not a range.
    if (second && second->value > first->value && second->value <= first->value * 10) {
      amount.upTo = Hundredths(second->value);
      amount.text = JoinRange(first->text, second->text);
      amount.taken = second->end;
    } else if (line.substr(first->end, 1) == "-") {
      return {};  // "1-16 oz can" is no amount the line rules know: the line stays as written
    }
  }
  return amount;
}

// --- Unit words ------------------------------------------------------------

struct UnitWords {
  const char* canonical;  // nullptr: the word itself, or nothing before "."
  const char* exactCase;  // compared unchanged, or nullptr
  std::vector<std::string_view> equals;
  std::vector<std::string_view> beginsWith;
};

// Tested in this order; the first row that matches wins. "cubic centimeter"
// is left out: a word never holds a blank. "tea" names a teaspoon only with
// its point ("1 tea. salt"): "4 tea bags" are bags of tea.
const UnitWords kUnitTable[] = {
    {"teaspoon", "t", {"ts", "tsp", "tspn", "tsps"}, {"teasp"}},
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

const UnitWords* FindUnit(std::string_view word, bool dotted) {
  const std::string lower = LowerCase(word);
  if (dotted && lower == "tea") return &kUnitTable[0];
  for (const UnitWords& row : kUnitTable) {
    if (row.exactCase != nullptr && word == row.exactCase) return &row;
    for (std::string_view w : row.equals)
      if (lower == w) return &row;
    for (std::string_view w : row.beginsWith)
      if (StartsWith(lower, w)) return &row;
  }
  return nullptr;
}

// A unit written as a word of its own at `at`: its letters, perhaps a
// point, then a blank, a comma, a closing bracket or the end. "T-bone",
// "C3" and "Dr.Pepper" hold no unit.
struct UnitAt {
  std::string replacement;  // the canonical word; for each/ea/x the word itself, or nothing before "."
  size_t end = 0;           // just past the word and its point
};

std::optional<UnitAt> FindUnitAt(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && IsLetter(text[end])) ++end;
  if (end == at) return std::nullopt;
  const bool dotted = end < text.size() && text[end] == '.';
  const size_t after = dotted ? end + 1 : end;
  if (after < text.size() && text[after] != ' ' && text[after] != ',' && text[after] != ')' && text[after] != ';')
    return std::nullopt;
  const std::string_view word = text.substr(at, end - at);
  const UnitWords* unit = FindUnit(word, dotted);
  if (unit == nullptr) return std::nullopt;
  UnitAt found;
  if (unit->canonical != nullptr) {
    found.replacement = unit->canonical;
  } else if (!dotted) {
    found.replacement = std::string(word);
  }
  found.end = unit->canonical == nullptr && !dotted ? end : after;
  return found;
}

// Units inside the rest of a line are normalised only where they follow a
// number ("(14 oz)", "8 oz. drained"); the words of a name stay as written.
// A single letter glued to a number is a temperature or a size ("40-45C",
// "350F", "9x13"), not a unit.
std::string NormaliseUnitsAfterNumbers(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const bool glued = i > 0 && IsDigit(text[i - 1]);
    const bool afterNumber = glued || (i > 1 && text[i - 1] == ' ' && IsDigit(text[i - 2]));
    const bool singleLetter = i + 1 >= text.size() || !IsLetter(text[i + 1]);
    if (IsLetter(text[i]) && afterNumber && !(glued && singleLetter)) {
      if (const auto unit = FindUnitAt(text, i)) {
        out += unit->replacement;
        i = unit->end;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

// --- Appending to the record's texts ----------------------------------------

std::string BlankControls(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<uint8_t>(c) < 31 && c != '\n' && c != '\r') c = ' ';
  }
  return out;
}

bool AppendToText(Database& db, ByteBuffer& buffer, int32_t lengthField, std::string_view text) {
  if (text.empty()) return true;
  const int32_t length = std::max(GetI32(db.recordHeaderBuffer, lengthField), 0);
  const int64_t room = int64_t{kImportTextLimit} - length;
  if (room <= 0) return false;
  const std::string part(text.substr(0, std::min(static_cast<size_t>(room), text.size())));
  if (!buffer.Holds(length, static_cast<int64_t>(part.size()))) return false;
  PutBytes(buffer, length, part);
  const int32_t newLength = length + static_cast<int32_t>(part.size());
  // The zeros after a text, as the record store leaves them.
  FillBytes(buffer, newLength, std::min(4, buffer.Size() - newLength), 0);
  SetI32(db.recordHeaderBuffer, lengthField, newLength);
  return part.size() == text.size();
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
  // "Title:" is a label; "TitleField" is a title.
  if (StartsWith(t, "TITLE") && StartsWith(TrimBlanks(std::string_view(t).substr(5)), ":"))
    t = TrimBlanks(std::string_view(TrimBlanks(std::string_view(t).substr(5))).substr(1));
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
  std::string rest;
  if (StartsWith(s, "1 x ") || StartsWith(s, "0.00 ")) {
    rest = TrimBlanks(std::string_view(s).substr(s[1] == ' ' ? 4 : 5));
  } else {
    const Amount amount = ReadAmount(s);
    result.quantity = amount.hundredths;
    result.upTo = amount.upTo;
    result.amount = amount.text;
    rest = TrimBlanks(std::string_view(s).substr(amount.taken));
  }
  // The unit stands first in the rest; the name after it keeps its words.
  std::string unit;
  if (const auto found = FindUnitAt(rest, 0)) {
    unit = found->replacement;  // empty for each/ea/x before a point: the word goes
    rest = rest.substr(found->end);
  }
  auto withoutDash = [](std::string text) {
    text = TrimBlanks(text);
    return StartsWith(text, "- ") ? TrimBlanks(std::string_view(text).substr(2)) : text;
  };
  const std::string ingredient = withoutDash(NormaliseUnitsAfterNumbers(rest));
  result.writtenIngredient = withoutDash(rest);
  if (StartsWith(s, "1 x ") || StartsWith(s, "0.00 ")) {
    // These lines keep their rest whole, with its unit words normalised.
    result.ingredient = TrimBlanks(unit + " " + ingredient);
    result.writtenIngredient = TrimBlanks(unit + " " + result.writtenIngredient);
    return result;
  }
  result.unit = unit;
  result.ingredient = ingredient;
  if (result.quantity == 0 && result.unit.empty()) result.ingredient = result.writtenIngredient = std::string(line);
  return result;
}

std::string BuildIngredientLine(const ParsedIngredient& parsed) {
  std::string u = parsed.unit;
  if (std::max(parsed.quantity, parsed.upTo) > 100 && !u.empty()) {
    const std::string lower = LowerCase(u);
    if (lower == "pinch" || lower == "box" || lower == "bunch" || lower == "dash") {
      u += "es";
    } else if (lower != "ml" && lower != "cc" && lower != "dl" && lower != "mg" && lower != "g" &&
               lower != "kg" && lower != "small" && lower != "medium" && lower != "large" &&
               lower != "each" && lower != "ea" && lower != "x") {
      u += "s";
    }
  }
  const std::string unitAndIngredient = TrimBlanks(u + " " + parsed.ingredient);
  if (parsed.quantity == 0) return unitAndIngredient;
  const std::string amount = parsed.amount.empty() ? FormatQuantity(parsed.quantity / 100.0) : parsed.amount;
  return TrimBlanks(amount + " " + unitAndIngredient);
}

std::string BuildIngredientLine(int32_t quantity, const std::string& unit, const std::string& ingredient) {
  ParsedIngredient parsed;
  parsed.quantity = quantity;
  parsed.unit = unit;
  parsed.ingredient = ingredient;
  return BuildIngredientLine(parsed);
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

bool AppendIngredientsText(Database& db, std::string_view text) {
  std::string clean = BlankControls(text);
  if (GetI32(db.recordHeaderBuffer, header::kIngredientsLength) <= 0 && StartsWith(clean, "\r"))
    clean.erase(0, 1);
  return AppendToText(db, db.ingredientsBuffer, header::kIngredientsLength, clean);
}

bool AppendDirectionsText(Database& db, std::string_view text) {
  if (text.empty()) return true;
  std::string clean = BlankControls(text);
  const int32_t length = GetI32(db.recordHeaderBuffer, header::kDirectionsLength);
  if (length > 0) {
    const int32_t last = GetU8(db.directionsBuffer, length - 1);
    if (last != ' ' && last != '\r') clean.insert(0, " ");
  }
  return AppendToText(db, db.directionsBuffer, header::kDirectionsLength, clean);
}

bool BreakDirectionsText(Database& db, std::string_view lineEnd) {
  const int32_t length = GetI32(db.recordHeaderBuffer, header::kDirectionsLength);
  if (length <= 0 || GetU8(db.directionsBuffer, length - 1) == '\r') return true;
  std::string text = GetBytes(db.directionsBuffer, 0, length);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.size() + lineEnd.size() > static_cast<size_t>(kImportTextLimit)) return false;
  SetCurrentDirections(db, text + std::string(lineEnd));
  return true;
}

int32_t StoreImportedRecipe(Database& db, std::string_view categories, const ImportOptions& options) {
  const int32_t chapter = options.sortByCategory ? ChapterForCategories(db, categories) : options.chapterNumber;
  if (chapter < 0) return -1;
  if (options.checkRecord) options.checkRecord(db);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, chapter);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, db.nextRecipeId);
  if (AppendRecord(db) < 0) return -1;
  ++db.nextRecipeId;
  return chapter;
}

}  // namespace tovalia
