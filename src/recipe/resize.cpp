#include "recipe/resize.h"

#include <algorithm>
#include <string>

#include "db/record_format.h"
#include "db/record_store.h"
#include "recipe/line_table.h"
#include "recipe/quantity.h"

namespace tovalia {

void ResizeIngredients(Database& db, double factor, ByteBuffer& table, const TextMeasure& measure) {
  const int32_t length = GetI32(db.recordHeaderBuffer, header::kIngredientsLength);
  std::string text(reinterpret_cast<const char*>(db.ingredientsBuffer.Data()),
                   static_cast<size_t>(std::clamp(length, 0, db.ingredientsBuffer.Size())));
  BuildLineTable(text, table, measure);
  for (int32_t line = LineCount(table) - 1; line >= 0; --line) {
    const int32_t start = LineStart(table, line);
    const std::string_view old = DisplayLine(text, table, line);
    const std::string resized = ResizeLine(factor, old);
    if (text.size() - old.size() + resized.size() > static_cast<size_t>(kTextBufferSize)) continue;
    text.replace(static_cast<size_t>(start), old.size(), resized);
  }
  SetCurrentIngredients(db, text);
  BuildLineTable(text, table, measure);
}

int32_t ServingsAfterResize(double n) {
  return std::min(RoundHalfToEven(std::min(n, 255.0)), 255);
}

}  // namespace tovalia
