#include "interchange/auto_import.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/record_format.h"
#include "db/record_store.h"

namespace tovalia {

namespace {

constexpr size_t kMostBodyLines = 999;
constexpr size_t kBodyLineWidth = 80;
constexpr int32_t kDefaultServings = 4;
// A photo line announcing more than this is not believed.
constexpr int32_t kLargestPhoto = 16 << 20;
constexpr size_t kImportTextLimit = 64990;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool OnlyOf(std::string_view text, char c) {
  return std::all_of(text.begin(), text.end(), [c](char x) { return x == c; });
}

// Trims blanks only: tabs stay, as the marker tests expect.
std::string TrimSpaces(std::string_view text) { return TrimBlanks(text); }

// The text after the first ":", or after `fallback` characters when there is none.
std::string AfterColon(std::string_view line, size_t fallback) {
  size_t colon = line.find(':');
  size_t from = colon == std::string_view::npos ? fallback : colon + 1;
  return TrimSpaces(from < line.size() ? line.substr(from) : std::string_view());
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return 0;  // padding and stray characters count as zero bits
}

// Keywords become categories: capitalised words start a new entry.
std::string KeywordsToCategories(std::string_view keywords) {
  std::string out;
  bool afterSpace = false;
  for (char c : keywords) {
    if (c == ' ') {
      afterSpace = true;
      continue;
    }
    const char upper = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(c)));
    if (afterSpace && upper == c) {
      out += ", ";
      out += c;
    } else if (afterSpace) {
      out += ' ';
      out += upper;
    } else {
      out += c;
    }
    afterSpace = false;
  }
  return out;
}

// Every run of two spaces becomes ", ".
std::string DoubleSpacesToCommas(std::string text) {
  for (size_t at = text.find("  "); at != std::string::npos; at = text.find("  ")) {
    std::string before = text.substr(0, at);
    while (!before.empty() && before.back() == ' ') before.pop_back();
    text = before + ", " + TrimSpaces(std::string_view(text).substr(at));
  }
  return text;
}

class ImportPass {
 public:
  ImportPass(Database& db, const ImportOptions& options, const TitlePrompt& askForTitle)
      : db_(db), options_(options), askForTitle_(askForTitle) {
    ResetRecord();
  }

  // lineEnded: the reader found the line's end (a longer line comes in pieces).
  void Line(const std::string& piece, bool lastLine, bool lineEnded);
  const ImportResult& Result() const { return result_; }

 private:
  bool StartMarker(const std::string& raw, const std::string& trimmed, const std::string& upper);
  void OwnTextLine(const std::string& raw, const std::string& trimmed, const std::string& upper);
  void TakeHeldServings();
  bool EndMarker(const std::string& trimmed, const std::string& upper);
  void Body(const std::string& trimmed, const std::string& upper);
  void Collect(std::string line);
  void Finish();
  void ResetRecord();
  void SetTitle(std::string_view title);
  void SetServings(int32_t servings);
  void DecodePhoto(std::string_view line);
  void StoreIngredientLine(std::string line);

  Database& db_;
  ImportOptions options_;
  const TitlePrompt& askForTitle_;
  ImportResult result_;
  ImportFormat format_ = ImportFormat::kNone;
  int section_ = 0;
  bool servingsSeen_ = false;
  bool hasTitle_ = false;
  std::string categories_;
  std::vector<std::string> body_;
  std::string previousUpper_;
  std::string pendingDirection_;
  std::vector<uint8_t> photo_;
  size_t photoWritten_ = 0;
  // The own export: the start of a line still arriving in pieces, and a
  // servings line not yet known to end its recipe, with the blank lines after it.
  std::string heldPiece_;
  std::optional<std::string> heldServings_;
  int heldBlankLines_ = 0;
};

void ImportPass::ResetRecord() {
  ClearCurrentRecord(db_);
  SetU8(db_.recordHeaderBuffer, header::kServings, kDefaultServings);
  hasTitle_ = false;
  categories_.clear();
  body_.clear();
  photo_.clear();
  photoWritten_ = 0;
  pendingDirection_.clear();
}

