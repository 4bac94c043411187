#include "recipe/editor_menu.h"

#include "recipe/editor_keys.h"
#include "ui/popup_menu.h"

namespace tovalia {

namespace {

constexpr int kFirstSymbol = 5;
constexpr int kFirstUnit = 9;

const std::vector<std::string>& Units() {
  static const std::vector<std::string> units = {
      "Can",  "Clove", "Cup",   "Dash",  "Gallon", "Large",      "Medium",   "Ounce",
      "Package", "Pint", "Pound", "Quart", "Slice", "Small", "Tablespoon", "Teaspoon"};
  return units;
}

const char kSymbols[] = {kDegreeSign, kOneQuarter, kOneHalf, kThreeQuarters};

}  // namespace

const std::vector<std::string>& EditorMenuEntries() {
  static const std::vector<std::string> entries = [] {
    std::vector<std::string> e = {"Delete", "Cut", "Copy", "Paste", "-"};
    const char* const keys[] = {"D", "1", "2", "3"};
    for (int i = 0; i < 4; ++i) e.push_back(std::string(1, kSymbols[i]) + " symbol (Ctrl+" + keys[i] + ")");
    for (const std::string& unit : Units()) e.push_back(unit);
    return e;
  }();
  return entries;
}

EditorMenuChoice EditorMenuCommandAt(int index) {
  switch (index) {
    case 0: return {EditorMenuCommand::kDelete, {}};
    case 1: return {EditorMenuCommand::kCut, {}};
    case 2: return {EditorMenuCommand::kCopy, {}};
    case 3: return {EditorMenuCommand::kPaste, {}};
    default: break;
  }
  if (index >= kFirstSymbol && index < kFirstUnit) return {EditorMenuCommand::kInsert, std::string(1, kSymbols[index - kFirstSymbol])};
  if (index >= kFirstUnit && index < kFirstUnit + static_cast<int>(Units().size()))
    return {EditorMenuCommand::kInsert, Units()[static_cast<size_t>(index - kFirstUnit)]};
  return {};  // the separator, or nothing chosen
}

EditorMenuChoice ShowEditorMenu(Ui& ui, int x, int y) {
  return EditorMenuCommandAt(PopupMenu(ui, x, y, EditorMenuEntries()));
}

}  // namespace tovalia
