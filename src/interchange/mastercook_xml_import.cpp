#include "interchange/mastercook_xml_import.h"

#include <optional>

#include "db/cp1252.h"
#include "interchange/import_lines.h"
#include "interchange/import_pass.h"
#include "interchange/source_text.h"
#include "interchange/web_text.h"
#include "interchange/xml_document.h"

namespace tovalia {

namespace {

// "0.75 1" and "1 2" are ranges; "1 1/2" is a mixed number.
std::string Quantity(const std::string& qty) {
  const size_t blank = qty.find(' ');
  if (blank == std::string::npos || qty.find('/', blank) != std::string::npos) return qty;
  return qty.substr(0, blank) + "-" + qty.substr(blank + 1);
}

void AddParagraph(std::vector<std::string>& directions, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (!directions.empty()) directions.emplace_back();
  directions.insert(directions.end(), lines.begin(), lines.end());
}

ImportedRecipe ReadRecipe(const pugi::xml_node& node) {
  ImportedRecipe recipe;
  recipe.title = XmlText(node.attribute("name").value());
  recipe.servings = ReadServings(XmlText(node.child("Serv").attribute("qty").value()));
  for (const pugi::xml_node& category : node.child("CatS").children("CatT")) {
    const std::string text = XmlText(category.text().get());
    if (text.empty()) continue;
    if (!recipe.categories.empty()) recipe.categories += ", ";
    recipe.categories += text;
  }
  for (const pugi::xml_node& ingredient : node.children("IngR")) {
    const std::string code = ingredient.attribute("code").value();
    const std::string name = XmlText(ingredient.attribute("name").value());
    if (code == "S" || code == "T") {
      // A subtitle or a line of text among the ingredients.
      recipe.ingredients.push_back(code == "S" ? UpperCase(name) : name);
      continue;
    }
    std::string line = Quantity(XmlText(ingredient.attribute("qty").value()));
    for (const std::string& part : {XmlText(ingredient.attribute("unit").value()), name}) {
      if (!part.empty()) line += (line.empty() ? "" : " ") + part;
    }
    const std::string preparation = XmlText(ingredient.child("IPrp").text().get());
    if (!preparation.empty()) line += " -- " + preparation;
    if (!line.empty()) recipe.ingredients.push_back(line);
  }
  AddParagraph(recipe.directions, WebTextLines(node.child("Desc").text().get()));
  for (const pugi::xml_node& step : node.child("DirS").children("DirT")) {
    AddParagraph(recipe.directions, WebTextLines(step.text().get()));
  }
  for (const pugi::xml_node& note : node.children("Note")) AddParagraph(recipe.directions, WebTextLines(note.text().get()));
  const std::string source = XmlText(node.child("Srce").text().get());
  if (!source.empty()) AddParagraph(recipe.directions, {"Source: " + source});
  return recipe;
}

// The recipe of the text export that an <RcpE> may carry in its <RTxt>
// (CDATA, perhaps never closed), read as any MasterCook text.
std::optional<ImportedRecipe> FromExportedText(std::string_view chunk) {
  const size_t start = chunk.find("<![CDATA[");
  if (start == std::string_view::npos) return std::nullopt;
  std::string_view text = chunk.substr(start + 9);
  text = text.substr(0, text.find("]]>"));
  std::optional<ImportedRecipe> found;
  ImportPass pass([&found](ImportedRecipe&& recipe) {
    if (!found) found = std::move(recipe);
  });
  SourceLines lines(text);
  for (std::string line; lines.Next(line);) pass.Line(line);
  pass.End();
  return found;
}

}  // namespace

// Each <RcpE> is read on its own, from its tag to the next one: a recipe
// cut short (a CDATA section that never ends) takes no other with it.
std::vector<ImportedRecipe> ReadMasterCookXml(std::string_view text) {
  std::vector<ImportedRecipe> recipes;
  for (size_t at = text.find("<RcpE"); at != std::string_view::npos;) {
    const size_t next = text.find("<RcpE", at + 5);
    const std::string_view chunk = text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
    pugi::xml_document document;
    LoadXmlDocument(chunk, document);
    ImportedRecipe recipe = ReadRecipe(document.child("RcpE"));
    // A recipe kept only as its text export is read from that text.
    if (recipe.ingredients.empty() && recipe.directions.empty()) {
      if (std::optional<ImportedRecipe> exported = FromExportedText(chunk)) {
        if (recipe.title.empty()) recipe.title = exported->title;
        exported->title = recipe.title;
        recipe = std::move(*exported);
      }
    }
    recipes.push_back(std::move(recipe));
    at = next;
  }
  return recipes;
}

}  // namespace tovalia
