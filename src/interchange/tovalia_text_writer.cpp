#include "interchange/tovalia_text_writer.h"

#include "db/product.h"
#include "interchange/base64_lines.h"
#include "interchange/wrapped_text.h"

namespace tovalia {

void WriteTovaliaText(const ExportRecipe& recipe, bool withPhoto, std::string& out) {
  PutLine(out, std::string(kProductName) + " Chapter: " + recipe.chapter);
  PutLine(out, "");
  PutLine(out, recipe.title);
  PutLine(out, std::string(recipe.title.size(), '='));
  for (const std::string& line : TextLines(recipe.ingredients)) PutLine(out, line);
  // The "." line ends the ingredients even when no directions follow, so
  // that a text record's text is never taken apart on the way back in.
  PutLine(out, ".");
  // A cut line keeps its blank at the end, so that the import can tell it
  // from a line end of the directions.
  WriteWrapped(out, recipe.directions, kWrapPlain72, WrapCuts::kKeepBlank);
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
