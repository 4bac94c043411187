#include "grocery/recipe_groceries.h"

#include <algorithm>

#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/import_lines.h"

namespace tovalia {

namespace {

using grocery_item::kSize;

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// True when `plural` is `single` with a plural ending.
bool PluralOf(const std::string& plural, const std::string& single) {
  if (plural == single + "S" || plural == single + "ES") return true;
  return EndsWith(single, "Y") && plural == single.substr(0, single.size() - 1) + "IES";
}

bool HasLetter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char ch) {
    const uint8_t upper = UpperCaseByte(static_cast<uint8_t>(ch));
    return (upper >= 'A' && upper <= 'Z') || upper >= 192;
  });
}

int32_t FindItemNamed(const GroceryCatalogue& c, const std::string& name) {
  for (int32_t o = 0; o < c.count * kSize; o += kSize)
    if (SameItemName(ItemName(c.image, o), name)) return o;
  return -1;
}

// A new item: the name, quantity 1, nothing else.
bool AddNewItem(GroceryCatalogue& c, const std::string& name, GroceryWrite& outcome) {
  const int32_t id = NextGroceryId(c);
  if (id < 0) {
    outcome = GroceryWrite::kCatalogueFull;
    return false;
  }
  FillBytes(c.editBuffer, 0, kSize, 0);
  c.editSource = -1;
  SetItemText(c.editBuffer, 0, GroceryField::kName, name);
  SetU8(c.editBuffer, grocery_item::kQuantity, 1);
  SetU16(c.editBuffer, grocery_item::kId, id);
  if (!StoreGroceryItem(c, kSaveItem)) {
    outcome = GroceryWrite::kFailed;
    return false;
  }
  outcome = GroceryWrite::kWritten;
  return true;
}

std::vector<std::string> IngredientLines(const Database& db) {
  const int32_t length = GetI32(db.recordHeaderBuffer, header::kIngredientsLength);
  const std::string text = GetBytes(db.ingredientsBuffer, 0, length);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool SameItemName(std::string_view a, std::string_view b) {
  const std::string x = UpperCase(TrimBlanks(a));
  const std::string y = UpperCase(TrimBlanks(b));
  if (x.empty() || y.empty()) return false;
  return x == y || PluralOf(x, y) || PluralOf(y, x);
}

std::string GroceryNameFromIngredientLine(std::string_view line) {
  std::string text = CleanLine(ParseIngredientLine(line).ingredient);
  if (!text.empty() && text[0] == '(') {
    const size_t close = text.find(')');
    text = close == std::string::npos ? std::string() : TrimBlanks(text.substr(close + 1));
  }
  text = TrimBlanks(text.substr(0, text.find_first_of(",;(")));
  if (text.empty() || text.back() == ':' || !HasLetter(text)) return "";
  return TrimBlanks(text.substr(0, grocery_item::kNameLimit));
}

RecipeGroceryReport AddRecipesToGroceryList(Database& db, GroceryCatalogue& c,
                                            const std::vector<int32_t>& entries) {
  RecipeGroceryReport report;
  if (!LoadGroceryItems(c)) {
    report.write = GroceryWrite::kUnreadable;
    return report;
  }
  bool pending = false;  // raised quantities not written yet
  for (int32_t entry : entries) {
    if (EntryKind(db, entry) != kKindRecipe || !LoadRecord(db, EntryPosition(db, entry))) continue;
    ++report.recipes;
    for (const std::string& line : IngredientLines(db)) {
      const std::string name = GroceryNameFromIngredientLine(line);
      if (name.empty()) continue;
      if (const int32_t item = FindItemNamed(c, name); item >= 0) {
        const int32_t quantity = ItemQuantity(c.image, item);
        SetU8(c.image, item + grocery_item::kQuantity, std::min(quantity + 1, grocery_item::kMostQuantity));
        ++report.raised;
        pending = true;
        continue;
      }
      // Saving the new item writes the raised quantities with it.
      if (!AddNewItem(c, name, report.write)) {
        if (report.write == GroceryWrite::kFailed) return report;
        break;
      }
      ++report.added;
      pending = false;
    }
    if (report.write == GroceryWrite::kCatalogueFull) break;
  }
  if (pending) {
    const bool ok = StoreGroceryItem(c, kWriteAllItems);
    if (!ok) report.write = GroceryWrite::kFailed;
    else if (report.write != GroceryWrite::kCatalogueFull) report.write = GroceryWrite::kWritten;
  }
  return report;
}

std::string RecipeGroceryMessage(const RecipeGroceryReport& report, const std::string& path) {
  if (report.write == GroceryWrite::kFailed || report.write == GroceryWrite::kUnreadable)
    return GroceryWriteMessage(report.write, path);
  auto items = [](int32_t n) { return std::to_string(n) + (n == 1 ? " item" : " items"); };
  std::string message = "Ingredients of " + std::to_string(report.recipes) +
                        (report.recipes == 1 ? " recipe" : " recipes") + " added to the grocery list:||" +
                        items(report.raised) + " already listed, raised by one|" + items(report.added) +
                        " added";
  if (report.write == GroceryWrite::kCatalogueFull) message += "||" + GroceryWriteMessage(report.write, path);
  return message;
}

}  // namespace tovalia
