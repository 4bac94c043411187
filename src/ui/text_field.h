// Editing one single-line text field: the keys every field of the program
// answers to, and the clipboard rules. Pure logic; the dialogs draw.
#pragma once

#include <string>

#include "platform/input_state.h"

namespace tovalia {

struct TextField {
  std::string text;  // CP1252
  int cursor = 0;    // 0 .. min(text length, width - 1)
  int width = 1;     // the most characters the field holds
};

enum class FieldAction {
  kNone,        // the input was not for the field
  kEdited,      // text or cursor changed (or nothing to change)
  kCopy,        // Ctrl+C: the caller puts the text on the clipboard
  kCut,         // Ctrl+X: the caller puts the text on the clipboard; the field is empty
  kPaste,       // Ctrl+V: the caller calls PasteIntoField
};

// Applies a typed character or key code: characters insert at the cursor
// while there is room, Backspace and Delete delete, Left, Right, Home and End
// move, Escape empties the field. Enter and Tab are not the field's.
FieldAction EditField(TextField& field, const InputState& input);

// Replaces the text with clipboard text: line ends dropped, cut at the first
// NUL and after width characters, blanks trimmed at both ends; the cursor
// goes to the end.
void PasteIntoField(TextField& field, const std::string& clipboardText);

// Keeps the cursor inside the text and the field.
void ClampCursor(TextField& field);

}  // namespace tovalia