void ImportPass::SetTitle(std::string_view title) {
  // The program's own export carries the title as the user wrote it.
  const bool asWritten = format_ == ImportFormat::kOwnText && !TrimSpaces(title).empty();
  SetCurrentTitle(db_, asWritten ? TrimSpaces(title) : CleanTitle(title, askForTitle_));
  hasTitle_ = GetU8(db_.recordHeaderBuffer, header::kTitleLength) > 0;
}

void ImportPass::SetServings(int32_t servings) {
  if (servings == 0) servings = kDefaultServings;
  SetU8(db_.recordHeaderBuffer, header::kServings, std::min(servings, 255));
}

// Lines longer than 80 characters are cut at their last blank within 80
// (or hard at 80); a recipe keeps at most 999 lines.
void ImportPass::Collect(std::string line) {
  for (;;) {
    if (body_.size() >= kMostBodyLines) return;
    if (line.size() < kBodyLineWidth) {
      body_.push_back(std::move(line));
      return;
    }
    size_t cut = line.substr(0, kBodyLineWidth).rfind(' ');
    if (cut == std::string::npos || cut == 0) cut = kBodyLineWidth;
    body_.push_back(line.substr(0, cut));
    line = line.substr(cut);
  }
}

void ImportPass::DecodePhoto(std::string_view line) {
  const size_t usable = line.size() / 4 * 4;
  for (size_t i = 0; i < usable; i += 4) {
    const uint32_t bits = (Base64Value(line[i]) << 18) | (Base64Value(line[i + 1]) << 12) |
                          (Base64Value(line[i + 2]) << 6) | Base64Value(line[i + 3]);
    for (int k = 0; k < 3 && photoWritten_ < photo_.size(); ++k)
      photo_[photoWritten_++] = static_cast<uint8_t>(bits >> (16 - 8 * k));
  }
}

bool ImportPass::StartMarker(const std::string& raw, const std::string& trimmed, const std::string& upper) {
  ImportFormat format = ImportFormat::kNone;
  if (Contains(upper, "TOVALIA") && Contains(upper, "CHAPTER:")) {
    format = ImportFormat::kOwnText;
  } else if (Contains(upper, "RECIPE") && Contains(upper, "MEAL-MASTER")) {
    format = ImportFormat::kMealMaster;
  } else if (Contains(upper, "EXPORTED FROM") && Contains(upper, "MASTERCOOK")) {
    format = ImportFormat::kMasterCook;
  } else if (Contains(upper, "EXPORTED FROM BIGOVEN")) {
    format = ImportFormat::kBigOven;
  } else if (Contains(upper, "RECIPE BEGINS")) {
    format = ImportFormat::kRecipeBegins;
  } else if (section_ != 2 && trimmed.size() > 10 && OnlyOf(trimmed, '*')) {
    format = ImportFormat::kStarBanner;
  } else if (Contains(upper, "NOW YOU'RE COOKING") && Contains(upper, "EXPORT FORMAT")) {
    format = ImportFormat::kNowYoureCooking;
  } else if (Contains(raw, "<Recipe ")) {
    format = ImportFormat::kXml;
  } else if (Contains(upper, "EXPORTED FROM COOKBOOK WIZARD")) {
    format = ImportFormat::kCookbookWizard;
  } else if (StartsWith(upper, "RPW----------")) {
    format = ImportFormat::kRpw;
  } else if (StartsWith(upper, "A~A~A~A~")) {
    format = ImportFormat::kTildeCoded;
  }
  if (format == ImportFormat::kNone) return false;
  if (section_ > 2) Finish();
  section_ = 1;
  format_ = format;
  servingsSeen_ = false;
  if (format == ImportFormat::kOwnText) categories_ = AfterColon(trimmed, 0);
  return true;
}

