#include "interchange/xml_recipe_import.h"

#include <algorithm>
#include <array>
#include <vector>

#include "db/cp1252.h"
#include "interchange/import_lines.h"
#include "interchange/xml_text.h"

namespace tovalia {

namespace {

constexpr std::string_view kRecipeEnd = "</Recipe>";
constexpr std::string_view kIngredientsEnd = "</RecipeIngredients>";
constexpr std::array<std::string_view, 3> kImages = {"RecipeImage", "SourceImage", "ProcedureImage"};
// Gathered text before this much is let go once it has been read.
constexpr size_t kKeptReadText = 1 << 16;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool At(std::string_view text, size_t at, std::string_view part) { return text.substr(at, part.size()) == part; }

// "<Name" followed by a blank, or by ">" when `bare` allows it (or "/"
// closing an empty element): the element's start, and not that of a longer
// name ("<RecipeIngredients>" is not an "<RecipeIngredient ").
bool OpensElement(std::string_view text, size_t at, std::string_view name, bool bare) {
  if (!At(text, at, "<") || !At(text, at + 1, name)) return false;
  const size_t after = at + 1 + name.size();
  if (after >= text.size()) return false;
  const char c = text[after];
  return IsBlank(c) || (bare && (c == '>' || c == '/'));
}

// The value of an attribute in a start tag, decoded; empty when it is
// missing. The name must stand after a blank ("Quantity" is not
// "MeasureQuantity").
std::string Attribute(std::string_view tag, std::string_view name) {
  const std::string opening = std::string(name) + "=\"";
  for (size_t at = tag.find(opening); at != std::string_view::npos; at = tag.find(opening, at + 1)) {
    if (at == 0 || !IsBlank(tag[at - 1])) continue;
    const size_t from = at + opening.size();
    const size_t to = tag.find('"', from);
    std::string value(tag.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from));
    DecodeXmlText(value);
    // A value that runs over lines is one line.
    std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return value;
  }
  return {};
}

// Text without its markup: image elements go whole, other tags leave
// their text.
std::string TextOfContent(std::string_view content) {
  std::string text;
  size_t at = 0;
  while (at < content.size()) {
    if (content[at] != '<') {
      text += content[at++];
      continue;
    }
    const auto image = std::find_if(kImages.begin(), kImages.end(),
                                    [&](std::string_view name) { return OpensElement(content, at, name, true); });
    const size_t tagEnd = content.find('>', at);
    if (tagEnd == std::string_view::npos) break;
    at = tagEnd + 1;
    if (image != kImages.end() && content[tagEnd - 1] != '/') {
      const size_t close = content.find("</" + std::string(*image) + ">", at);
      at = close == std::string_view::npos ? content.size() : close + image->size() + 3;
    }
  }
  return text;
}

}  // namespace

void XmlRecipeReader::ImportXmlLine(std::string_view raw) {
  if (!imageClose_.empty()) {
    // An image's data: dropped up to its closing tag.
    const size_t close = raw.find(imageClose_);
    if (close == std::string_view::npos) return;
    imageClose_.clear();
    raw = raw.substr(close);
  }
  if (!buffer_.empty()) buffer_ += '\n';
  buffer_ += raw;
  WatchForImage(raw);
  // Every element ends in ">": a line without one completes none.
  if (raw.find('>') == std::string_view::npos) return;
  TakeElements();
}

void XmlRecipeReader::WatchForImage(std::string_view line) {
  size_t at = line.find('<');
  while (at != std::string_view::npos) {
    const auto image = std::find_if(kImages.begin(), kImages.end(),
                                    [&](std::string_view name) { return OpensElement(line, at, name, true); });
    if (image == kImages.end()) {
      at = line.find('<', at + 1);
      continue;
    }
    // A start tag that runs on is left to the gathered text.
    const size_t tagEnd = line.find('>', at);
    if (tagEnd == std::string_view::npos) return;
    size_t next = tagEnd + 1;
    if (line[tagEnd - 1] != '/') {
      const std::string close = "</" + std::string(*image) + ">";
      const size_t closeAt = line.find(close, next);
      if (closeAt == std::string_view::npos) {
        imageClose_ = close;
        return;
      }
      next = closeAt + close.size();
    }
    at = line.find('<', next);
  }
}

void XmlRecipeReader::TakeElements() {
  for (;;) {
    size_t at = buffer_.find('<', from_);
    size_t taken = 0;
    // Elements that are no part of a recipe are passed over.
    while (at != std::string::npos) {
      taken = TakeElement(at);
      if (taken != std::string::npos) break;
      at = buffer_.find('<', at + 1);
    }
    if (at == std::string::npos) {
      // Nothing to take: only a tail that may begin an element is kept.
      const size_t tail = buffer_.size() > 24 ? buffer_.size() - 24 : 0;
      const size_t lastOpen = buffer_.rfind('<');
      from_ = std::max(from_, lastOpen != std::string::npos && lastOpen >= tail ? lastOpen : buffer_.size());
      break;
    }
    if (taken == 0) {
      // Incomplete: taken once later lines complete it.
      from_ = at;
      break;
    }
    from_ = at + taken;
    searchedTo_ = 0;
  }
  if (from_ >= kKeptReadText && from_ * 2 >= buffer_.size()) {
    buffer_.erase(0, from_);
    searchedTo_ = searchedTo_ > from_ ? searchedTo_ - from_ : 0;
    from_ = 0;
  }
}

