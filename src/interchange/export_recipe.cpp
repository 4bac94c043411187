#include "interchange/export_recipe.h"


#include "db/byte_buffer.h"
#include "db/product.h"
#include "db/record_format.h"
#include "recipe/quantity.h"

namespace tovalia {

namespace {

std::string Field(const ByteBuffer& buffer, int32_t length) {
  return buffer.Holds(0, length) ? GetBytes(buffer, 0, length) : std::string();
}


}  // namespace

ExportRecipe CurrentExportRecipe(const Database& db, std::string chapterName) {
  const ByteBuffer& h = db.recordHeaderBuffer;
  ExportRecipe recipe;
  recipe.title = OneLine(Field(db.titleBuffer, GetU8(h, header::kTitleLength)));
  recipe.chapter = OneLine(std::move(chapterName));
  recipe.servings = GetU8(h, header::kServings);
  recipe.textRecord = GetU8(h, header::kRecordKind) == kKindTextRecord;
  recipe.ingredients = Field(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength));
  recipe.directions = Field(db.directionsBuffer, GetI32(h, header::kDirectionsLength));
  recipe.photo = Field(db.photoBuffer, GetI32(h, header::kPhotoLength));
  return recipe;
}

std::string OneLine(std::string text) {
  std::erase(text, '\0');
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

void PutLine(std::string& out, std::string_view line) {
  out += line;
  out += "\r\n";
}

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a line has begun and not yet ended
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c != '\0') {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

std::string ExportedFrom() {
  return std::string("Exported from ") + kProductName + " " + kProductVersion;
}

std::string QuantityText(int32_t hundredths) { return FormatQuantity(hundredths / 100.0); }

std::string StoredAmount(const ParsedIngredient& parsed) {
  return parsed.amount.empty() ? QuantityText(parsed.quantity) : parsed.amount;
}

}  // namespace tovalia
