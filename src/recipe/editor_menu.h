// The context menu of the editor's fields (right click or Escape): block
// commands, the four symbols and the unit words.
#pragma once

#include <string>
#include <vector>

#include "ui/ui.h"

namespace tovalia {

enum class EditorMenuCommand { kNone, kDelete, kCut, kCopy, kPaste, kInsert };

struct EditorMenuChoice {
  EditorMenuCommand command = EditorMenuCommand::kNone;
  std::string text;  // kInsert: what goes in at the cursor
};

// The 25 entries, in order ("-" is the separator).
const std::vector<std::string>& EditorMenuEntries();
// What the entry at that index does.
EditorMenuChoice EditorMenuCommandAt(int index);

// Shows the menu at (x, y) and returns the choice (kNone when nothing was chosen).
EditorMenuChoice ShowEditorMenu(Ui& ui, int x, int y);

}  // namespace tovalia
