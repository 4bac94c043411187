#include "output/book_list.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"

namespace tovalia {

std::vector<BookRow> BuildBookList(const Database& db) {
  std::vector<BookRow> rows;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    const int32_t kind = EntryKind(db, o);
    if (kind != kKindRecipe && kind != kKindTextRecord && kind != kKindChapter) continue;
    BookRow row;
    row.entry = o;
    row.kind = kind;
    row.chapter = EntryChapter(db, o);
    row.title = std::string(EntryTitle(db, o));
    row.chapterName = kind == kKindChapter ? row.title : ChapterName(db, row.chapter);
    rows.push_back(std::move(row));
  }
  struct Key {
    std::string chapter;
    int32_t number;
    bool record;
    std::string title;
  };
  std::vector<std::pair<Key, size_t>> keyed;
  for (size_t i = 0; i < rows.size(); ++i)
    keyed.push_back({{UpperCase(rows[i].chapterName), rows[i].chapter, rows[i].kind != kKindChapter,
                      rows[i].kind == kKindChapter ? std::string() : UpperCase(rows[i].title)},
                     i});
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return std::tie(a.first.chapter, a.first.number, a.first.record, a.first.title) <
           std::tie(b.first.chapter, b.first.number, b.first.record, b.first.title);
  });
  std::vector<BookRow> sorted;
  sorted.reserve(rows.size());
  for (const auto& [key, i] : keyed) sorted.push_back(std::move(rows[i]));
  return sorted;
}

void ToggleBookRow(std::vector<BookRow>& rows, size_t row) {
  if (row >= rows.size()) return;
  const bool mark = !rows[row].marked;
  const int32_t chapter = rows[row].chapter;
  if (rows[row].kind == kKindChapter) {
    for (BookRow& r : rows)
      if (r.chapter == chapter) r.marked = mark;
    return;
  }
  rows[row].marked = mark;
  bool all = true;
  for (const BookRow& r : rows)
    if (r.chapter == chapter && r.kind != kKindChapter) all = all && r.marked;
  for (BookRow& r : rows)
    if (r.chapter == chapter && r.kind == kKindChapter) r.marked = all;
}

void ToggleAllBookRows(std::vector<BookRow>& rows) {
  if (rows.empty()) return;
  const bool mark = !rows[0].marked;
  for (BookRow& r : rows) r.marked = mark;
}

bool MarkChaptersOfMarkedRecords(std::vector<BookRow>& rows) {
  std::set<int32_t> chapters;
  bool any = false;
  for (const BookRow& r : rows) {
    any = any || r.marked;
    if (r.marked && r.kind != kKindChapter) chapters.insert(r.chapter);
  }
  for (BookRow& r : rows)
    if (r.kind == kKindChapter && chapters.count(r.chapter)) r.marked = true;
  return any;
}

}  // namespace tovalia
