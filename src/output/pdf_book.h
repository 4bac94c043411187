// Writing the cookbook of the marked rows to a PDF file.
#pragma once

#include <string>
#include <vector>

#include "db/database.h"
#include "output/book_geometry.h"
#include "output/book_list.h"

namespace tovalia {

inline constexpr int kMostBookPages = 450;

struct BookOptions {
  BookSize size = BookSize::kLetter;
  std::string title, subtitle, author;  // CP1252
};

enum class BookResult { kSaved, kTooLong, kFontsMissing, kNoDocument, kLibraryError, kNotWritten };

struct BookOutcome {
  BookResult result = BookResult::kNotWritten;
  int pages = 0;
  int records = 0;     // recipes and text records placed
  std::string detail;  // the library's error numbers
};

// The message for the user ("|" between lines).
std::string BookOutcomeMessage(const BookOutcome& outcome);

// Lays out the title and credits pages, the marked chapters and records
// and the index, with "Saving PDF Cookbook" progress. The book is written
// to a temporary file beside `path` and renamed over it only when the
// library reported no error, so a failed build leaves no half-written book.
BookOutcome BuildPdfCookbook(Database& db, const std::vector<BookRow>& rows, const BookOptions& options,
                             const std::string& path);

// "book." becomes "book.pdf"; a name ending in ".pdf" in any case stays.
std::string PdfFileName(const std::string& name);

}  // namespace tovalia
