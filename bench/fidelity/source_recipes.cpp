#include "source_recipes.h"

#include <algorithm>
#include <cctype>

#include "db/cp1252.h"

namespace tovalia::fidelity {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::string AfterColon(const std::string& line) {
  const size_t colon = line.find(':');
  return colon == std::string::npos ? std::string() : TrimBlanks(line.substr(colon + 1));
}

int FirstNumber(const std::string& text) {
  int value = 0;
  bool seen = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      value = value * 10 + (c - '0');
      seen = true;
      if (value > 100000) break;
    } else if (seen) {
      break;
    }
  }
  return value;
}

bool OnlyOf(const std::string& text, char c, size_t atLeast) {
  return text.size() >= atLeast && std::all_of(text.begin(), text.end(), [c](char x) { return x == c; });
}

bool MealMasterStart(const std::string& trimmed) {
  return (StartsWith(trimmed, "MMMMM") || StartsWith(trimmed, "-----")) &&
         UpperCase(trimmed).find("MEAL-MASTER") != std::string::npos;
}

bool MasterCookStart(const std::string& trimmed) {
  return StartsWith(trimmed, "*") && UpperCase(trimmed).find("EXPORTED FROM") != std::string::npos &&
         UpperCase(trimmed).find("MASTERCOOK") != std::string::npos;
}

// Meal-Master: the header lines up to the first line of the body.
std::vector<SourceRecipe> CutMealMaster(const std::vector<std::string>& lines) {
  std::vector<SourceRecipe> recipes;
  SourceRecipe* open = nullptr;
  bool inHeader = false;
  for (const std::string& line : lines) {
    const std::string trimmed = TrimBlanks(line);
    if (MealMasterStart(trimmed)) {
      recipes.emplace_back();
      open = &recipes.back();
      open->all.push_back(line);
      inHeader = true;
      continue;
    }
    if (open == nullptr) continue;
    if (trimmed == "MMMMM" || OnlyOf(trimmed, '-', 5)) {
      open = nullptr;
      continue;
    }
    open->all.push_back(line);
    const std::string upper = UpperCase(trimmed);
    if (inHeader) {
      if (StartsWith(upper, "TITLE:")) {
        open->title = AfterColon(trimmed);
        continue;
      }
      if (StartsWith(upper, "CATEGORIES:")) continue;
      if (StartsWith(upper, "YIELD:") || StartsWith(upper, "SERVINGS:")) {
        open->servings = FirstNumber(AfterColon(trimmed));
        continue;
      }
      if (trimmed.empty()) continue;
      inHeader = false;
    }
    open->content.push_back(line);
  }
  return recipes;
}

// MasterCook text: the banner, the title, the header block down to the
// dashes under "Amount  Measure", then everything to the next banner.
std::vector<SourceRecipe> CutMasterCook(const std::vector<std::string>& lines) {
  std::vector<SourceRecipe> recipes;
  SourceRecipe* open = nullptr;
  bool inHeader = false;
  for (const std::string& line : lines) {
    const std::string trimmed = TrimBlanks(line);
    if (MasterCookStart(trimmed)) {
      recipes.emplace_back();
      open = &recipes.back();
      open->all.push_back(line);
      inHeader = true;
      continue;
    }
    if (open == nullptr) continue;
    open->all.push_back(line);
    const std::string upper = UpperCase(trimmed);
    if (inHeader) {
      if (open->title.empty() && !trimmed.empty()) {
        open->title = trimmed;
      } else if (StartsWith(upper, "SERVING SIZE")) {
        open->servings = FirstNumber(AfterColon(trimmed));
      } else if (StartsWith(trimmed, "--------")) {
        inHeader = false;
      }
      continue;
    }
    // The dashes before the notes and the mark of an empty ingredient list
    // are MasterCook's own.
    if (StartsWith(trimmed, "- - - -") || trimmed == "*****  NONE  *****") continue;
    open->content.push_back(line);
  }
  return recipes;
}

// Now You're Cooking: "@@@@@", the title, the categories (lines up to an
// empty one), the body, and the "Yield:" line that ends it.
std::vector<SourceRecipe> CutNowYoureCooking(const std::vector<std::string>& lines) {
  std::vector<SourceRecipe> recipes;
  SourceRecipe* open = nullptr;
  int headerLines = 0;
  for (const std::string& line : lines) {
    const std::string trimmed = TrimBlanks(line);
    if (StartsWith(trimmed, "@@@@@")) {
      recipes.emplace_back();
      open = &recipes.back();
      open->all.push_back(line);
      headerLines = 0;
      continue;
    }
    if (open == nullptr) continue;
    open->all.push_back(line);
    if (StartsWith(UpperCase(trimmed), "YIELD:")) {
      open->servings = FirstNumber(AfterColon(trimmed));
      open = nullptr;
      continue;
    }
    // The title, then the categories, which may run over lines to an empty one.
    if (headerLines < 2 || (headerLines == 2 && !trimmed.empty())) {
      if (!trimmed.empty() && headerLines == 0) {
        open->title = trimmed;
        ++headerLines;
      } else if (!trimmed.empty()) {
        headerLines = 2;
      } else if (headerLines == 2) {
        headerLines = 3;
      }
      continue;
    }
    if (headerLines == 2) headerLines = 3;
    open->content.push_back(line);
  }
  return recipes;
}

int CountOccurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

}  // namespace

SourceKind KindOfFile(const std::string& corpusName) {
  const std::string folder = corpusName.substr(0, corpusName.find('/'));
  const std::string lower = LowerCase(corpusName);
  if (folder == "mealmaster") return SourceKind::kMealMaster;
  if (folder == "mastercook") {
    return lower.size() > 4 && lower.substr(lower.size() - 4) == ".mx2" ? SourceKind::kMasterCookXml
                                                                        : SourceKind::kMasterCookText;
  }
  if (folder == "nyc") return SourceKind::kNowYoureCooking;
  if (folder == "recipeml") return SourceKind::kRecipeMl;
  if (folder == "jsonld") return SourceKind::kJsonLd;
  return SourceKind::kOther;
}

std::vector<SourceRecipe> CutTextExport(SourceKind kind, const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  switch (kind) {
    case SourceKind::kMealMaster: return CutMealMaster(lines);
    case SourceKind::kMasterCookText: return CutMasterCook(lines);
    case SourceKind::kNowYoureCooking: return CutNowYoureCooking(lines);
    default: return {};
  }
}

int CountStructuredRecipes(SourceKind kind, const std::string& text) {
  switch (kind) {
    case SourceKind::kMasterCookXml: return CountOccurrences(text, "<RcpE");
    case SourceKind::kRecipeMl: return CountOccurrences(LowerCase(text), "<recipe>") +
                                       CountOccurrences(LowerCase(text), "<recipe ");
    case SourceKind::kJsonLd: {
      // "@type": "Recipe" or an array holding "Recipe", however spaced.
      int count = 0;
      for (size_t at = text.find("\"@type\""); at != std::string::npos; at = text.find("\"@type\"", at + 7)) {
        size_t value = text.find_first_not_of(" \t\r\n:", at + 7);
        if (value == std::string::npos) break;
        if (text.compare(value, 8, "\"Recipe\"") == 0) {
          ++count;
        } else if (text[value] == '[') {
          const size_t close = text.find(']', value);
          if (close != std::string::npos && text.substr(value, close - value).find("\"Recipe\"") != std::string::npos)
            ++count;
        }
      }
      return count;
    }
    case SourceKind::kOther: return CountOccurrences(text, "<Recipe ");
    default: return 0;
  }
}

}  // namespace tovalia::fidelity
