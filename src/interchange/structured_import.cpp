#include "interchange/structured_import.h"

#include "db/cp1252.h"
#include "interchange/jsonld_import.h"
#include "interchange/mastercook_xml_import.h"
#include "interchange/recipeml_import.h"

namespace tovalia {

namespace {

// The first characters that are not blanks or a byte-order mark.
std::string_view Opening(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) ++at;
  return text.substr(at, 4096);
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

StructuredKind DetectStructuredKind(std::string_view text) {
  const std::string_view opening = Opening(text);
  if (opening.empty()) return StructuredKind::kNone;
  const std::string head = LowerCase(opening.substr(0, 1024));
  if (opening.front() == '{' || opening.front() == '[') {
    return Contains(head, "\"@context\"") || Contains(head, "\"@type\"") || Contains(head, "\"@graph\"")
               ? StructuredKind::kJsonLd
               : StructuredKind::kNone;
  }
  if (opening.front() != '<') return StructuredKind::kNone;
  if (Contains(head, "<mx2") || Contains(LowerCase(opening), "<rcpe")) return StructuredKind::kMasterCookXml;
  if (Contains(head, "<recipeml")) return StructuredKind::kRecipeMl;
  if (Contains(head, "<html") || Contains(head, "<!doctype html")) return StructuredKind::kWebPage;
  return StructuredKind::kNone;
}

std::vector<ImportedRecipe> ReadStructuredRecipes(StructuredKind kind, std::string_view text) {
  switch (kind) {
    case StructuredKind::kWebPage: return ReadJsonLdInPage(text);
    case StructuredKind::kJsonLd: return ReadJsonLd(text);
    case StructuredKind::kMasterCookXml: return ReadMasterCookXml(text);
    case StructuredKind::kRecipeMl: return ReadRecipeMl(text);
    case StructuredKind::kNone: break;
  }
  return {};
}

}  // namespace tovalia
