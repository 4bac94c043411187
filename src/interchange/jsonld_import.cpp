#include "interchange/jsonld_import.h"

#include <nlohmann/json.hpp>

#include "db/cp1252.h"
#include "interchange/import_lines.h"
#include "interchange/web_text.h"

namespace tovalia {

namespace {

using Json = nlohmann::json;

// Commas before a closing bracket, which some pages leave and JSON does
// not allow, are dropped (outside strings).
std::string WithoutTrailingCommas(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      out += c;
      if (c == '\\' && i + 1 < text.size()) {
        out += text[++i];
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') inString = true;
    if (c == ',') {
      size_t next = i + 1;
      while (next < text.size() && (text[next] == ' ' || text[next] == '\t' || text[next] == '\r' || text[next] == '\n'))
        ++next;
      if (next < text.size() && (text[next] == '}' || text[next] == ']')) continue;
    }
    out += c;
  }
  return out;
}

Json Parse(std::string_view cp1252) {
  const std::string utf8 = Cp1252ToUtf8(cp1252);
  Json value = Json::parse(utf8, nullptr, false);
  if (value.is_discarded()) value = Json::parse(WithoutTrailingCommas(utf8), nullptr, false);
  return value;
}

bool IsRecipe(const Json& object) {
  const auto type = object.find("@type");
  if (type == object.end()) return false;
  if (type->is_string()) return type->get_ref<const std::string&>() == "Recipe";
  if (type->is_array()) {
    for (const Json& entry : *type) {
      if (entry.is_string() && entry.get_ref<const std::string&>() == "Recipe") return true;
    }
  }
  return false;
}

// A value as text: a string, a number, or the first such entry of an array.
std::string TextOf(const Json& value) {
  if (value.is_string()) return WebText(value.get_ref<const std::string&>());
  if (value.is_number()) return value.dump();
  if (value.is_array()) {
    for (const Json& entry : value) {
      const std::string text = TextOf(entry);
      if (!text.empty()) return text;
    }
  }
  if (value.is_object() && value.contains("text")) return TextOf(value["text"]);
  return {};
}

void AddInstructions(const Json& value, std::vector<std::string>& directions) {
  auto paragraph = [&directions](const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    if (!directions.empty()) directions.emplace_back();
    directions.insert(directions.end(), lines.begin(), lines.end());
  };
  if (value.is_string()) {
    paragraph(WebTextLines(value.get_ref<const std::string&>()));
  } else if (value.is_array()) {
    for (const Json& entry : value) AddInstructions(entry, directions);
  } else if (value.is_object()) {
    // A HowToSection names its steps; a HowToStep holds its text.
    if (value.contains("itemListElement")) {
      if (value.contains("name")) paragraph({TextOf(value["name"])});
      AddInstructions(value["itemListElement"], directions);
    } else if (value.contains("text") && value["text"].is_string()) {
      paragraph(WebTextLines(value["text"].get_ref<const std::string&>()));
    }
  }
}

ImportedRecipe RecipeFrom(const Json& object) {
  ImportedRecipe recipe;
  if (object.contains("name")) recipe.title = TextOf(object["name"]);
  if (object.contains("recipeYield")) recipe.servings = ReadServings(TextOf(object["recipeYield"]));
  const Json* ingredients = object.contains("recipeIngredient") ? &object["recipeIngredient"]
                            : object.contains("ingredients")    ? &object["ingredients"]
                                                                : nullptr;
  if (ingredients != nullptr && ingredients->is_array()) {
    for (const Json& entry : *ingredients) {
      const std::string line = TextOf(entry);
      if (!line.empty()) recipe.ingredients.push_back(line);
    }
  } else if (ingredients != nullptr && ingredients->is_string()) {
    for (const std::string& line : WebTextLines(ingredients->get_ref<const std::string&>())) {
      if (!line.empty()) recipe.ingredients.push_back(line);
    }
  }
  if (object.contains("recipeInstructions")) AddInstructions(object["recipeInstructions"], recipe.directions);
  if (object.contains("recipeCategory")) {
    const Json& category = object["recipeCategory"];
    if (category.is_array()) {
      for (const Json& entry : category) {
        const std::string text = TextOf(entry);
        if (text.empty()) continue;
        if (!recipe.categories.empty()) recipe.categories += ", ";
        recipe.categories += text;
      }
    } else {
      recipe.categories = TextOf(category);
    }
  }
  return recipe;
}

// Every Recipe object, wherever it stands in the document.
void CollectRecipes(const Json& value, std::vector<ImportedRecipe>& recipes, int depth) {
  if (depth > 64) return;
  if (value.is_array()) {
    for (const Json& entry : value) CollectRecipes(entry, recipes, depth + 1);
  } else if (value.is_object()) {
    if (IsRecipe(value)) {
      recipes.push_back(RecipeFrom(value));
      return;
    }
    for (const auto& item : value.items()) CollectRecipes(item.value(), recipes, depth + 1);
  }
}

}  // namespace

std::vector<ImportedRecipe> ReadJsonLd(std::string_view document) {
  std::vector<ImportedRecipe> recipes;
  CollectRecipes(Parse(document), recipes, 0);
  return recipes;
}

std::vector<ImportedRecipe> ReadJsonLdInPage(std::string_view page) {
  std::vector<ImportedRecipe> recipes;
  const std::string lower = LowerCase(page);
  for (size_t at = lower.find("<script"); at != std::string::npos; at = lower.find("<script", at + 7)) {
    const size_t tagEnd = lower.find('>', at);
    if (tagEnd == std::string::npos) break;
    if (lower.substr(at, tagEnd - at).find("application/ld+json") == std::string::npos) continue;
    const size_t close = lower.find("</script", tagEnd);
    if (close == std::string::npos) break;
    std::vector<ImportedRecipe> found = ReadJsonLd(page.substr(tagEnd + 1, close - tagEnd - 1));
    recipes.insert(recipes.end(), found.begin(), found.end());
    at = close;
  }
  return recipes;
}

}  // namespace tovalia
