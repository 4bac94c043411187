// One recipe as the export writers see it, copied out of the current
// record, and the line helpers every writer shares: lines end in CR LF in
// what is written, while stored texts separate their lines with CR alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"
#include "interchange/import_lines.h"

namespace tovalia {

struct ExportRecipe {
  std::string title;
  std::string chapter;  // the name of the chapter it is filed in
  int servings = 0;
  bool textRecord = false;
  std::string ingredients;  // a text record keeps its text here
  std::string directions;
  std::string photo;  // the stored picture's bytes, or empty
};

// The record loaded in the current-record buffers (LoadRecord). Line ends
// in its title and chapter name become blanks.
ExportRecipe CurrentExportRecipe(const Database& db, std::string chapterName);

// Titles and chapter names are written on a line of their own: a line end
// inside one (only damaged records hold them) becomes a blank, and NUL
// bytes are dropped.
std::string OneLine(std::string text);

// Appends the line and CR LF.
void PutLine(std::string& out, std::string_view line);

// The lines of a stored text. CR ends a line; so do LF and CR LF, which
// only damaged or foreign texts hold. A last line without its end counts;
// an end at the very end of the text adds no empty line. NUL bytes are
// dropped.
std::vector<std::string> TextLines(std::string_view text);

// "Exported from Tovalia 5.8", the start of every banner.
std::string ExportedFrom();

// The kitchen fraction text of a parsed quantity in hundredths ("1-1/2").
std::string QuantityText(int32_t hundredths);

// The amount of a parsed ingredient line as the line writes it ("3/16",
// "2-3", "1-1/2"), else its quantity's kitchen fraction.
std::string StoredAmount(const ParsedIngredient& parsed);

}  // namespace tovalia
