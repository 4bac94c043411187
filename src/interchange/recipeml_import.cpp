#include "interchange/recipeml_import.h"

#include "db/cp1252.h"
#include "interchange/import_lines.h"
#include "interchange/web_text.h"
#include "interchange/xml_document.h"

namespace tovalia {

namespace {

// All the text inside an element, its children's included, as one line.
std::string AllText(const pugi::xml_node& node) {
  std::string text;
  for (const pugi::xml_node& child : node.children()) {
    const std::string part = child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata
                                 ? XmlText(child.value())
                                 : AllText(child);
    if (part.empty()) continue;
    if (!text.empty()) text += ' ';
    text += part;
  }
  return text;
}

// "2", or a range "2-3".
std::string QuantityOf(const pugi::xml_node& amount) {
  const pugi::xml_node qty = amount.child("qty");
  const pugi::xml_node range = qty ? qty.child("range") : amount.child("range");
  if (range) {
    const std::string from = AllText(range.child("q1"));
    const std::string to = AllText(range.child("q2"));
    return to.empty() ? from : from + "-" + to;
  }
  return AllText(qty);
}

std::string IngredientLine(const pugi::xml_node& ing) {
  std::string line;
  for (const pugi::xml_node& amount : ing.children("amt")) {
    for (const std::string& part : {QuantityOf(amount), AllText(amount.child("unit"))}) {
      if (!part.empty()) line += (line.empty() ? "" : " ") + part;
    }
  }
  const std::string item = AllText(ing.child("item"));
  if (!item.empty()) line += (line.empty() ? "" : " ") + item;
  const std::string preparation = AllText(ing.child("prep"));
  if (!preparation.empty()) line += " -- " + preparation;
  return line;
}

void AddIngredients(const pugi::xml_node& parent, std::vector<std::string>& ingredients) {
  for (const pugi::xml_node& child : parent.children()) {
    const std::string name = child.name();
    if (name == "ing") {
      const std::string line = IngredientLine(child);
      if (!line.empty()) ingredients.push_back(line);
    } else if (name == "ing-div") {
      const std::string title = AllText(child.child("title"));
      if (!title.empty()) ingredients.push_back(UpperCase(title));
      AddIngredients(child, ingredients);
    }
  }
}

void AddDirections(const pugi::xml_node& directions, std::vector<std::string>& lines) {
  bool steps = false;
  for (const pugi::xml_node& step : directions.children("step")) {
    steps = true;
    const std::string text = AllText(step);
    if (text.empty()) continue;
    if (!lines.empty()) lines.emplace_back();
    lines.push_back(text);
  }
  if (!steps) {
    for (const std::string& line : WebTextLines(directions.child_value())) lines.push_back(line);
  }
}

ImportedRecipe ReadRecipe(const pugi::xml_node& node) {
  ImportedRecipe recipe;
  const pugi::xml_node head = node.child("head");
  recipe.title = AllText(head.child("title"));
  for (const pugi::xml_node& category : head.child("categories").children("cat")) {
    const std::string text = AllText(category);
    if (text.empty()) continue;
    if (!recipe.categories.empty()) recipe.categories += ", ";
    recipe.categories += text;
  }
  recipe.servings = ReadServings(AllText(head.child("yield")));
  AddIngredients(node.child("ingredients"), recipe.ingredients);
  if (const std::string description = AllText(node.child("description")); !description.empty()) {
    recipe.directions.push_back(description);
  }
  AddDirections(node.child("directions"), recipe.directions);
  return recipe;
}

}  // namespace

std::vector<ImportedRecipe> ReadRecipeMl(std::string_view text) {
  pugi::xml_document document;
  LoadXmlDocument(text, document);
  std::vector<ImportedRecipe> recipes;
  for (const pugi::xpath_node& found : document.select_nodes("//recipe")) recipes.push_back(ReadRecipe(found.node()));
  return recipes;
}

}  // namespace tovalia
