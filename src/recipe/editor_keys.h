// What a key does in the focused field of the recipe editor. Edits that
// need nothing but the field happen here; the rest come back as requests
// for the editor screen (the clipboard, the context menu, the next field,
// the progress box of joining lines, the "full" message).
#pragma once

#include "platform/input_state.h"
#include "recipe/editor_text.h"

namespace tovalia {

// The symbols of Ctrl+D, Ctrl+1, Ctrl+2 and Ctrl+3 (CP1252).
inline constexpr char kDegreeSign = static_cast<char>(176);
inline constexpr char kOneQuarter = static_cast<char>(188);
inline constexpr char kOneHalf = static_cast<char>(189);
inline constexpr char kThreeQuarters = static_cast<char>(190);

enum class EditorRequest {
  kNone,
  kFull,         // "Text Buffer Is Full..."
  kCopy,         // put the block on the clipboard
  kCut,          // put the block on the clipboard, then delete it
  kPaste,        // paste the clipboard's text
  kContextMenu,  // Escape
  kNextField,    // Tab
  kJoinLines,    // Ctrl+Enter without a block
};

struct KeyResult {
  EditOutcome outcome = EditOutcome::kNothing;
  EditorRequest request = EditorRequest::kNone;
};

KeyResult ApplyEditorKey(EditorText& field, const InputState& input);

}  // namespace tovalia
