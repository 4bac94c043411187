// Placing the block of cards on the sheet: applying a layout's fixed
// values, the arrow-key steps, dragging in the preview, and which card lies
// under a point. Lengths in thousandths of an inch; the preview shows 50 of
// them per pixel.
#pragma once

#include <cstdint>

#include "db/byte_buffer.h"

namespace tovalia {

inline constexpr int32_t kPositionStep = 125;
inline constexpr int32_t kPreviewScale = 50;

struct SheetSize {
  int32_t width = 8500;
  int32_t height = 11000;
};

// Re-imposes the layout's fixed values on the record (orientation, card
// size, cards across and down, the spacings the user may not change, the
// device mode's paper), snaps left and top to the 125 grid, and returns the
// sheet the preview shows. List layouts get only the sheet and the snap.
SheetSize ApplyLayout(ByteBuffer& record);

// The width and height of the whole block of cards.
int32_t TotalWidth(const ByteBuffer& record);
int32_t TotalHeight(const ByteBuffer& record);

enum class Direction { kLeft, kRight, kUp, kDown };

// An arrow key: the block moves one step, kept on the sheet.
void StepPosition(ByteBuffer& record, const SheetSize& sheet, Direction direction);
// Ctrl with an arrow: the spacing between cards shrinks or grows one step.
void StepSpacing(ByteBuffer& record, const SheetSize& sheet, Direction direction);

// The card under a point of the sheet, or false.
struct CardCell {
  int32_t column = 0;
  int32_t row = 0;
};
bool CardAt(const ByteBuffer& record, int32_t x, int32_t y, CardCell& cell);

// A drag in the preview that began on `cell` with the record as it was
// then (`start`), moved by (dx, dy) pixels. The first card moves the block;
// a card in a later column changes the horizontal spacing, in a later row
// the vertical one. Spacing moves only where `spacing` allows.
void DragTo(ByteBuffer& record, const ByteBuffer& start, const SheetSize& sheet,
            const CardCell& cell, int dx, int dy, bool spacing);

}  // namespace tovalia
