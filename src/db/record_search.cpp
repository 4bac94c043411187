#include "db/record_search.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/large_pages.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/term_matcher.h"
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

namespace {

// Records are searched in blocks of this many; two threads take blocks in
// turn once a collection has this many blocks.
constexpr size_t kSearchBlock = 256;
constexpr size_t kTwoThreadsFromBlocks = 64;

struct SearchWork {
  const Database& db;
  const MappedFile& file;
  TermMatcher matcher;
  const SearchOptions& options;
  int32_t chapter;
  const LargeVector<int32_t>& entries;  // recipes and text records, in index order
  LargeVector<uint8_t> matched;
  std::vector<std::atomic<uint8_t>> done;  // per block
  std::atomic<size_t> nextBlock{0};
  std::atomic<bool> stopped{false};

  SearchWork(const Database& d, const MappedFile& f, const std::vector<SearchTerm>& t, const SearchOptions& o,
             int32_t c, const LargeVector<int32_t>& e)
      : db(d), file(f), matcher(t), options(o), chapter(c), entries(e), matched(e.size()),
        done((e.size() + kSearchBlock - 1) / kSearchBlock) {}

  // Whether the terms are satisfied by the wanted parts of the entry's
  // record, joined (compared upper-cased). A record outside the chapter
  // searched, or one that is not whole, is searched as an empty text.
  bool Matches(int32_t o, std::string& joined) const {
    const int64_t position = EntryPosition(db, o);
    const bool inside = file.Data() && position >= 0 && position + kRecordHeaderSize <= file.Size();
    const uint8_t* h = inside ? file.Data() + position : nullptr;
    // Only a record's own kinds have lengths that were checked.
    const bool sound = inside && CheckRecordHeader(h, position, file.Size()).whole &&
                       h[header::kRecordKind] <= kKindDeleted;
    if (!sound || (!options.allChapters && LoadU16(h + header::kChapterNumber) != chapter))
      return matcher.Satisfied({});
    const char* part = reinterpret_cast<const char*>(h) + kRecordHeaderSize;
    const size_t titleLength = h[header::kTitleLength];
    const auto ingredientsLength = static_cast<size_t>(LoadI32(h + header::kIngredientsLength));
    const auto directionsLength = static_cast<size_t>(LoadI32(h + header::kDirectionsLength));
    // The parts lie one after the other in the record: the wanted ones are
    // searched where they are, unless the ingredients stand between them.
    if (options.titles && !options.ingredients && options.directions) {
      joined.assign(part, titleLength);
      joined.append(part + titleLength + ingredientsLength, directionsLength);
      return matcher.Satisfied(joined);
    }
    size_t from = SIZE_MAX;
    size_t to = 0;
    auto want = [&](bool wanted, size_t start, size_t length) {
      if (!wanted) return;
      from = std::min(from, start);
      to = start + length;
    };
    want(options.titles, 0, titleLength);
    want(options.ingredients, titleLength, ingredientsLength);
    want(options.directions, titleLength + ingredientsLength, directionsLength);
    return matcher.Satisfied(from == SIZE_MAX ? std::string_view() : std::string_view(part + from, to - from));
  }

  // Searches the next block nobody has taken; false when none is left.
  bool SearchNextBlock(std::string& text) {
    if (stopped.load(std::memory_order_relaxed)) return false;
    const size_t block = nextBlock.fetch_add(1);
    if (block >= done.size()) return false;
    const size_t end = std::min(entries.size(), (block + 1) * kSearchBlock);
    for (size_t i = block * kSearchBlock; i < end; ++i) matched[i] = Matches(entries[i], text) ? 1 : 0;
    done[block].store(1, std::memory_order_release);
    return true;
  }
};

}  // namespace

int32_t SearchRecords(Database& db, std::string_view query, const SearchOptions& options) {
  const std::vector<SearchTerm> terms = ParseQuery(query);
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  const int32_t chapter = row < db.chapterTable.size() ? db.chapterTable[row].number : kAllRecipes;
  int32_t matches = 0;
  // A missing recipe file changes no flag; the view still opens.
  if (FileExists(db.paths.recipeFile)) {
    MappedFile file;
    file.Open(db.paths.recipeFile);
    LargeVector<int32_t> entries;
    entries.reserve(static_cast<size_t>(std::max(db.recipeCount, 0)));
    for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
      const int32_t kind = EntryKind(db, o);
      if (kind == kKindRecipe || kind == kKindTextRecord) entries.push_back(o);
    }
    // The records are searched ahead, on both processors when there are
    // two; the results are taken in index order, each with its progress
    // step and its chance to stop, as if one record after the other had
    // been searched.
    SearchWork work(db, file, terms, options, chapter, entries);
    std::thread helper;
    if (work.done.size() >= kTwoThreadsFromBlocks && std::thread::hardware_concurrency() >= 2) {
      helper = std::thread([&work] {
        std::string text;
        while (work.SearchNextBlock(text)) {
        }
      });
    }
    std::string text;
    bool stopped = false;
    int lastPercent = -1;
    for (size_t i = 0; i < entries.size(); ++i) {
      const int32_t o = entries[i];
      if (stopped) {
        SetEntrySearchFlag(db, o, 0);
        continue;
      }
      const size_t block = i / kSearchBlock;
      while (!work.done[block].load(std::memory_order_acquire)) {
        if (!work.SearchNextBlock(text)) std::this_thread::yield();
      }
      const bool match = work.matched[i] != 0;
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
      if (stopped) work.stopped = true;
    }
    work.stopped = true;
    if (helper.joinable()) helper.join();
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
