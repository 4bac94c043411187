// The rows a cookbook is chosen from: every chapter and, after it, its
// recipes and text records in title order, each with a mark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

namespace tovalia {

struct BookRow {
  int32_t entry = 0;  // index offset
  int32_t kind = 0;   // chapter, recipe or text record
  int32_t chapter = 0;
  std::string chapterName;
  std::string title;  // the chapter's name for a chapter row
  bool marked = false;
};

// Chapters ordered by name (then number), each followed by its records in
// title order. Ordering by the pair rather than by the joined text "CHAPTER-
// TITLE" keeps a chapter's records under it when another chapter's name
// starts with its name ("Soup" and "Soup Base").
std::vector<BookRow> BuildBookList(const Database& db);

// Toggles a row's mark. A chapter row gives its new mark to its records; a
// record row marks its chapter row exactly when all the chapter's records
// are marked.
void ToggleBookRow(std::vector<BookRow>& rows, size_t row);

// Unmarks every row when the first is marked, else marks every row.
void ToggleAllBookRows(std::vector<BookRow>& rows);

// Marks the heading of every chapter that has a marked record; false when
// nothing at all is marked.
bool MarkChaptersOfMarkedRecords(std::vector<BookRow>& rows);

}  // namespace tovalia
