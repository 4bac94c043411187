#include "recipe/editor_text.h"

#include <algorithm>
#include <vector>

#include "db/cp1252.h"
#include "recipe/line_table.h"
#include "recipe/text_transforms.h"

namespace tovalia {

namespace {

// Ends with a CR, so that an empty row follows for the cursor.
bool EndsWithReturn(const EditorText& field) { return !field.text.empty() && field.text.back() == '\r'; }

// After `removed` bytes at `at` were replaced by `inserted` ones.
void Changed(EditorText& field, int32_t at, int32_t removed, int32_t inserted) {
  field.cursor = std::clamp(field.cursor, 0, field.Length());
  RebuildLinesAfterEdit(field, at, removed, inserted);
  ScrollToCursor(field);
}

void SetBlock(EditorText& field, int32_t from, int32_t to) {
  if (from == to) {
    field.blockStart = field.blockEnd = -1;
    return;
  }
  field.blockStart = std::min(from, to);
  field.blockEnd = std::max(from, to);
}

void Erase(EditorText& field, int32_t from, int32_t to) {
  field.text.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
  field.cursor = from;
  Changed(field, from, to - from, 0);
}

}  // namespace

void SetUpEditorText(EditorText& field, std::string_view text, int32_t maxLength, int32_t capacity,
                     int32_t wrapCharacters, int32_t wrapPixels, TextMeasure measure) {
  field.text = std::string(text);
  field.maxLength = maxLength;
  field.capacity = std::max(capacity, 1);
  field.cursor = 0;
  field.blockStart = field.blockEnd = field.anchor = -1;
  field.firstVisible = 0;
  field.measure = std::move(measure);
  // Every byte of the text lies on a display line, also of a text that has
  // outgrown the capacity for new lines (an imported one).
  const int32_t slots = field.SingleLine() ? 1 : std::max(maxLength, field.Length()) + 1;
  CreateLineTable(field.table, slots, wrapCharacters, maxLength);
  SetWrapPixels(field.table, field.measure ? wrapPixels : 0);
  RebuildLines(field);
}

void RebuildLines(EditorText& field) { BuildLineTable(field.text, field.table, field.measure); }

void RebuildLinesAfterEdit(EditorText& field, int32_t at, int32_t removed, int32_t inserted) {
  ByteBuffer& table = field.table;
  const int32_t oldCount = LineCount(table);
  if (field.SingleLine() || oldCount == 0) return RebuildLines(field);
  // A line's break depends on its own text and on the first word of the
  // next line (whether it fits), so the line before the edited one is cut
  // again too; lines before it stay as they were.
  int32_t low = 0, high = oldCount - 1;
  while (low < high) {
    const int32_t middle = (low + high + 1) / 2;
    if (LineStart(table, middle) <= at) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  const int32_t from = std::max(low - 1, 0);
  std::vector<int32_t> oldStarts;
  oldStarts.reserve(static_cast<size_t>(oldCount - from));
  for (int32_t line = from; line < oldCount; ++line) oldStarts.push_back(LineStart(table, line));

  LineLimit limit;
  limit.characters = GetI32(table, line_table::kWrapWidth);
  limit.width = GetI32(table, line_table::kWrapPixels);
  if (limit.width > 0 && field.measure) limit.measure = &field.measure;
  const int32_t capacity = GetI32(table, line_table::kCapacity);
  const int32_t length = field.Length();
  const int32_t delta = inserted - removed;
  const std::string_view text(field.text);
  int32_t count = from;
  int32_t p = oldStarts.front();
  while (p < length && count < capacity) {
    // Past the edit, a line that starts where an old line started (moved
    // by the edit) begins the same text: from there on the old lines hold.
    if (count > from && p >= at + inserted) {
      auto same = std::lower_bound(oldStarts.begin() + 1, oldStarts.end(), p - delta);
      if (same != oldStarts.end() && *same == p - delta) {
        for (; same != oldStarts.end() && count < capacity; ++same, ++count)
          SetI32(table, line_table::kLineStarts + 4 * count, *same + delta);
        break;
      }
    }
    SetI32(table, line_table::kLineStarts + 4 * count, p);
    ++count;
    p += std::max(NextLineBreak(text.substr(static_cast<size_t>(p)), limit), 1);
  }
  SetI32(table, line_table::kLineCount, count);
  SetI32(table, line_table::kTextLength, length);
  for (int32_t slot = count; slot < std::min(oldCount, capacity); ++slot)
    SetI32(table, line_table::kLineStarts + 4 * slot, -1);
}

int32_t DisplayLineCount(const EditorText& field) {
  return field.SingleLine() ? (field.text.empty() ? 0 : 1) : LineCount(field.table);
}

int32_t RowCount(const EditorText& field) {
  if (field.SingleLine()) return 1;
  const int32_t lines = LineCount(field.table);
  return lines + ((lines == 0 || EndsWithReturn(field)) ? 1 : 0);
}

int32_t RowStart(const EditorText& field, int32_t row) {
  if (field.SingleLine() || row <= 0) return 0;
  if (row >= LineCount(field.table)) return field.Length();
  return LineStart(field.table, row);
}

int32_t RowEnd(const EditorText& field, int32_t row) {
  if (field.SingleLine()) return field.Length();
  const int32_t lines = LineCount(field.table);
  if (row >= lines) return field.Length();
  const int32_t start = RowStart(field, row);
  int32_t end = row + 1 < lines ? LineStart(field.table, row + 1) : field.Length();
  if (end > start && (field.text[static_cast<size_t>(end - 1)] == '\r' || row + 1 < lines)) --end;
  return end;
}

int32_t RowOf(const EditorText& field, int32_t offset) {
  if (field.SingleLine()) return 0;
  const int32_t lines = LineCount(field.table);
  if (lines == 0) return 0;
  if (offset >= field.Length() && EndsWithReturn(field)) return lines;
  // The last line whose start is at or before the offset.
  int32_t low = 0, high = lines - 1;
  while (low < high) {
    const int32_t middle = (low + high + 1) / 2;
    if (LineStart(field.table, middle) <= offset) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

std::string_view RowText(const EditorText& field, int32_t row) {
  if (field.SingleLine()) return field.text;
  if (row < 0 || row >= LineCount(field.table)) return {};
  return ShownLine(field.text, field.table, row);
}

bool RowEndsWithReturn(const EditorText& field, int32_t row) {
  if (field.SingleLine() || row < 0 || row >= LineCount(field.table)) return false;
  const std::string_view line = DisplayLine(field.text, field.table, row);
  return !line.empty() && line.back() == '\r';
}

void ScrollToCursor(EditorText& field) {
  const int32_t row = RowOf(field, field.cursor);
  const int32_t rows = std::max(field.visibleRows, 1);
  if (row < field.firstVisible) field.firstVisible = row;
  if (row >= field.firstVisible + rows) field.firstVisible = row - rows + 1;
  field.firstVisible = std::clamp(field.firstVisible, 0, std::max(RowCount(field) - 1, 0));
}

namespace {

int32_t OffsetAt(const EditorText& field, int32_t row, int32_t column) {
  row = std::clamp(row, 0, RowCount(field) - 1);
  const int32_t start = RowStart(field, row);
  return std::min(start + std::max(column, 0), RowEnd(field, row));
}

}  // namespace

void PlaceCursor(EditorText& field, int32_t row, int32_t column) {
  field.cursor = OffsetAt(field, row, column);
  field.anchor = field.cursor;
  ClearBlock(field);
}

void ExtendBlockTo(EditorText& field, int32_t row, int32_t column) {
  field.cursor = OffsetAt(field, row, column);
  if (field.anchor < 0) field.anchor = field.cursor;
  field.anchor = std::clamp(field.anchor, 0, field.Length());
  SetBlock(field, field.anchor, field.cursor);
}

void ClearBlock(EditorText& field) { field.blockStart = field.blockEnd = -1; }

EditOutcome MoveCursor(EditorText& field, CursorMove move, bool extend) {
  const int32_t before = field.cursor;
  const int32_t row = RowOf(field, field.cursor);
  const int32_t column = field.cursor - RowStart(field, row);
  auto toRow = [&](int32_t target) {
    target = std::clamp(target, 0, RowCount(field) - 1);
    return std::min(RowStart(field, target) + column, RowEnd(field, target));
  };
  const int32_t page = std::max(field.visibleRows, 1);
  int32_t& c = field.cursor;
  switch (move) {
    case CursorMove::kLeft: c = std::max(c - 1, 0); break;
    case CursorMove::kRight: c = std::min(c + 1, field.Length()); break;
    case CursorMove::kWordLeft: c = PreviousWordStart(field.text, c); break;
    case CursorMove::kWordRight: c = NextWordStart(field.text, c); break;
    case CursorMove::kUp: c = toRow(row - 1); break;
    case CursorMove::kDown: c = toRow(row + 1); break;
    case CursorMove::kPageUp: c = toRow(row - page); break;
    case CursorMove::kPageDown: c = toRow(row + page); break;
    case CursorMove::kLineStart: c = RowStart(field, row); break;
    case CursorMove::kLineEnd: c = RowEnd(field, row); break;
    case CursorMove::kTextStart: c = 0; break;
    case CursorMove::kTextEnd: c = field.Length(); break;
  }
  if (extend) {
    if (!field.HasBlock()) field.anchor = before;
    SetBlock(field, field.anchor, c);
  } else {
    ClearBlock(field);
    field.anchor = c;
  }
  ScrollToCursor(field);
  return EditOutcome::kMoved;
}

EditOutcome DeleteBlock(EditorText& field) {
  if (!field.HasBlock()) return EditOutcome::kNothing;
  const int32_t from = std::min(field.blockStart, field.Length());
  const int32_t to = std::min(field.blockEnd, field.Length());
  ClearBlock(field);
  Erase(field, from, to);
  return EditOutcome::kChanged;
}

EditOutcome Backspace(EditorText& field) {
  if (DeleteBlock(field) == EditOutcome::kChanged) return EditOutcome::kChanged;
  if (field.cursor <= 0) return EditOutcome::kNothing;
  Erase(field, field.cursor - 1, field.cursor);
  return EditOutcome::kChanged;
}

EditOutcome DeleteForward(EditorText& field) {
  if (DeleteBlock(field) == EditOutcome::kChanged) return EditOutcome::kChanged;
  if (field.cursor >= field.Length()) return EditOutcome::kNothing;
  Erase(field, field.cursor, field.cursor + 1);
  return EditOutcome::kChanged;
}

EditOutcome DeleteBlockOrDisplayLine(EditorText& field) {
  if (DeleteBlock(field) == EditOutcome::kChanged) return EditOutcome::kChanged;
  const int32_t row = RowOf(field, field.cursor);
  const int32_t from = RowStart(field, row);
  const int32_t lines = DisplayLineCount(field);
  int32_t to = field.Length();
  if (!field.SingleLine() && row + 1 < lines) to = LineStart(field.table, row + 1);
  if (row >= lines || to <= from) return EditOutcome::kNothing;
  Erase(field, from, to);
  return EditOutcome::kChanged;
}

EditOutcome InsertCharacter(EditorText& field, char c) {
  DeleteBlock(field);
  const bool roomForLine = field.SingleLine() || DisplayLineCount(field) < field.capacity;
  if (field.Length() >= field.maxLength - 1 || !roomForLine) return EditOutcome::kFull;
  field.text.insert(static_cast<size_t>(field.cursor), 1, c);
  ++field.cursor;
  Changed(field, field.cursor - 1, 0, 1);
  return EditOutcome::kChanged;
}

EditOutcome InsertReturn(EditorText& field) {
  if (field.SingleLine()) return EditOutcome::kNothing;
  DeleteBlock(field);
  if (field.Length() >= field.maxLength || DisplayLineCount(field) >= field.capacity - 1)
    return EditOutcome::kFull;
  field.text.insert(static_cast<size_t>(field.cursor), 1, '\r');
  ++field.cursor;
  Changed(field, field.cursor - 1, 0, 1);
  return EditOutcome::kChanged;
}

EditOutcome InsertText(EditorText& field, std::string_view text) {
  const bool hadBlock = DeleteBlock(field) == EditOutcome::kChanged;
  const std::string pasted = PastableText(text, field.maxLength - field.Length(), field.SingleLine());
  if (pasted.empty()) return hadBlock ? EditOutcome::kChanged : EditOutcome::kNothing;
  field.text.insert(static_cast<size_t>(field.cursor), pasted);
  field.cursor += static_cast<int32_t>(pasted.size());
  Changed(field, field.cursor - static_cast<int32_t>(pasted.size()), 0, static_cast<int32_t>(pasted.size()));
  return EditOutcome::kChanged;
}

EditOutcome ToggleMarkAll(EditorText& field) {
  if (field.HasBlock()) {
    ClearBlock(field);
  } else {
    SetBlock(field, 0, field.Length());
    field.cursor = 0;
    field.anchor = 0;
    ScrollToCursor(field);
  }
  return EditOutcome::kMoved;
}

namespace {

template <typename Transform>
EditOutcome TransformBlock(EditorText& field, Transform transform) {
  if (!field.HasBlock()) return EditOutcome::kNothing;
  const size_t from = static_cast<size_t>(field.blockStart);
  const size_t count = static_cast<size_t>(field.blockEnd - field.blockStart);
  const std::string changed = transform(std::string_view(field.text).substr(from, count));
  if (changed == std::string_view(field.text).substr(from, count)) return EditOutcome::kNothing;
  field.text.replace(from, count, changed);
  Changed(field, static_cast<int32_t>(from), static_cast<int32_t>(count), static_cast<int32_t>(changed.size()));
  return EditOutcome::kChanged;
}

}  // namespace

EditOutcome UpperCaseBlock(EditorText& field) {
  return TransformBlock(field, [](std::string_view block) { return UpperCase(block); });
}

EditOutcome SentenceCaseBlock(EditorText& field) {
  return TransformBlock(field, [](std::string_view block) { return SentenceCase(block); });
}

EditOutcome JoinTextLines(EditorText& field) {
  if (field.HasBlock()) return EditOutcome::kNothing;
  std::string joined = JoinLines(field.text);
  field.cursor = 0;
  field.anchor = 0;
  if (joined == field.text) {
    ScrollToCursor(field);
    return EditOutcome::kMoved;
  }
  field.text = std::move(joined);
  RebuildLines(field);
  ScrollToCursor(field);
  return EditOutcome::kChanged;
}

std::string_view BlockText(const EditorText& field) {
  if (!field.HasBlock()) return {};
  return std::string_view(field.text).substr(static_cast<size_t>(field.blockStart),
                                              static_cast<size_t>(field.blockEnd - field.blockStart));
}

}  // namespace tovalia
