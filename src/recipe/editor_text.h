// One text field of the recipe editor: its bytes, its display lines (a line
// table cut by the one line rule, so the editor breaks lines where the
// Recipe screen does), the cursor, the marked block and the scroll
// position, with the edits the editor's keys and menu make. Logic only:
// the editor screen draws and asks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/byte_buffer.h"
#include "layout/line_breaker.h"

namespace tovalia {

inline constexpr int32_t kEditorTitleLength = 60;  // bytes; 59 can be typed
inline constexpr int32_t kEditorTextLength = 65000;
inline constexpr int32_t kEditorLineCapacity = 990;  // display lines a text may grow to

struct EditorText {
  std::string text;  // CP1252; lines end in CR
  int32_t maxLength = kEditorTextLength;
  int32_t capacity = kEditorLineCapacity;  // 1 for the title
  int32_t visibleRows = 1;
  int32_t cursor = 0;
  int32_t blockStart = -1;  // -1, -1: no block
  int32_t blockEnd = -1;
  int32_t anchor = -1;  // where a selection started
  int32_t firstVisible = 0;
  ByteBuffer table;  // the display lines
  TextMeasure measure;  // empty: lines are cut by characters alone

  bool SingleLine() const { return capacity <= 1; }
  bool HasBlock() const { return blockStart >= 0 && blockEnd > blockStart; }
  int32_t Length() const { return static_cast<int32_t>(text.size()); }
};

// What an edit came to.
enum class EditOutcome {
  kNothing,  // nothing changed (e.g. Backspace at the start)
  kMoved,    // the cursor or the block changed, not the text
  kChanged,  // the text changed
  kFull,     // the character did not fit: "Text Buffer Is Full..."
};

// Sets the field up over a text: display lines of at most wrapCharacters
// and, with a measure, at most wrapPixels wide; cursor at the start, no block.
void SetUpEditorText(EditorText& field, std::string_view text, int32_t maxLength, int32_t capacity,
                     int32_t wrapCharacters, int32_t wrapPixels, TextMeasure measure);
// Cuts the text into display lines again.
void RebuildLines(EditorText& field);
// The same after `removed` bytes at `at` were replaced by `inserted` ones:
// only the lines the edit can move are cut again.
void RebuildLinesAfterEdit(EditorText& field, int32_t at, int32_t removed, int32_t inserted);

int32_t DisplayLineCount(const EditorText& field);
// Rows the field shows: the display lines, and an empty row after a final
// CR (or for an empty text) where the cursor can stand.
int32_t RowCount(const EditorText& field);
int32_t RowStart(const EditorText& field, int32_t row);
// Where the cursor stands at the end of the row: before its CR, before the
// last character of a soft-wrapped row, after the last row's last character.
int32_t RowEnd(const EditorText& field, int32_t row);
// The row the offset is shown on.
int32_t RowOf(const EditorText& field, int32_t offset);
// The row's text as shown (without its CR).
std::string_view RowText(const EditorText& field, int32_t row);
// Whether the row ends with a CR (drawn as a mark with "Show C/R").
bool RowEndsWithReturn(const EditorText& field, int32_t row);

// Scrolls so that the cursor's row is visible.
void ScrollToCursor(EditorText& field);
// Puts the cursor at a row and column (both limited to the field), with no
// block; the place becomes the anchor of a selection.
void PlaceCursor(EditorText& field, int32_t row, int32_t column);
// Marks the block from the anchor to the row and column, cursor there.
void ExtendBlockTo(EditorText& field, int32_t row, int32_t column);
void ClearBlock(EditorText& field);

// Cursor moves; with `extend` the block grows from the anchor to the new place.
enum class CursorMove {
  kLeft, kRight, kWordLeft, kWordRight, kUp, kDown, kPageUp, kPageDown,
  kLineStart, kLineEnd, kTextStart, kTextEnd,
};
EditOutcome MoveCursor(EditorText& field, CursorMove move, bool extend = false);

// The edits. Each deletes a marked block first where the key replaces it.
EditOutcome Backspace(EditorText& field);
EditOutcome DeleteForward(EditorText& field);
EditOutcome DeleteBlockOrDisplayLine(EditorText& field);  // Ctrl+Delete
// A typed character: inserted while the text is shorter than its maximum
// less one and, in a field of several lines, has fewer lines than its capacity.
EditOutcome InsertCharacter(EditorText& field, char c);
// A CR: while the text is shorter than its maximum and has fewer lines than
// its capacity less one. A one-line field takes none.
EditOutcome InsertReturn(EditorText& field);
// Text from the clipboard or a menu word, cut to the room left; the cursor
// ends after it.
EditOutcome InsertText(EditorText& field, std::string_view text);
// Ctrl+A: marks everything with the cursor at the start, or removes a mark.
EditOutcome ToggleMarkAll(EditorText& field);
EditOutcome UpperCaseBlock(EditorText& field);
EditOutcome SentenceCaseBlock(EditorText& field);
// Ctrl+Enter: joins the lines of each paragraph; only without a block. The
// cursor returns to the start.
EditOutcome JoinTextLines(EditorText& field);
EditOutcome DeleteBlock(EditorText& field);

std::string_view BlockText(const EditorText& field);

}  // namespace tovalia
