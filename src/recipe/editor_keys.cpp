#include "recipe/editor_keys.h"

namespace tovalia {

namespace {

constexpr int kCtrlA = 1;
constexpr int kCtrlC = 3;
constexpr int kCtrlD = 4;
constexpr int kCtrlL = 12;
constexpr int kCtrlU = 21;
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;

KeyResult Did(EditOutcome outcome) {
  return {outcome, outcome == EditOutcome::kFull ? EditorRequest::kFull : EditorRequest::kNone};
}

KeyResult Ask(EditorRequest request) { return {EditOutcome::kNothing, request}; }

KeyResult ApplyCharacter(EditorText& field, int c) {
  switch (c) {
    case typed::kEnter: return Did(InsertReturn(field));
    case typed::kCtrlEnter: return field.HasBlock() ? KeyResult{} : Ask(EditorRequest::kJoinLines);
    case typed::kBackspace: return Did(Backspace(field));
    case typed::kTab: return Ask(EditorRequest::kNextField);
    case typed::kEscape: return Ask(EditorRequest::kContextMenu);
    case kCtrlA: return Did(ToggleMarkAll(field));
    case kCtrlC: return Ask(EditorRequest::kCopy);
    case kCtrlX: return Ask(EditorRequest::kCut);
    case kCtrlV: return Ask(EditorRequest::kPaste);
    case kCtrlD: return Did(InsertCharacter(field, kDegreeSign));
    case kCtrlU: return Did(UpperCaseBlock(field));
    case kCtrlL: return Did(SentenceCaseBlock(field));
    default: break;
  }
  if (c >= ' ' && c != 127 && c <= 255) return Did(InsertCharacter(field, static_cast<char>(c)));
  return {};
}

}  // namespace

KeyResult ApplyEditorKey(EditorText& field, const InputState& input) {
  if (input.typedCharacter != 0) return ApplyCharacter(field, input.typedCharacter);
  const bool ctrl = input.ctrl;
  const bool shift = input.shift;
  switch (input.keyCode) {
    case key::kLeft: return Did(MoveCursor(field, ctrl ? CursorMove::kWordLeft : CursorMove::kLeft, shift));
    case key::kRight: return Did(MoveCursor(field, ctrl ? CursorMove::kWordRight : CursorMove::kRight, shift));
    case key::kUp: return Did(MoveCursor(field, ctrl ? CursorMove::kPageUp : CursorMove::kUp, shift));
    case key::kDown: return Did(MoveCursor(field, ctrl ? CursorMove::kPageDown : CursorMove::kDown, shift));
    case key::kPageUp: return Did(MoveCursor(field, CursorMove::kPageUp, shift));
    case key::kPageDown: return Did(MoveCursor(field, CursorMove::kPageDown, shift));
    case key::kHome: return Did(MoveCursor(field, ctrl ? CursorMove::kTextStart : CursorMove::kLineStart, shift));
    case key::kEnd: return Did(MoveCursor(field, ctrl ? CursorMove::kTextEnd : CursorMove::kLineEnd, shift));
    case key::kDelete: return Did(ctrl ? DeleteBlockOrDisplayLine(field) : DeleteForward(field));
    case '1': return ctrl ? Did(InsertCharacter(field, kOneQuarter)) : KeyResult{};
    case '2': return ctrl ? Did(InsertCharacter(field, kOneHalf)) : KeyResult{};
    case '3': return ctrl ? Did(InsertCharacter(field, kThreeQuarters)) : KeyResult{};
    default: return {};
  }
}

}  // namespace tovalia
