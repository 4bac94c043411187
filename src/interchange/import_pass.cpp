#include "interchange/import_pass.h"

#include <algorithm>

#include "db/bmp_layout.h"
#include "db/cp1252.h"
#include "interchange/body_split.h"
#include "interchange/import_lines.h"

namespace tovalia {

namespace {

constexpr size_t kMostBodyLines = 999;
// Nor more bytes than this, so that one recipe's work stays bounded
// (a record's texts hold 64,990 bytes each).
constexpr size_t kMostBodyBytes = 8 << 20;
constexpr size_t kBodyLineWidth = 80;
// A photo line announcing more than this is not believed.
constexpr size_t kLargestPhoto = 16 << 20;

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

bool IsLetter(char c) {
  const uint8_t u = UpperCaseByte(static_cast<uint8_t>(c));
  return (u >= 'A' && u <= 'Z') || u >= 0xC0;
}

// A marker text that stands in a banner: nothing but rule characters and
// blanks before it ("-----", "*", "@@@@@", "-=").
bool OpensBanner(std::string_view upper, std::string_view marker) {
  const size_t at = upper.find(marker);
  if (at == std::string_view::npos) return false;
  return std::none_of(upper.begin(), upper.begin() + static_cast<std::ptrdiff_t>(at), IsLetter);
}

// The text after the first ":", or after `fallback` characters when there is none.
std::string AfterColon(std::string_view line, size_t fallback) {
  size_t colon = line.find(':');
  size_t from = colon == std::string_view::npos ? fallback : colon + 1;
  return TrimBlanks(from < line.size() ? line.substr(from) : std::string_view());
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
    text = before + ", " + TrimBlanks(std::string_view(text).substr(at));
  }
  return text;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsBase64Line(std::string_view line) {
  return !line.empty() && std::all_of(line.begin(), line.end(), [](char c) { return Base64Value(c) >= 0 || c == '='; });
}

std::vector<uint8_t> DecodeBase64(const std::vector<std::string>& lines, size_t most) {
  std::vector<uint8_t> bytes;
  uint32_t bits = 0;
  int count = 0;
  for (const std::string& line : lines) {
    for (char c : line) {
      const int value = Base64Value(c);
      if (value < 0) continue;  // padding
      bits = (bits << 6) | static_cast<uint32_t>(value);
      if (++count == 4) {
        for (int k = 0; k < 3 && bytes.size() <= most; ++k) bytes.push_back(static_cast<uint8_t>(bits >> (16 - 8 * k)));
        bits = 0;
        count = 0;
      }
    }
  }
  // Two or three characters left over carry one or two more bytes.
  if (count >= 2) bytes.push_back(static_cast<uint8_t>(bits >> (count * 6 - 8)));
  if (count == 3) bytes.push_back(static_cast<uint8_t>(bits >> 2));
  return bytes;
}

// "Photo: 1234", as the program's own export writes it before the Base64 lines.
bool IsPhotoLine(std::string_view upper, size_t& length) {
  if (!StartsWith(upper, "PHOTO:")) return false;
  const std::string number = TrimBlanks(upper.substr(6));
  if (number.empty() || number.size() > 9 || !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  length = static_cast<size_t>(std::stoul(number));
  return length > 0 && length <= kLargestPhoto;
}

// "Servings: 4", or "Servings: " alone for a text record, as the program's
// own export ends a recipe.
bool IsOwnServingsLine(std::string_view upper) {
  if (!StartsWith(upper, "SERVINGS:")) return false;
  const std::string number = TrimBlanks(upper.substr(9));
  return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Formats that end each recipe with a marker of their own: inside such a
// recipe's body, only the same format's start marker opens a new recipe.
bool HasEndMarker(ImportFormat format) {
  return format != ImportFormat::kMasterCook && format != ImportFormat::kStarBanner && format != ImportFormat::kNone;
}

// Formats whose servings stand in the header (or, for Now You're Cooking,
// in the closing yield line): a servings line in the body is text
// ("Serving: 402 cal, 5 g pro").
bool KeepsServingsInHeader(ImportFormat format) {
  return format == ImportFormat::kMealMaster || format == ImportFormat::kMasterCook ||
         format == ImportFormat::kNowYoureCooking;
}

// Formats read by their columns, whose lines are kept as written.
bool KeepsColumns(ImportFormat format) {
  return format == ImportFormat::kMealMaster || format == ImportFormat::kMasterCook;
}

}  // namespace

void ImportPass::Reset() {
  recipe_ = ImportedRecipe{};
  hasTitle_ = false;
  columns_ = false;
  categoriesGoOn_ = false;
  body_.clear();
  bodyBytes_ = 0;
  photoLines_.clear();
  photoLength_ = 0;
  pendingDirection_.clear();
  heldServings_.reset();
  heldBlankLines_ = 0;
  ownTextRecord_ = false;
  blankLinesBeforeTitle_ = 0;
}

// The program's own export keeps its lines as they are, with no limit on
// their number (its texts are bounded by the record's); column formats keep
// theirs whole; the others keep at most 80 characters a line, cutting
// longer ones at their last blank. A recipe keeps at most 999 lines.
void ImportPass::Collect(const std::string& raw) {
  const bool own = format_ == ImportFormat::kOwnText;
  if (own) {
    body_.push_back(raw);
    return;
  }
  std::string line = KeepsColumns(format_) ? raw : TrimBlanks(raw);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  for (;;) {
    if (body_.size() >= kMostBodyLines || bodyBytes_ + line.size() > kMostBodyBytes) return;
    if (KeepsColumns(format_) || line.size() < kBodyLineWidth) {
      bodyBytes_ += line.size();
      body_.push_back(std::move(line));
      return;
    }
    size_t cut = line.substr(0, kBodyLineWidth).rfind(' ');
    if (cut == std::string::npos || cut == 0) cut = kBodyLineWidth;
    body_.push_back(line.substr(0, cut));
    bodyBytes_ += cut;
    line = line.substr(cut);
  }
}

bool ImportPass::StartMarker(const std::string& raw, const std::string& trimmed, const std::string& upper) {
  ImportFormat format = ImportFormat::kNone;
  if (StartsWith(upper, "TOVALIA") && Contains(upper, "CHAPTER:")) {
    format = ImportFormat::kOwnText;
  } else if ((StartsWith(trimmed, "MMMMM") || StartsWith(trimmed, "-----")) && Contains(upper, "MEAL-MASTER")) {
    format = ImportFormat::kMealMaster;
  } else if ((StartsWith(trimmed, "*") || StartsWith(upper, "EXPORTED FROM")) && Contains(upper, "EXPORTED FROM") &&
             Contains(upper, "MASTERCOOK")) {
    format = ImportFormat::kMasterCook;
  } else if (OpensBanner(upper, "EXPORTED FROM BIGOVEN")) {
    format = ImportFormat::kBigOven;
  } else if (OpensBanner(upper, "RECIPE BEGINS")) {
    format = ImportFormat::kRecipeBegins;
  } else if ((section_ == 0 || format_ == ImportFormat::kStarBanner) && section_ != 2 && trimmed.size() > 10 &&
             OnlyOf(trimmed, '*')) {
    // A rule of stars opens a recipe only between recipes, or between the
    // recipes of a text that uses them.
    format = ImportFormat::kStarBanner;
  } else if ((StartsWith(trimmed, "@@@@@") || StartsWith(upper, "NOW YOU'RE COOKING")) &&
             Contains(upper, "NOW YOU'RE COOKING") && Contains(upper, "EXPORT FORMAT")) {
    format = ImportFormat::kNowYoureCooking;
  } else if (Contains(raw, "<Recipe ")) {
    format = ImportFormat::kXml;
  } else if (OpensBanner(upper, "EXPORTED FROM COOKBOOK WIZARD")) {
    format = ImportFormat::kCookbookWizard;
  } else if (StartsWith(upper, "RPW----------")) {
    format = ImportFormat::kRpw;
  } else if (StartsWith(upper, "A~A~A~A~")) {
    format = ImportFormat::kTildeCoded;
  }
  if (format == ImportFormat::kNone) return false;
  // Inside the body of a recipe that has not reached its end marker, another
  // program's marker is text: a quoted banner, a credit line.
  if (section_ >= 3 && HasEndMarker(format_) && format != format_) return false;
  if (section_ >= 2) Finish();
  section_ = 1;
  format_ = format;
  servingsSeen_ = false;
  if (format == ImportFormat::kXml) {
    section_ = 0;
    xml_.ImportXmlLine(std::string_view(raw).substr(raw.find("<Recipe ")));
  }
  blankLinesBeforeTitle_ = 0;
  if (format == ImportFormat::kOwnText) recipe_.categories = AfterColon(trimmed, 0);
  return true;
}

bool ImportPass::EndMarker(const std::string& trimmed, const std::string& upper) {
  if (section_ < 2) return false;
  const ImportFormat f = format_;
  // Markers that close any recipe, in formats without an end marker of their
  // own; inside the others they are text (a Compu-Chef credit line).
  bool end = !HasEndMarker(f) && (upper == "</RECIPE>" || Contains(upper, "RECIPE VIA COMPU-CHEF"));
  end = end || (f == ImportFormat::kRecipeBegins && Contains(upper, "RECIPE ENDS"));
  end = end || (f == ImportFormat::kBigOven && Contains(upper, "DIRECTLY INTO BIGOVEN"));
  end = end || (f == ImportFormat::kNowYoureCooking && Contains(upper, "EXPORTED FROM NOW"));
  // MasterCook's dashes close the ingredients and directions; its notes follow.
  end = end || (f != ImportFormat::kMasterCook && f != ImportFormat::kMealMaster && StartsWith(upper, "- - - - -"));
  if (f == ImportFormat::kMealMaster && !trimmed.empty())
    end = end || trimmed == "MMMMM" || (trimmed.size() == 77 && OnlyOf(trimmed, '-')) || trimmed == "-----";
  if (f == ImportFormat::kCookbookWizard) end = end || StartsWith(upper, std::string(10, '-'));
  if (f == ImportFormat::kRpw) end = end || trimmed == "+++";
  if (f == ImportFormat::kTildeCoded && upper == "END") {
    if (!pendingDirection_.empty()) Collect(CleanLine(pendingDirection_));
    pendingDirection_.clear();
    end = true;
  }
  if (!end) return false;
  Finish();
  section_ = 0;
  return true;
}

void ImportPass::TildeCodedLine(const std::string& trimmed, const std::string& upper) {
  const char code = upper.empty() ? '\0' : upper[0];
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
    if (TrimBlanks(direction).empty()) {
      Collect(CleanLine(pendingDirection_));
      pendingDirection_.clear();
    } else {
      direction.resize(std::max<size_t>(direction.size(), 40), ' ');
      pendingDirection_ += direction;
    }
  }
}

void ImportPass::Header(const std::string& raw, const std::string& trimmed, const std::string& upper) {
  const ImportFormat f = format_;
  auto setTitle = [this](std::string_view title) {
    recipe_.title = std::string(title);
    hasTitle_ = true;
    section_ = 2;
  };
  auto setServings = [this](int32_t servings) { recipe_.servings = servings; };
  size_t photoLength = 0;
  // The first test that applies decides what the line is.
  if (f == ImportFormat::kStarBanner && StartsWith(trimmed, "***** ") && EndsWith(trimmed, " *****") &&
      trimmed.size() >= 12) {
    setTitle(std::string_view(trimmed).substr(6, trimmed.size() - 12));
  } else if (section_ == 1 && !trimmed.empty() &&
             (f == ImportFormat::kOwnText || f == ImportFormat::kMasterCook || f == ImportFormat::kBigOven ||
              f == ImportFormat::kNowYoureCooking || f == ImportFormat::kRpw)) {
    if (f != ImportFormat::kOwnText) recipe_.categories.clear();
    setTitle(trimmed);
  } else if (section_ <= 2 && ((section_ < 2 && StartsWith(upper, "TITLE:")) || StartsWith(upper, "TITLE    :") ||
                               StartsWith(upper, "RECIPE NAME:"))) {
    setTitle(AfterColon(trimmed, 0));
  } else if (f == ImportFormat::kTildeCoded && section_ == 1 && StartsWith(upper, "N")) {
    setTitle(std::string_view(trimmed).substr(1));
    setServings(0);
    recipe_.categories.clear();
  } else if (f == ImportFormat::kNowYoureCooking && section_ == 2 && recipe_.categories.empty() && !trimmed.empty()) {
    // The lines after the title, to an empty line, hold the categories; the
    // body follows.
    recipe_.categories = trimmed;
    categoriesGoOn_ = true;
    section_ = 3;
  } else if (categoriesGoOn_) {
    if (!trimmed.empty()) recipe_.categories += ", " + trimmed;
    categoriesGoOn_ = !trimmed.empty();
  } else if (section_ == 2 && (StartsWith(upper, "CATEGORIES") || StartsWith(upper, "CATEGORY:"))) {
    recipe_.categories = DoubleSpacesToCommas(AfterColon(trimmed, 10));
  } else if (section_ == 2 && StartsWith(upper, "KEYWORDS")) {
    recipe_.categories = KeywordsToCategories(AfterColon(trimmed, 8));
  } else if (f == ImportFormat::kRpw && section_ == 2 && recipe_.categories.empty() && !trimmed.empty()) {
    recipe_.categories = CleanTitle(trimmed, nullptr);
  } else if (f == ImportFormat::kTildeCoded && section_ == 2 && recipe_.categories.empty() && StartsWith(upper, "C")) {
    recipe_.categories = trimmed.substr(1);
  } else if (f == ImportFormat::kRpw && section_ == 2 && previousUpper_ == UpperCase(recipe_.categories)) {
    setServings(ReadServings(trimmed));
    servingsSeen_ = true;
    section_ = 3;
  } else if (section_ == 2 && !servingsSeen_ && Contains(upper, "NUMBER OF SERVINGS:")) {
    // A header line of its own; the header's first servings line wins.
    setServings(ReadServings(std::string_view(trimmed).substr(upper.find("NUMBER OF SERVINGS:"))));
    servingsSeen_ = true;
  } else if (f == ImportFormat::kNowYoureCooking && section_ > 1 && StartsWith(upper, "YIELD:")) {
    // Now You're Cooking ends every recipe with its yield.
    if (!servingsSeen_) setServings(ReadServings(AfterColon(trimmed, 0)));
    Finish();
    section_ = 0;
  } else if (section_ > 1 && !servingsSeen_ && Contains(trimmed, ":") &&
             (section_ == 2 || !KeepsServingsInHeader(f)) &&
             (StartsWith(upper, "SERVES") || StartsWith(upper, "YIELD:") || StartsWith(upper, "SERVING"))) {
    setServings(ReadServings(AfterColon(trimmed, 0)));
    servingsSeen_ = true;
    if (f == ImportFormat::kMealMaster) section_ = 3;
    if (f == ImportFormat::kOwnText) {
      // The own export puts the servings last: the recipe is complete.
      Finish();
      section_ = 0;
    }
  } else if (f == ImportFormat::kOwnText && section_ > 1 && IsPhotoLine(upper, photoLength)) {
    sectionBeforePhoto_ = section_;
    photoLength_ = photoLength;
    photoLines_ = {trimmed};
    photoChars_ = 0;
    section_ = 5;
  } else if (section_ == 2 && StartsWith(upper, "INGREDIENTS")) {
    section_ = 3;
  } else if (section_ == 2 && StartsWith(trimmed, "-----") && StartsWith(previousUpper_, "AMOUNT ")) {
    section_ = 3;
    columns_ = true;
  } else if (section_ == 2 && f == ImportFormat::kOwnText && OnlyOf(trimmed, '=')) {
    section_ = 3;
  } else if (f == ImportFormat::kTildeCoded && section_ >= 2) {
    TildeCodedLine(trimmed, upper);
  } else if (section_ == 2 && f == ImportFormat::kMealMaster && !trimmed.empty()) {
    // A Meal-Master body starts after the header, whatever its first line holds.
    section_ = 3;
    Collect(raw);
  } else if (section_ == 2) {
    const ParsedIngredient parsed = ParseIngredientLine(trimmed);
    if (parsed.quantity > 0 && !parsed.unit.empty()) {
      section_ = 3;
      Collect(raw);
    }
  } else if (section_ == 3) {
    Collect(raw);
  }
}

// Photo data: Base64 lines (empty lines between them pass); any other line
// ends the photo and is read as usual.
bool ImportPass::PhotoLine(const std::string& trimmed) {
  if (trimmed.empty()) return true;
  if (IsBase64Line(trimmed)) {
    // Characters past those the announced length needs are dropped, as
    // their bytes would be.
    if (photoChars_ <= (photoLength_ / 3 + 2) * 4) photoLines_.push_back(trimmed);
    photoChars_ += trimmed.size();
    return true;
  }
  EndPhoto();
  return false;
}

// A photo is kept only when its bytes are the announced number and form a
// sound BMP image; otherwise its lines stay text.
void ImportPass::EndPhoto() {
  section_ = sectionBeforePhoto_;
  if (photoLines_.empty()) return;
  const std::vector<std::string> data(photoLines_.begin() + 1, photoLines_.end());
  std::vector<uint8_t> bytes = DecodeBase64(data, photoLength_);
  if (bytes.size() >= photoLength_) bytes.resize(photoLength_);
  BmpLayout layout;
  if (bytes.size() == photoLength_ && ReadBmpLayout(bytes.data(), bytes.size(), layout)) {
    recipe_.photo = std::move(bytes);
    // The own export's writer puts an empty line before the photo.
    if (format_ == ImportFormat::kOwnText && !body_.empty() && TrimBlanks(body_.back()).empty()) body_.pop_back();
  } else if (section_ >= 3) {
    for (const std::string& line : photoLines_) Collect(line);
  }
  photoLines_.clear();
}


void ImportPass::TakeHeldServings() {
  if (!heldServings_) return;
  const std::string number = AfterColon(*heldServings_, 0);
  recipe_.servings = ReadServings(number);
  ownTextRecord_ = number.empty();
  servingsSeen_ = true;
  heldServings_.reset();
  heldBlankLines_ = 0;
}

// The program's own export holds a recipe's fields in a fixed order: the
// title, a rule of "=", the ingredients, a "." line, the directions, the
// photo, the servings and the banner. Inside its body only its photo line,
// its servings line and the next recipe's chapter line are looked for: any
// other line is text, whatever it looks like ("Serving suggestion: ...",
// "- - - - -"). A servings line ends the recipe only when the banner, the
// next recipe or the end follows it; "Servings: 6" among the ingredients
// stays text.
void ImportPass::OwnTextLine(const std::string& raw, const std::string& trimmed, const std::string& upper) {
  // Every recipe ends in its servings line: a chapter line in the body
  // before it is text of the recipe.
  if (StartsWith(upper, "TOVALIA") && Contains(upper, "CHAPTER:") && (section_ < 3 || heldServings_)) {
    TakeHeldServings();
    StartMarker(raw, trimmed, upper);
    return;
  }
  if (section_ == 1 && trimmed.empty()) {
    ++blankLinesBeforeTitle_;
    return;
  }
  if (section_ == 1 && blankLinesBeforeTitle_ >= 2 && OnlyOf(trimmed, '=')) {
    // The rule under a blank title: the title is asked for when stored.
    hasTitle_ = true;
    section_ = 3;
    return;
  }
  if (section_ < 3) return Header(raw, trimmed, upper);
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
    Collect(*heldServings_);
    for (; heldBlankLines_ > 0; --heldBlankLines_) Collect("");
    heldServings_.reset();
  }
  size_t photoLength = 0;
  if (IsOwnServingsLine(upper)) {
    heldServings_ = raw;
  } else if (IsPhotoLine(upper, photoLength)) {
    sectionBeforePhoto_ = section_;
    photoLength_ = photoLength;
    photoLines_ = {trimmed};
    photoChars_ = 0;
    section_ = 5;
  } else {
    Collect(raw);
  }
}

void ImportPass::Line(const std::string& raw) {
  // The trimmed and upper-cased copies live in buffers kept from line to
  // line, so that a line costs no allocation once they are large enough.
  std::string& trimmed = trimmed_;
  std::string& upper = upper_;
  const size_t first = raw.find_first_not_of(' ');
  if (first == std::string::npos) {
    trimmed.clear();
  } else {
    trimmed.assign(raw, first, raw.find_last_not_of(' ') - first + 1);
  }
  upper.resize(trimmed.size());
  const uint8_t* const toUpper = UpperCaseTable();
  for (size_t i = 0; i < trimmed.size(); ++i)
    upper[i] = static_cast<char>(toUpper[static_cast<uint8_t>(trimmed[i])]);
  if (format_ == ImportFormat::kXml) {
    xml_.ImportXmlLine(raw);
  } else if (section_ == 5 && PhotoLine(trimmed)) {
    // a line of photo data
  } else if (format_ == ImportFormat::kOwnText && section_ >= 1) {
    OwnTextLine(raw, trimmed, upper);
  } else if (!StartMarker(raw, trimmed, upper) && !EndMarker(trimmed, upper)) {
    Header(raw, trimmed, upper);
  }
  previousUpper_.swap(upper);
}

void ImportPass::End() {
  if (format_ == ImportFormat::kXml) xml_.End();
  TakeHeldServings();
  if (section_ >= 2) Finish();
  section_ = 0;
}

void ImportPass::Finish() {
  if (section_ == 5) EndPhoto();
  if (!hasTitle_) {
    Reset();
    return;
  }
  // The banner our Meal-Master export writes after the directions is no
  // text of the recipe: a recipe with nothing else stays an empty recipe.
  if (format_ != ImportFormat::kOwnText)
    std::erase_if(body_, [](const std::string& line) { return StartsWith(UpperCase(TrimBlanks(line)), "EXPORTED FROM TOVALIA"); });
  switch (format_) {
    case ImportFormat::kMealMaster: SplitMealMasterBody(body_, recipe_); break;
    case ImportFormat::kMasterCook:
      if (columns_) {
        SplitMasterCookBody(body_, recipe_);
      } else {
        SplitBodyByScan(body_, recipe_);
      }
      break;
    case ImportFormat::kNowYoureCooking: SplitNowYoureCookingBody(body_, recipe_); break;
    case ImportFormat::kOwnText: SplitOwnTextBody(body_, ownTextRecord_, recipe_); break;
    default: SplitBodyByScan(body_, recipe_); break;
  }
  sink_(std::move(recipe_));
  Reset();
}

}  // namespace tovalia
