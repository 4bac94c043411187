#include "db/record_search.h"

#include <algorithm>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

// Letters of either case (after upper-casing), digits, the apostrophe and
// the bytes 128-173 make words. The CP1252 letters 192-255 (but for the
// multiplication and division signs) do too, so that accented words such as
// CRÈME stay whole.
bool IsWordCharacter(uint8_t c) {
  return c == '\'' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 128 && c <= 173) ||
         (c >= 192 && c != 215 && c != 247);
}

char OperatorBefore(const std::string& query, size_t start) {
  if (start == 0) return '+';
  char before = query[start - 1];
  return before == '-' || before == '/' ? before : '+';
}

}  // namespace

std::vector<SearchTerm> ParseQuery(std::string_view raw) {
  const std::string query = UpperCase(TrimBlanks(raw));
  std::vector<SearchTerm> terms;
  size_t i = 0;
  while (i < query.size() && terms.size() < kMostSearchTerms) {
    const uint8_t c = static_cast<uint8_t>(query[i]);
    if (c == '"' && i + 1 < query.size()) {
      size_t close = query.find('"', i + 1);
      if (close != std::string::npos) {
        std::string phrase = TrimBlanks(std::string_view(query).substr(i + 1, close - i - 1));
        if (!phrase.empty()) terms.push_back({OperatorBefore(query, i), phrase});
        i = close + 1;
        continue;
      }
    }
    if (!IsWordCharacter(c)) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < query.size() && IsWordCharacter(static_cast<uint8_t>(query[end]))) ++end;
    terms.push_back({OperatorBefore(query, i), query.substr(i, end - i)});
    i = end;
  }
  return terms;
}

bool TermsSatisfied(const std::vector<SearchTerm>& terms, std::string_view text) {
  size_t satisfied = 0;
  size_t anyOf = 0;
  bool anyOccurs = false;
  for (const SearchTerm& term : terms) {
    const bool occurs = text.find(term.text) != std::string_view::npos;
    switch (term.op) {
      case '+': satisfied += occurs ? 1 : 0; break;
      case '-': satisfied += occurs ? 0 : 1; break;
      default:
        ++anyOf;
        anyOccurs = anyOccurs || occurs;
        break;
    }
  }
  if (anyOccurs) satisfied += anyOf;
  return satisfied == terms.size();
}

std::string NoMatchesMessage(std::string_view query) {
  return "No matches for \"" + std::string(query) + "\"";
}

int32_t SearchRecords(Database& db, std::string_view query, const SearchOptions& options) {
  const std::vector<SearchTerm> terms = ParseQuery(query);
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  const int32_t chapter = row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes;
  int32_t matches = 0;
  // A missing recipe file changes no flag; the view still opens.
  if (FileExists(db.paths.recipeFile)) {
    MappedFile file;
    file.Open(db.paths.recipeFile);
    std::string text;  // the wanted parts of one record, upper-cased and joined
    bool stopped = false;
    int lastPercent = -1;
    for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
      const int32_t kind = EntryKind(db, o);
      if (stopped) {
        if (kind == kKindRecipe || kind == kKindTextRecord) SetEntrySearchFlag(db, o, 0);
        continue;
      }
      if (kind != kKindRecipe && kind != kKindTextRecord) continue;
      text.clear();
      const int64_t position = EntryPosition(db, o);
      const bool inside = file.Data() && position >= 0 && position + kRecordHeaderSize <= file.Size();
      const uint8_t* h = inside ? file.Data() + position : nullptr;
      const bool sound = inside && CheckRecordHeader(h, position, file.Size()).whole;
      if (sound && (options.allChapters || LoadU16(h + header::kChapterNumber) == chapter)) {
        const int64_t titleLength = h[header::kTitleLength];
        const int64_t ingredientsLength = LoadI32(h + header::kIngredientsLength);
        const int64_t directionsLength = LoadI32(h + header::kDirectionsLength);
        const uint8_t* part = h + kRecordHeaderSize;
        auto take = [&text, upper = UpperCaseTable()](const uint8_t* from, int64_t count) {
          const size_t at = text.size();
          text.resize(at + static_cast<size_t>(count));
          char* to = text.data() + at;
          for (int64_t k = 0; k < count; ++k) to[k] = static_cast<char>(upper[from[k]]);
        };
        if (options.titles) take(part, titleLength);
        if (options.ingredients) take(part + titleLength, ingredientsLength);
        if (options.directions) take(part + titleLength + ingredientsLength, directionsLength);
      }
      const bool match = TermsSatisfied(terms, text);
      SetEntrySearchFlag(db, o, match ? 1 : 0);
      if (match) ++matches;
      // The bar changes only with the percentage; its text is made only then.
      const int percent = static_cast<int>(int64_t{o} * 100 / db.indexSize);
      if (percent != lastPercent) {
        db.progress->ShowProgress("Searching Records", std::to_string(matches) + " Matches", o,
                                  db.indexSize);
        lastPercent = percent;
      }
      db.progress->PumpMessages(0);
      stopped = db.progress->StopRequested();
    }
    db.progress->CloseProgress();
    SaveIndex(db);
  }
  FindChapterRow(db, kSearchResults);
  db.listPosition = 0;
  db.firstVisibleTitle = 0;
  BuildRecipeList(db, kSearchResults);
  SelectOnly(db, 0);
  return matches;
}

}  // namespace tovalia
