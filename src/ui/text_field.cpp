#include "ui/text_field.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

namespace {
constexpr int kCtrlC = 3;
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;
}  // namespace

void ClampCursor(TextField& field) {
  int limit = std::min(static_cast<int>(field.text.size()), std::max(field.width - 1, 0));
  field.cursor = std::clamp(field.cursor, 0, limit);
}

FieldAction EditField(TextField& field, const InputState& input) {
  const int c = input.typedCharacter;
  const size_t at = static_cast<size_t>(field.cursor);
  if (c == kCtrlC) return FieldAction::kCopy;
  if (c == kCtrlX) {
    field.text.clear();
    field.cursor = 0;
    return FieldAction::kCut;
  }
  if (c == kCtrlV) return FieldAction::kPaste;
  if (c == typed::kEscape) {
    field.text.clear();
    field.cursor = 0;
    return FieldAction::kEdited;
  }
  if (c == typed::kBackspace) {
    if (at > 0 && at <= field.text.size()) {
      field.text.erase(at - 1, 1);
      --field.cursor;
    }
    return FieldAction::kEdited;
  }
  if (c >= 32 && c != 127) {
    if (static_cast<int>(field.text.size()) < field.width) {
      field.text.insert(std::min(at, field.text.size()), 1, static_cast<char>(c));
      if (field.cursor < field.width - 1) ++field.cursor;
    }
    return FieldAction::kEdited;
  }
  switch (input.keyCode) {
    case key::kDelete:
      if (at < field.text.size()) field.text.erase(at, 1);
      break;
    case key::kLeft:
      --field.cursor;
      break;
    case key::kRight:
      ++field.cursor;
      break;
    case key::kHome:
      field.cursor = 0;
      break;
    case key::kEnd:
      field.cursor = static_cast<int>(field.text.size());
      break;
    default:
      return FieldAction::kNone;
  }
  ClampCursor(field);
  return FieldAction::kEdited;
}

void PasteIntoField(TextField& field, const std::string& clipboardText) {
  std::string text;
  for (char ch : clipboardText) {
    if (ch == '\0' || static_cast<int>(text.size()) >= field.width) break;
    if (ch != '\r' && ch != '\n') text += ch;
  }
  field.text = TrimBlanks(text);
  field.cursor = static_cast<int>(field.text.size());
  ClampCursor(field);
}

}  // namespace tovalia
