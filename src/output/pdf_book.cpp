#include "output/pdf_book.h"

#include "db/clock.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/product.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "output/book_composer.h"
#include "output/haru_surface.h"
#include "platform/bmp_codec.h"

namespace tovalia {

namespace {

std::string BufferText(const ByteBuffer& buffer, int32_t length) {
  if (!buffer.Holds(0, length)) return {};
  return std::string(reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(length));
}

// "Dec 07, 2026".
std::string CreditsDate() {
  static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const LocalDate today = Today();
  char day[8];
  std::snprintf(day, sizeof day, "%02d", today.day);
  return std::string(kMonths + 3 * (today.month - 1), 3) + " " + day + ", " + std::to_string(today.year);
}

// The current record as the layout needs it.
BookRecord CurrentRecord(const Database& db, const BookRow& row) {
  const ByteBuffer& h = db.recordHeaderBuffer;
  BookRecord record;
  record.textRecord = GetU8(h, header::kRecordKind) == kKindTextRecord;
  record.title = BufferText(db.titleBuffer, GetU8(h, header::kTitleLength));
  record.chapterName = row.chapterName;
  record.servings = GetU8(h, header::kServings);
  record.ingredients = BufferText(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength));
  record.directions = BufferText(db.directionsBuffer, GetI32(h, header::kDirectionsLength));
  const int32_t photoLength = GetI32(h, header::kPhotoLength);
  Image photo;
  if (photoLength > 0 && db.photoBuffer.Holds(0, photoLength) &&
      DecodeBmp(db.photoBuffer.Data(), static_cast<size_t>(photoLength), photo)) {
    record.photo = std::move(photo.pixels);
    record.photoColumns = photo.width;
    record.photoRows = photo.height;
  }
  return record;
}

}  // namespace

std::string BookOutcomeMessage(const BookOutcome& outcome) {
  switch (outcome.result) {
    case BookResult::kSaved:
      return "Cookbook Saved";
    case BookResult::kTooLong:
      return "Your cookbook is more than 450 pages long!||Large recipe collections should|"
             "be published as a multi-volume set.||Select fewer recipes for each individual book.";
    case BookResult::kFontsMissing:
      return "Unable to create PDF file.||One or more of the system fonts is missing.|"
             "(Arial Bold or Liberation Sans Bold, Times New Roman or Liberation Serif)";
    case BookResult::kNoDocument:
      return "Error: cannot create PdfDoc object";
    case BookResult::kLibraryError:
      return "The PDF library reported an error;|the cookbook was not saved.||" + outcome.detail;
    case BookResult::kNotWritten:
      return "The cookbook could not be written to that file.|Is the folder writable and the disk not full?";
  }
  return "";
}

std::string PdfFileName(const std::string& name) {
  if (LowerCase(name).size() >= 4 && LowerCase(name).compare(name.size() - 4, 4, ".pdf") == 0) return name;
  std::string stem = name;
  if (!stem.empty() && stem.back() == '.') stem.pop_back();
  return stem + ".pdf";
}

BookOutcome BuildPdfCookbook(Database& db, const std::vector<BookRow>& rows, const BookOptions& options,
                             const std::string& path) {
  BookOutcome outcome;
  const BookFonts fonts = FindBookFonts();
  if (fonts.boldFile.empty() || fonts.textFile.empty()) {
    outcome.result = BookResult::kFontsMissing;
    return outcome;
  }
  HaruSurface surface(fonts);
  if (!surface.Ready()) {
    outcome.result = surface.FirstError().empty() ? BookResult::kNoDocument : BookResult::kLibraryError;
    outcome.detail = surface.FirstError();
    return outcome;
  }
  BookComposer book(surface, options.size);
  book.TitlePage(options.title, options.subtitle, options.author);
  book.CreditsPage(CreditsDate(), kWebSite);

  Progress& progress = *db.progress;
  bool tooLong = false;
  for (size_t i = 0; i < rows.size() && !tooLong; ++i) {
    progress.ShowProgress("Saving PDF Cookbook", "", static_cast<int64_t>(i), static_cast<int64_t>(rows.size()));
    progress.PumpMessages(0);
    const BookRow& row = rows[i];
    if (!row.marked) continue;
    if (row.kind == kKindChapter) {
      book.ChapterHeading(row.chapterName);
    } else if (LoadRecord(db, EntryPosition(db, row.entry))) {
      book.Record(CurrentRecord(db, row));
      ++outcome.records;
    }
    tooLong = book.Pages() >= kMostBookPages;
  }
  progress.CloseProgress();
  progress.ShowProgress("Saving Index", "", 0, 1);
  book.Index();
  progress.CloseProgress();
  outcome.pages = book.Pages();

  if (!surface.FirstError().empty()) {
    outcome.result = BookResult::kLibraryError;
    outcome.detail = surface.FirstError();
    return outcome;
  }
  const std::string temporary = path + ".part";
  if (!surface.Save(temporary) || !surface.FirstError().empty() || !RenameDataFile(temporary, path)) {
    DeleteDataFile(temporary);
    outcome.result = surface.FirstError().empty() ? BookResult::kNotWritten : BookResult::kLibraryError;
    outcome.detail = surface.FirstError();
    return outcome;
  }
  outcome.result = tooLong ? BookResult::kTooLong : BookResult::kSaved;
  return outcome;
}

}  // namespace tovalia
