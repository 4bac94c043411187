// Boxes drawn over a screen (messages, prompts, lists, the file chooser,
// the progress box): the popup artwork in a rounded frame with a shadow.
// A box marks its whole area as taken, so clicks inside it never drag the
// window.
#pragma once

#include "ui/ui.h"

namespace tovalia {

// The rectangle of a box of that size centred in the window.
Rect CentredBox(const Ui& ui, int width, int height);

// Saves what lies under the box (and its shadow), then draws the box.
SavedArea OpenBox(Ui& ui, const Rect& box);
void DrawBox(Ui& ui, const Rect& box);
// Puts back what the box covered and shows it.
void CloseBox(Ui& ui, const SavedArea& saved);

// A single-line input field with its text, and the caret when shown.
void DrawField(Ui& ui, const Rect& r, const std::string& text, bool current, int caretColumn,
               bool caretShown);
Font FieldFont();
inline constexpr int kFieldCharWidth = 8;  // fields are 8 pixels per character

}  // namespace tovalia