bool ImportPass::EndMarker(const std::string& trimmed, const std::string& upper) {
  if (section_ <= 2) return false;
  bool end = Contains(upper, "RECIPE ENDS") || StartsWith(upper, "- - - - -") ||
             Contains(upper, "DIRECTLY INTO BIGOVEN") || Contains(upper, "EXPORTED FROM NOW") ||
             Contains(upper, "RECIPE VIA COMPU-CHEF") || upper == "</RECIPE>";
  if (format_ == ImportFormat::kMealMaster && !trimmed.empty())
    end = end || trimmed == "MMMMM" || trimmed == std::string(77, '-') || trimmed == "-----";
  if (format_ == ImportFormat::kCookbookWizard) end = end || StartsWith(upper, std::string(10, '-'));
  if (format_ == ImportFormat::kRpw) end = end || trimmed == "+++";
  if (format_ == ImportFormat::kTildeCoded && upper == "END") {
    if (!pendingDirection_.empty()) Collect(CleanLine(pendingDirection_));
    pendingDirection_.clear();
    end = true;
  }
  if (!end) return false;
  Finish();
  section_ = 0;
  return true;
}

void ImportPass::Body(const std::string& trimmed, const std::string& upper) {
  const ImportFormat f = format_;
  // The first test that applies decides what the line is.
  if (f == ImportFormat::kStarBanner && StartsWith(trimmed, "***** ") && EndsWith(trimmed, " *****") &&
      trimmed.size() >= 12) {
    SetTitle(std::string_view(trimmed).substr(6, trimmed.size() - 12));
    section_ = 2;
  } else if (section_ == 1 && !trimmed.empty() &&
             (f == ImportFormat::kOwnText || f == ImportFormat::kMasterCook || f == ImportFormat::kBigOven ||
              f == ImportFormat::kNowYoureCooking || f == ImportFormat::kRpw)) {
    SetTitle(trimmed);
    if (f != ImportFormat::kOwnText) categories_.clear();
    section_ = 2;
  } else if ((section_ < 2 && StartsWith(upper, "TITLE:")) || StartsWith(upper, "TITLE    :") ||
             StartsWith(upper, "RECIPE NAME:")) {
    SetTitle(AfterColon(trimmed, 0));
    section_ = 2;
  } else if (f == ImportFormat::kTildeCoded && section_ == 1 && StartsWith(upper, "N")) {
    SetTitle(std::string_view(trimmed).substr(1));
    SetServings(kDefaultServings);
    categories_.clear();
    section_ = 2;
  } else if (f == ImportFormat::kNowYoureCooking && section_ == 2 && categories_.empty() && !trimmed.empty()) {
    categories_ = trimmed;
  } else if ((section_ > 1 && StartsWith(upper, "CATEGORIES")) || StartsWith(upper, "CATEGORY:")) {
    categories_ = DoubleSpacesToCommas(AfterColon(trimmed, 10));
  } else if (section_ > 1 && StartsWith(upper, "KEYWORDS")) {
    categories_ = KeywordsToCategories(AfterColon(trimmed, 8));
  } else if (f == ImportFormat::kRpw && section_ == 2 && categories_.empty() && !trimmed.empty()) {
    categories_ = CleanTitle(trimmed, nullptr);
  } else if (f == ImportFormat::kTildeCoded && section_ == 2 && categories_.empty() && StartsWith(upper, "C")) {
    categories_ = trimmed.substr(1);
  } else if (f == ImportFormat::kRpw && section_ == 2 && previousUpper_ == UpperCase(categories_)) {
    SetServings(ReadServings(trimmed));
    section_ = 3;
  } else if (Contains(upper, "NUMBER OF SERVINGS:")) {
    SetServings(ReadServings(std::string_view(trimmed).substr(upper.find("NUMBER OF SERVINGS:"))));
  } else if (section_ > 1 && !servingsSeen_ && Contains(trimmed, ":") &&
             (StartsWith(upper, "SERVES") || StartsWith(upper, "YIELD:") || StartsWith(upper, "SERVING"))) {
    SetServings(ReadServings(AfterColon(trimmed, 0)));
    servingsSeen_ = true;
    if (f == ImportFormat::kMealMaster) section_ = 3;
    if (f == ImportFormat::kOwnText || f == ImportFormat::kNowYoureCooking) {
      // These exports put the servings last: the recipe is complete.
      Finish();
      section_ = 0;
    }
  } else if (section_ > 1 && StartsWith(upper, "PHOTO:")) {
    const int64_t length = ReadServings(AfterColon(trimmed, 6));
    photo_.assign(static_cast<size_t>(length > 0 && length <= kLargestPhoto ? length : 0), 0);
    photoWritten_ = 0;
    section_ = 5;
  } else if (section_ == 5) {
    if (!trimmed.empty()) DecodePhoto(trimmed);
  } else if (section_ == 2 && StartsWith(upper, "INGREDIENTS")) {
    section_ = 3;
  } else if (section_ == 2 && StartsWith(trimmed, "-----") && StartsWith(previousUpper_, "AMOUNT ")) {
    section_ = 3;
  } else if (section_ == 2 && f == ImportFormat::kOwnText && OnlyOf(trimmed, '=')) {
    section_ = 3;
  } else if (f == ImportFormat::kTildeCoded && section_ >= 2) {
    const char code = trimmed.empty() ? '\0' : static_cast<char>(UpperCaseByte(static_cast<uint8_t>(trimmed[0])));
    const std::string text = trimmed.empty() ? std::string() : trimmed.substr(1);
    if (code == 'M') {
      pendingDirection_ = text;
    } else if (code == 'I') {
      Collect(pendingDirection_ + " " + text);
      pendingDirection_.clear();
    } else if (code == 'D') {
      if (section_ == 2) {
        Collect(".");
        section_ = 3;
      }
      std::string direction = text;
      std::replace(direction.begin(), direction.end(), '`', ' ');
      if (TrimSpaces(direction).empty()) {
        Collect(CleanLine(pendingDirection_));
        pendingDirection_.clear();
      } else {
        direction.resize(std::max<size_t>(direction.size(), 40), ' ');
        pendingDirection_ += direction;
      }
    }
  } else if (section_ == 2) {
    const ParsedIngredient parsed = ParseIngredientLine(trimmed);
    if (parsed.quantity > 0 && !parsed.unit.empty()) {
      section_ = 3;
      Collect(trimmed);
    }
  } else if (section_ == 3) {
    Collect(trimmed);
  }
}