size_t XmlRecipeReader::TakeElement(size_t at) {
  const std::string_view text = buffer_;
  const size_t tagEnd = text.find('>', at);
  auto closing = [&](std::string_view close) {
    // Text already searched holds no closing tag; only what came since.
    const size_t resume = searchedTo_ > close.size() ? searchedTo_ - close.size() : 0;
    const size_t found = text.find(close, std::max(tagEnd + 1, resume));
    if (found == std::string_view::npos) searchedTo_ = text.size();
    return found;
  };
  auto content = [&](std::string_view close, const auto& take) -> size_t {
    if (tagEnd == std::string_view::npos) return 0;
    if (text[tagEnd - 1] == '/') return tagEnd + 1 - at;
    const size_t end = closing(close);
    if (end == std::string_view::npos) return 0;
    take(text.substr(tagEnd + 1, end - tagEnd - 1));
    return end + close.size() - at;
  };

  if (OpensElement(text, at, "Recipe", false)) {
    if (tagEnd == std::string_view::npos) return 0;
    StartRecipe(text.substr(at, tagEnd - at));
    if (text[tagEnd - 1] == '/') FinishRecipe();
    return tagEnd + 1 - at;
  }
  if (At(text, at, kRecipeEnd)) {
    FinishRecipe();
    return kRecipeEnd.size();
  }
  if (OpensElement(text, at, "RecipeIngredient", false)) {
    if (tagEnd == std::string_view::npos) return 0;
    AddIngredient(text.substr(at, tagEnd - at));
    return tagEnd + 1 - at;
  }
  if (At(text, at, kIngredientsEnd)) return kIngredientsEnd.size();
  const auto addText = [this](std::string_view inner) { AddText(inner); };
  if (OpensElement(text, at, "RecipeProcedure", true)) return content("</RecipeProcedure>", addText);
  if (OpensElement(text, at, "RecipeTip", true)) return content("</RecipeTip>", addText);
  if (OpensElement(text, at, "RecipeAuthorNote", true)) return content("</RecipeAuthorNote>", addText);
  for (std::string_view image : kImages) {
    if (OpensElement(text, at, image, true))
      return content("</" + std::string(image) + ">", [](std::string_view) {});
  }
  return std::string::npos;
}

void XmlRecipeReader::StartRecipe(std::string_view tag) {
  // A recipe whose end never came is handed on before the next begins.
  if (open_) FinishRecipe();
  open_ = true;
  recipe_ = ImportedRecipe{};
  recipe_.title = CleanLine(Attribute(tag, "Name"));
  recipe_.servings = ReadServings(Attribute(tag, "Servings"));
  recipe_.categories = CleanLine(Attribute(tag, "RecipeTypes"));
}

void XmlRecipeReader::AddIngredient(std::string_view tag) {
  if (!open_) return;
  std::string line;
  for (const char* name : {"Quantity", "Unit", "Ingredient"}) line += Attribute(tag, name) + " ";
  line = CleanLine(line);
  if (line.empty()) return;
  if (Attribute(tag, "Heading") == "Y") {
    // A heading opens a group of its own.
    if (!recipe_.ingredients.empty()) recipe_.ingredients.emplace_back();
    line = UpperCase(line);
  }
  recipe_.ingredients.push_back(line);
}

// A procedure, a tip or an author note: a paragraph of the directions (a
// procedure that only says "Procedure" is left out).
void XmlRecipeReader::AddText(std::string_view content) {
  if (!open_) return;
  std::string text = TextOfContent(content);
  DecodeXmlText(text);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = CleanLine(std::string_view(text).substr(start, end - start));
    std::replace(line.begin(), line.end(), '\t', ' ');
    if (!line.empty() || (!lines.empty() && !lines.back().empty())) lines.push_back(line);
    // CR LF is one line end.
    start = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty() || (lines.size() == 1 && UpperCase(lines[0]) == "PROCEDURE")) return;
  if (!recipe_.directions.empty()) recipe_.directions.emplace_back();
  recipe_.directions.insert(recipe_.directions.end(), lines.begin(), lines.end());
}

void XmlRecipeReader::FinishRecipe() {
  if (!open_) return;
  open_ = false;
  sink_(std::move(recipe_));
  recipe_ = ImportedRecipe{};
}

void XmlRecipeReader::End() { FinishRecipe(); }

}  // namespace tovalia
