#include "output/print_geometry.h"

#include <algorithm>

#include "output/print_layouts.h"
#include "output/print_record.h"

namespace tovalia {

namespace {

using namespace print_field;

// The multiple of the step at or below the value (also below zero).
int32_t FloorToStep(int32_t value) {
  int32_t q = value / kPositionStep;
  if (value % kPositionStep != 0 && value < 0) --q;
  return q * kPositionStep;
}

int32_t Across(const ByteBuffer& r) { return std::max(1, GetI32(r, kAcross)); }
int32_t Down(const ByteBuffer& r) { return std::max(1, GetI32(r, kDown)); }

// The widest spacing that keeps the last card on the sheet.
int32_t MostSpacing(int32_t paper, int32_t start, int32_t count, int32_t card) {
  if (count <= 1) return 0;
  return std::max(0, (paper - start - count * card) / (count - 1));
}

int32_t ClampedSpacing(int32_t wanted, int32_t most) {
  return std::max(0, FloorToStep(std::clamp(wanted, 0, most)));
}

int32_t ClampedPosition(int32_t wanted, int32_t most) {
  return std::clamp(FloorToStep(wanted), 0, std::max(0, FloorToStep(most)));
}

}  // namespace

int32_t TotalWidth(const ByteBuffer& r) {
  return Across(r) * (GetI32(r, kCardWidth) + GetI32(r, kHorizontalSpacing)) - GetI32(r, kHorizontalSpacing);
}

int32_t TotalHeight(const ByteBuffer& r) {
  return Down(r) * (GetI32(r, kCardHeight) + GetI32(r, kVerticalSpacing)) - GetI32(r, kVerticalSpacing);
}

SheetSize ApplyLayout(ByteBuffer& r) {
  SheetSize sheet;
  const int32_t mode = kDeviceMode;
  if (const LayoutSpec* layout = RecipeLayout(GetI32(r, kLayoutId))) {
    SetU16(r, kOrientation, layout->orientation);
    SetI32(r, kCardWidth, layout->cardWidth);
    SetI32(r, kCardHeight, layout->cardHeight);
    SetI32(r, kAcross, layout->across);
    SetI32(r, kDown, layout->down);
    if (!HorizontalSpacingChangeable(*layout)) SetI32(r, kHorizontalSpacing, 0);
    if (!VerticalSpacingChangeable(*layout)) SetI32(r, kVerticalSpacing, 0);
    if (HasDeviceMode(r)) {
      SetU16(r, mode + device_mode::kPaperSize, layout->paperCode);
      SetU16(r, mode + device_mode::kPaperLength, 0);
      SetU16(r, mode + device_mode::kPaperWidth, 0);
    }
    sheet = {layout->paperWidth, layout->paperHeight};
  }
  // Snapping rounds up from 25 below a step.
  SetI32(r, kLeft, FloorToStep(GetI32(r, kLeft) + 100));
  SetI32(r, kTop, FloorToStep(GetI32(r, kTop) + 100));
  return sheet;
}

void StepPosition(ByteBuffer& r, const SheetSize& sheet, Direction direction) {
  const bool horizontal = direction == Direction::kLeft || direction == Direction::kRight;
  const int32_t field = horizontal ? kLeft : kTop;
  const int32_t value = GetI32(r, field);
  int32_t next;
  if (direction == Direction::kLeft || direction == Direction::kUp) {
    next = std::max(0, FloorToStep(value) - kPositionStep);
  } else {
    const int32_t most = horizontal ? sheet.width - TotalWidth(r) : sheet.height - TotalHeight(r);
    next = std::max(0, FloorToStep(std::min(value + kPositionStep, most)));
  }
  SetI32(r, field, next);
}

void StepSpacing(ByteBuffer& r, const SheetSize& sheet, Direction direction) {
  const bool horizontal = direction == Direction::kLeft || direction == Direction::kRight;
  const int32_t field = horizontal ? kHorizontalSpacing : kVerticalSpacing;
  const int32_t by = (direction == Direction::kLeft || direction == Direction::kUp) ? -kPositionStep : kPositionStep;
  const int32_t most = horizontal ? MostSpacing(sheet.width, GetI32(r, kLeft), Across(r), GetI32(r, kCardWidth))
                                  : MostSpacing(sheet.height, GetI32(r, kTop), Down(r), GetI32(r, kCardHeight));
  SetI32(r, field, ClampedSpacing(GetI32(r, field) + by, most));
}

bool CardAt(const ByteBuffer& r, int32_t x, int32_t y, CardCell& cell) {
  const int32_t width = GetI32(r, kCardWidth), height = GetI32(r, kCardHeight);
  for (int32_t column = 0; column < Across(r); ++column) {
    const int32_t left = GetI32(r, kLeft) + column * (width + GetI32(r, kHorizontalSpacing));
    if (x < left || x >= left + width) continue;
    for (int32_t row = 0; row < Down(r); ++row) {
      const int32_t top = GetI32(r, kTop) + row * (height + GetI32(r, kVerticalSpacing));
      if (y < top || y >= top + height) continue;
      cell = {column, row};
      return true;
    }
  }
  return false;
}

void DragTo(ByteBuffer& r, const ByteBuffer& start, const SheetSize& sheet, const CardCell& cell,
            int dx, int dy, bool spacing) {
  const int32_t moveX = dx * kPreviewScale, moveY = dy * kPreviewScale;
  if (cell.column == 0 && cell.row == 0) {
    SetI32(r, kLeft, ClampedPosition(GetI32(start, kLeft) + moveX, sheet.width - TotalWidth(r)));
    SetI32(r, kTop, ClampedPosition(GetI32(start, kTop) + moveY, sheet.height - TotalHeight(r)));
    return;
  }
  if (!spacing) return;
  if (cell.column > 0) {
    // The card moves with the mouse: the spacing grows by the move shared
    // among the gaps to its left.
    const int32_t most = MostSpacing(sheet.width, GetI32(r, kLeft), Across(r), GetI32(r, kCardWidth));
    SetI32(r, kHorizontalSpacing, ClampedSpacing(GetI32(start, kHorizontalSpacing) + moveX / cell.column, most));
  }
  if (cell.row > 0) {
    const int32_t most = MostSpacing(sheet.height, GetI32(r, kTop), Down(r), GetI32(r, kCardHeight));
    SetI32(r, kVerticalSpacing, ClampedSpacing(GetI32(start, kVerticalSpacing) + moveY / cell.row, most));
  }
}

}  // namespace tovalia