bool IsOwnStartMarker(const std::string& upper) { return Contains(upper, "TOVALIA") && Contains(upper, "CHAPTER:"); }

// "Servings: 4", or "Servings: " alone for a text record.
bool IsOwnServingsLine(const std::string& upper) {
  if (!StartsWith(upper, "SERVINGS:")) return false;
  const std::string number = TrimSpaces(std::string_view(upper).substr(9));
  return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsOwnPhotoLine(const std::string& upper) {
  if (!StartsWith(upper, "PHOTO:")) return false;
  const std::string number = TrimSpaces(std::string_view(upper).substr(6));
  return !number.empty() && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void ImportPass::TakeHeldServings() {
  if (!heldServings_) return;
  SetServings(ReadServings(AfterColon(*heldServings_, 0)));
  servingsSeen_ = true;
  heldServings_.reset();
  heldBlankLines_ = 0;
}

// The program's own export holds a recipe's fields in a fixed order: the
// title, a rule of "=", the ingredients, a "." line, the directions, the
// photo, the servings and the banner. Inside a recipe only these lines, and
// the next recipe's chapter line, are looked for: any other line is text,
// whatever it looks like ("Serving suggestion: ...", "Yield: 2 loaves"),
// and is kept whole. A servings line ends the recipe only when the banner
// (or the next recipe, or the end) follows it; text such as "Servings: 6"
// among the ingredients stays text.
void ImportPass::OwnTextLine(const std::string& raw, const std::string& trimmed, const std::string& upper) {
  if (IsOwnStartMarker(upper)) {
    TakeHeldServings();
    StartMarker(raw, trimmed, upper);
    return;
  }
  if (section_ == 1) {
    if (!trimmed.empty()) {
      SetTitle(trimmed);
      section_ = 2;
    }
    return;
  }
  if (section_ == 2) {
    if (OnlyOf(trimmed, '=')) {
      section_ = 3;
    } else {
      Body(trimmed, upper);
    }
    return;
  }
  if (heldServings_) {
    if (trimmed.empty()) {
      ++heldBlankLines_;
      return;
    }
    if (StartsWith(upper, "EXPORTED FROM TOVALIA")) {
      TakeHeldServings();
      Finish();
      section_ = 0;
      return;
    }
    // Text after all: it goes back into the body with the blank lines after it.
    body_.push_back(*heldServings_);
    body_.insert(body_.end(), static_cast<size_t>(heldBlankLines_), std::string());
    heldServings_.reset();
    heldBlankLines_ = 0;
    section_ = 3;
  }
  if (IsOwnServingsLine(upper)) {
    heldServings_ = trimmed;
  } else if (IsOwnPhotoLine(upper)) {
    Body(trimmed, upper);
  } else if (section_ == 5) {
    if (!trimmed.empty()) DecodePhoto(trimmed);
  } else {
    body_.push_back(trimmed);
  }
}

void ImportPass::Line(const std::string& piece, bool lastLine, bool lineEnded) {
  std::string raw;
  raw.swap(heldPiece_);
  raw += piece;
  const bool ownText = format_ == ImportFormat::kOwnText && section_ >= 1;
  if (!lineEnded && !lastLine && (ownText || IsOwnStartMarker(UpperCase(raw)))) {
    // The own export's lines are its fields: a long one is read whole.
    heldPiece_.swap(raw);
    return;
  }
  const std::string trimmed = TrimSpaces(raw);
  const std::string upper = UpperCase(trimmed);
  if (format_ == ImportFormat::kXml) {
    // XML recipe files are read by their own reader.
  } else if (ownText) {
    OwnTextLine(raw, trimmed, upper);
  } else if (!StartMarker(raw, trimmed, upper) && !EndMarker(trimmed, upper)) {
    Body(trimmed, upper);
  }
  // The end of the source ends the last recipe, after its last line.
  if (lastLine && section_ > 2) {
    TakeHeldServings();
    Finish();
    section_ = 0;
  }
  previousUpper_ = upper;
}

void ImportPass::StoreIngredientLine(std::string line) {
  const ParsedIngredient parsed = ParseIngredientLine(line);
  const std::string rebuilt = BuildIngredientLine(parsed.quantity, parsed.unit, parsed.ingredient);
  if (!rebuilt.empty()) AppendIngredientsText(db_, rebuilt + "\r");
}

void ImportPass::Finish() {
  if (!hasTitle_) {
    ResetRecord();
    return;
  }
  std::vector<std::string>& lines = body_;
  const int n = static_cast<int>(lines.size());
  int split = -1;
  int blank = -1;
  bool marker = false;
  bool twoColumn = false;
  const bool ownText = format_ == ImportFormat::kOwnText;
  if (ownText) {
    // The program's own export ends its ingredients with the first "." line.
    const auto dot = std::find(lines.begin(), lines.end(), ".");
    if (dot != lines.end()) {
      split = static_cast<int>(dot - lines.begin());
      dot->clear();
      marker = true;
    }
  }
  for (int i = marker ? -1 : n - 1; i >= 0; --i) {
    std::string& line = lines[static_cast<size_t>(i)];
    const size_t triple = line.rfind("   ");
    if (triple != std::string::npos && triple >= 22) {
      twoColumn = true;
    } else if (line.size() > 60 && twoColumn) {
      twoColumn = false;
    }
    if ((StartsWith(line, "-----") || StartsWith(line, "MMMMM")) && EndsWith(line, "-----") && line.size() > 5) {
      std::string heading = line.substr(5);
      heading.erase(std::remove(heading.begin(), heading.end(), '-'), heading.end());
      line = UpperCase(TrimSpaces(heading));
    }
    const std::string upper = UpperCase(line);
    if (line == "." || upper == "INSTRUCTIONS:" || upper == "-= INSTRUCTIONS =-" ||
        StartsWith(line, "DIRECTIONS") || StartsWith(line, "Directions")) {
      split = i;
      line.clear();
      marker = true;
      continue;
    }
    if (marker) continue;
    if (line.empty()) {
      if (split < 0) blank = i;
      continue;
    }
    const ParsedIngredient parsed = ParseIngredientLine(line);
    if (!twoColumn && line.size() > 65) {
      if (split >= 0 && !(line[0] >= '0' && line[0] <= '9')) split = -1;
      continue;
    }
    const bool ingredientLike = (parsed.quantity % 100 != 0 || (parsed.quantity > 0 && !parsed.unit.empty())) &&
                                parsed.ingredient.size() > 2;
    if (!ingredientLike) continue;
    // A sentence that happens to open with an amount is passed over while no
    // split is found; the point of a unit abbreviation ("1 tsp. salt") does
    // not make one.
    if (split < 0 && Contains(parsed.ingredient, ".")) continue;
    split = i;
    if (blank < 0) blank = i;
  }
  // Where nothing looks like an ingredient, everything is: no line is lost.
  if (split < 0) {
    split = n;
  } else if (!marker && split < blank) {
    split = blank;
  }
  // A split on an ingredient-like line (no blank line below it) keeps it as
  // an ingredient rather than dropping it.
  int ingredientsEnd = split;
  if (split < n && !lines[static_cast<size_t>(split)].empty()) ingredientsEnd = split + 1;

  // Ingredients: in two columns, the left column of every line first.
  for (int pass = 0; pass < (twoColumn ? 2 : 1); ++pass) {
    for (int i = 0; i < ingredientsEnd; ++i) {
      std::string line = lines[static_cast<size_t>(i)];
      if (twoColumn) {
        size_t run = line.find("   ", 21);
        if (pass == 0) {
          line = TrimSpaces(run == std::string::npos ? std::string_view(line) : std::string_view(line).substr(0, run));
        } else {
          line = run == std::string::npos ? std::string() : TrimSpaces(std::string_view(line).substr(run));
        }
      }
      const int32_t length = GetI32(db_.recordHeaderBuffer, header::kIngredientsLength);
      if (line.empty()) {
        if (length >= 3) {
          std::string tail = GetBytes(db_.ingredientsBuffer, length - 2, 2);
          if (tail != "\r\r") AppendIngredientsText(db_, tail.back() == '\r' ? "\r" : "\r\r");
        }
        continue;
      }
      if (ownText) {
        // The own export's lines are stored as they were written.
        AppendIngredientsText(db_, line + "\r");
        continue;
      }
      // The banner of our own exports is no text of the recipe, here (a
      // text without directions) no more than among the directions.
      if (StartsWith(UpperCase(line), "EXPORTED FROM TOVALIA")) continue;
      // Our Meal-Master export writes the sub-heading "Filling:" as "=== Filling ===".
      if (line.size() > 8 && StartsWith(line, "=== ") && EndsWith(line, " ===")) {
        const std::string heading = TrimSpaces(std::string_view(line).substr(4, line.size() - 8));
        if (!heading.empty()) line = heading + ":";
      }
      const bool dashes = StartsWith(line, "-- ") || (!Contains(line, "-- ") && StartsWith(line, " --"));
      const bool single = StartsWith(line, ";") || (StartsWith(line, "-") && !StartsWith(line, "--"));
      if ((dashes || single) && length > 0 && GetU8(db_.ingredientsBuffer, length - 1) == '\r') {
        // The line goes on with the previous ingredient.
        SetU8(db_.ingredientsBuffer, length - 1, ' ');
        line = TrimSpaces(line.substr(dashes ? std::min<size_t>(3, line.size()) : 1));
        if (!line.empty()) AppendIngredientsText(db_, line + "\r");
        continue;
      }
      size_t note = line.find("-- ");
      if (note == std::string::npos) note = line.find(" --");
      if (note != std::string::npos && note > 0) {
        line = TrimSpaces(std::string_view(line).substr(0, note)) + ", " +
               TrimSpaces(std::string_view(line).substr(note + 3));
      } else {
        line[0] = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(line[0])));
      }
      StoreIngredientLine(line);
    }
  }

  // Directions: lines of one paragraph are joined; an empty line breaks.
  for (int i = split + 1; i < n; ++i) {
    const std::string line = CleanLine(lines[static_cast<size_t>(i)]);
    const int32_t length = GetI32(db_.recordHeaderBuffer, header::kDirectionsLength);
    if (line.empty()) {
      // A paragraph break, without the blank that joins lines of a paragraph.
      if (length > 0 && GetU8(db_.directionsBuffer, length - 1) != '\r') {
        std::string text = TrimSpaces(GetBytes(db_.directionsBuffer, 0, length));
        if (text.size() + 2 <= kImportTextLimit) SetCurrentDirections(db_, text + "\r\r");
      }
      continue;
    }
    const std::string upper = UpperCase(line);
    if (upper == "NOTES:" || StartsWith(upper, "EXPORTED FROM TOVALIA")) continue;
    AppendDirectionsText(db_, line);
  }

  const int32_t ingredientsLength = GetI32(db_.recordHeaderBuffer, header::kIngredientsLength);
  const int32_t directionsLength = GetI32(db_.recordHeaderBuffer, header::kDirectionsLength);
  if (ingredientsLength > 0 || directionsLength > 0) {
    SetU8(db_.recordHeaderBuffer, header::kRecordKind, directionsLength > 0 ? kKindRecipe : kKindTextRecord);
    // A photo that arrived incomplete is not stored.
    if (!photo_.empty() && photoWritten_ == photo_.size()) {
      CreateBuffer(static_cast<int32_t>(photo_.size()), db_.photoBuffer);
      std::copy(photo_.begin(), photo_.end(), db_.photoBuffer.Data());
      SetI32(db_.recordHeaderBuffer, header::kPhotoLength, static_cast<int32_t>(photo_.size()));
    }
    const int32_t chapter = StoreImportedRecipe(db_, categories_, options_);
    if (chapter >= 0) {
      ++result_.stored;
      ++result_.perChapter[chapter];
      result_.lastChapter = chapter;
    }
  }
  ResetRecord();
}

}  // namespace

