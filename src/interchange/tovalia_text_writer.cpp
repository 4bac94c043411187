#include "interchange/tovalia_text_writer.h"

#include "db/product.h"
#include "interchange/base64_lines.h"
#include "interchange/wrapped_text.h"

namespace tovalia {

namespace {

// The import takes lines of up to 79 characters whole and cuts longer ones
// into separate lines. A longer ingredient line is therefore written as
// pieces: the first as it stands, each further one after a "-" (";" when
// the piece itself opens with "-"), which the import joins back to the line
// above with a blank.
constexpr size_t kLongestLine = 79;

void PutIngredientLine(std::string& out, std::string line) {
  std::string marker;
  for (;;) {
    const size_t room = kLongestLine - marker.size();
    if (line.size() <= room) break;
    const size_t blank = BreakBlank(line, room);
    const size_t cut = blank == std::string::npos ? room : blank;
    const size_t resume = blank == std::string::npos ? room : blank + 1;
    PutLine(out, marker + line.substr(0, cut));
    line.erase(0, resume);
    while (!line.empty() && line[0] == ' ') line.erase(0, 1);
    marker = !line.empty() && line[0] == '-' ? ";" : "-";
  }
  PutLine(out, marker + line);
}

}  // namespace

void WriteTovaliaText(const ExportRecipe& recipe, bool withPhoto, std::string& out) {
  PutLine(out, std::string(kProductName) + " Chapter: " + recipe.chapter);
  PutLine(out, "");
  PutLine(out, recipe.title);
  PutLine(out, std::string(recipe.title.size(), '='));
  for (const std::string& line : TextLines(recipe.ingredients)) PutIngredientLine(out, line);
  // The "." line ends the ingredients even when no directions follow, so
  // that a text record's text is never taken apart on the way back in.
  PutLine(out, ".");
  WriteWrapped(out, recipe.directions, kWrapPlain72, kLongestLine);
  if (withPhoto && !recipe.photo.empty()) {
    PutLine(out, "");
    PutLine(out, "Photo: " + std::to_string(recipe.photo.size()));
    WriteBase64Lines(out, recipe.photo);
    PutLine(out, "");
  }
  PutLine(out, "Servings: " + (recipe.textRecord ? std::string() : std::to_string(recipe.servings)));
  PutLine(out, "");
  PutLine(out, ExportedFrom() + " (" + kWebSite + ")");
  PutLine(out, "");
  PutLine(out, "");
}

}  // namespace tovalia
