// One recipe as a reader of another program's export hands it over, before
// the line rules shape it into a record; and the tally of an import.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tovalia {

struct ImportedRecipe {
  std::string title;       // as the source writes it; cleaned when stored
  std::string categories;  // comma-separated, the first names the chapter
  int32_t servings = 0;    // 0: none given
  // Ingredient lines as the source writes them, one ingredient each (with
  // the continuation and note forms the line rules know); an empty line
  // ends a group.
  std::vector<std::string> ingredients;
  // Direction lines: lines of one paragraph are joined, an empty line ends
  // the paragraph, a numbered step starts a line of its own.
  std::vector<std::string> directions;
  std::vector<uint8_t> photo;  // a sound BMP image, or empty
  // The body had no ingredient block: its lines are kept as the text of a
  // text record (in `ingredients`), with no directions.
  bool textOnly = false;
  // The program's own export: its title and ingredient lines are stored as
  // they were written, not cleaned and rebuilt.
  bool asWritten = false;
  // Laid out as the program's own writer lays it out: the texts are stored
  // line for line as they came (blank lines and blanks at the ends of lines
  // kept), and direction lines the writer wrapped are joined again.
  bool ownLayout = false;
};

struct ImportResult {
  int32_t stored = 0;        // recipes and text records stored
  int32_t lastChapter = -1;  // the chapter that received the last one
  std::map<int32_t, int32_t> perChapter;  // chapter number -> records stored there
  std::vector<std::string> notStored;     // titles of recipes that could not be stored
  std::vector<std::string> cutShort;      // titles of records whose text was cut at 64,990 bytes
};

}  // namespace tovalia