ImportResult ImportAutomatically(Database& db, const std::string& sourcePath, const ImportOptions& options,
                                 const TitlePrompt& askForTitle) {
  ImportPass pass(db, options, askForTitle);
  TextLineReader reader(sourcePath);
  const int64_t length = reader.Length();
  std::string line;
  int lastPercent = -1;
  while (reader.Next(line, 1)) {
    pass.Line(line, reader.Position() >= length, reader.LineEnded());
    // The progress text is made only when the bar can change.
    const int percent = static_cast<int>(reader.Position() * 100 / std::max<int64_t>(length, 1));
    if (percent != lastPercent) {
      db.progress->ShowProgress("Importing Recipes", std::to_string(pass.Result().stored) + " Found",
                                reader.Position(), length);
      lastPercent = percent;
    }
    db.progress->PumpMessages(0);
    if (db.progress->StopRequested()) break;
  }
  db.progress->CloseProgress();
  return pass.Result();
}

ImportResult ImportAsInformationRecord(Database& db, const std::string& sourcePath,
                                       const ImportOptions& options, bool& truncated) {
  truncated = false;
  ClearCurrentRecord(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindTextRecord);
  size_t slash = sourcePath.find_last_of('/');
  SetCurrentTitle(db, Utf8ToCp1252(slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1)));
  TextLineReader reader(sourcePath);
  std::string line;
  size_t lines = 0;
  while (lines < kMostBodyLines && reader.Next(line, 1)) {
    AppendIngredientsText(db, line + "\r");
    ++lines;
  }
  truncated = lines >= kMostBodyLines;
  ImportResult result;
  result.lastChapter = StoreImportedRecipe(db, "", options);
  if (result.lastChapter >= 0) {
    result.stored = 1;
    result.perChapter[result.lastChapter] = 1;
  }
  ClearCurrentRecord(db);
  return result;
}

}  // namespace tovalia
