// What the two print setup screens share: the preview of the sheet with
// its cards (50 thousandths of an inch a pixel), dragging in it, the arrow
// keys, the rows of labelled values, and the printer, font and font size
// choices.
#pragma once

#include <functional>
#include <string>

#include "db/byte_buffer.h"
#include "output/print_geometry.h"
#include "state/app_state.h"

namespace tovalia {

// The sheet's rectangle on screen, centred on a point or from a corner.
Rect SheetCentredOn(int x, int y, const SheetSize& sheet);
Rect SheetAt(int x, int y, const SheetSize& sheet);

void DrawSheetPreview(Canvas& canvas, const Rect& sheet, const ByteBuffer& record);

// A press in the preview: while the button stays down the card under the
// mouse drags the block (or the spacing, where `spacing` allows). `redraw`
// shows the screen after each move. False when the press missed the cards.
bool DragInPreview(Ui& ui, ByteBuffer& record, const Rect& sheet, const SheetSize& size, bool spacing,
                   const std::function<void()>& redraw);

// The arrow keys: the block moves a step; with Ctrl (where `spacing`
// allows) the spacing changes. The layout is applied afterwards. False for
// any other key.
bool ArrowKeyStep(const InputState& in, ByteBuffer& record, const SheetSize& size, bool spacing);

// A value in inches as the screens show it: "0.750".
std::string Inches(int32_t thousandths);

// A label right-aligned before x and its value after it; a value that can
// be clicked is recorded as a button captioned with the label.
void DrawValueRow(Canvas& canvas, int x, int y, const std::string& label, const std::string& value,
                  bool clickable);
Rect ValueRowRect(Canvas& canvas, int x, int y, const std::string& value);

// True when the latest input is a left click on the recorded button or
// value row with that caption.
bool ClickedOn(const Ui& ui, const std::string& caption);

// The printer, font and font size choices. The printer must come first.
void ChoosePrinter(App& app, ByteBuffer& record);
void ChooseFont(App& app, ByteBuffer& record);
void ChooseFontSize(App& app, ByteBuffer& record);

// "NONE SELECTED" for an empty name.
std::string NameOrNone(const std::string& name);

}  // namespace tovalia
