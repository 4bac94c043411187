#include "cli/pdf_book_command.h"

#include <cstdlib>
#include <set>

#include "cli/command_line.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "output/pdf_book.h"

namespace tovalia {

namespace {

struct BookRequest {
  std::string output;
  BookOptions options;
  std::set<int32_t> chapters;
  std::set<int32_t> recipes;
};

int WriteBook(CommandContext& c, const BookRequest& request) {
  std::vector<BookRow> rows = BuildBookList(c.db);
  const bool everything = request.chapters.empty() && request.recipes.empty();
  std::set<int32_t> chaptersFound, recipesFound;
  for (size_t i = 0; i < rows.size(); ++i) {
    BookRow& row = rows[i];
    if (row.kind == kKindChapter) {
      if (request.chapters.count(row.chapter) && !row.marked) ToggleBookRow(rows, i);
      if (request.chapters.count(row.chapter)) chaptersFound.insert(row.chapter);
    } else if (everything || request.recipes.count(EntryRecipeId(c.db, row.entry))) {
      row.marked = true;
      recipesFound.insert(EntryRecipeId(c.db, row.entry));
    }
  }
  for (int32_t chapter : request.chapters)
    if (!chaptersFound.count(chapter)) {
      c.err << "There is no chapter with the number " << chapter << ".\n";
      return kExitFailed;
    }
  for (int32_t id : request.recipes)
    if (!recipesFound.count(id)) {
      c.err << "There is no recipe or text with the number " << id << ".\n";
      return kExitFailed;
    }
  if (!MarkChaptersOfMarkedRecords(rows)) {
    c.err << "There are no recipes to put in a cookbook.\n";
    return kExitFailed;
  }
  const BookOutcome outcome = BuildPdfCookbook(c.db, rows, request.options, request.output);
  if (outcome.result != BookResult::kSaved) {
    std::string message = BookOutcomeMessage(outcome);
    for (char& ch : message)
      if (ch == '|') ch = ' ';
    c.err << Cp1252ToUtf8(message) << '\n';
    if (outcome.result != BookResult::kTooLong) return kExitFailed;
  }
  c.out << request.output << '\t' << outcome.pages << " pages\t" << outcome.records << " recipes\n";
  return outcome.result == BookResult::kSaved ? kExitOk : kExitFailed;
}

}  // namespace

ParsedCommand ParsePdfBook(const std::vector<std::string>& args) {
  BookRequest request;
  request.options.title = "My Cookbook";
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool takesValue = option == "--output" || option == "--size" || option == "--title" ||
                            option == "--subtitle" || option == "--author" || option == "--chapter";
    if (takesValue && i + 1 >= args.size()) return {nullptr, option + " needs a value."};
    if (option == "--output") {
      request.output = args[++i];
    } else if (option == "--size") {
      const std::string size = LowerCase(args[++i]);
      if (size == "6x9") {
        request.options.size = BookSize::k6x9;
      } else if (size == "8.5x11") {
        request.options.size = BookSize::kLetter;
      } else if (size == "a4") {
        request.options.size = BookSize::kA4;
      } else {
        return {nullptr, "--size takes 6x9, 8.5x11 or a4."};
      }
    } else if (option == "--title" || option == "--subtitle" || option == "--author") {
      std::string text = TrimBlanks(Utf8ToCp1252(args[++i]));
      if (option == "--title") request.options.title = text;
      if (option == "--subtitle") request.options.subtitle = text;
      if (option == "--author") request.options.author = text;
    } else if (option == "--chapter") {
      char* end = nullptr;
      const long number = std::strtol(args[++i].c_str(), &end, 10);
      if (*end != '\0' || number < 1 || number > 65535) return {nullptr, "\"" + args[i] + "\" is not a chapter number."};
      request.chapters.insert(static_cast<int32_t>(number));
    } else {
      char* end = nullptr;
      const long id = std::strtol(option.c_str(), &end, 10);
      if (option.empty() || *end != '\0' || id < 1 || id > INT32_MAX)
        return {nullptr, "\"pdf-book\" does not know \"" + option + "\"."};
      request.recipes.insert(static_cast<int32_t>(id));
    }
  }
  if (request.output.empty()) return {nullptr, "\"pdf-book\" needs --output FILE.pdf."};
  if (request.options.title.empty()) return {nullptr, "A cookbook needs a title."};
  request.output = PdfFileName(request.output);
  return {[request](CommandContext& c) { return WriteBook(c, request); }, {}, FolderAccess::kRead};
}

}  // namespace tovalia
