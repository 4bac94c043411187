#include "interchange/xml_writer.h"

#include "db/product.h"
#include "interchange/import_lines.h"

namespace tovalia {

namespace {

bool UndefinedInWindows1252(uint8_t c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

void PutElementLines(std::string& out, const char* name, std::string_view text) {
  PutLine(out, std::string("<") + name + ">");
  for (const std::string& line : TextLines(text)) PutLine(out, XmlSafeText(line));
  PutLine(out, std::string("</") + name + ">");
}

}  // namespace

std::string XmlSafeText(std::string_view text) {
  std::string safe;
  bool ampersand = false;
  for (char c : text) {
    const uint8_t b = static_cast<uint8_t>(c);
    if (c == '&') {
      safe += " and ";
      ampersand = true;
    } else if (c == ':' || c == ';') {
      safe += ',';
    } else if (b < 32 || b == 127 || c == '<' || c == '>' || UndefinedInWindows1252(b)) {
      safe += '?';
    } else {
      safe += c;
    }
  }
  return ampersand ? CleanLine(safe) : safe;
}

void WriteXmlHead(std::string& out) {
  PutLine(out, "<?xml version=\"1.0\" encoding=\"windows-1252\" ?>");
  PutLine(out, "<!-- " + ExportedFrom() + " - " + kWebSite + " -->");
  PutLine(out, "<records>");
}

void WriteXmlRecipe(const ExportRecipe& recipe, std::string& out) {
  PutLine(out, "<recipe>");
  PutLine(out, "<title>" + XmlSafeText(recipe.title) + "</title>");
  PutLine(out, "<chapter>" + XmlSafeText(recipe.chapter) + "</chapter>");
  PutLine(out, "<servings>" + std::to_string(recipe.servings) + "</servings>");
  PutElementLines(out, "ingredients", recipe.textRecord ? std::string_view() : recipe.ingredients);
  PutElementLines(out, "directions", recipe.textRecord ? recipe.ingredients : recipe.directions);
  PutLine(out, "</recipe>");
}

void WriteXmlTail(std::string& out) { PutLine(out, "</records>"); }

}  // namespace tovalia
