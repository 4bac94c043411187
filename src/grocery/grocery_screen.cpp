#include "grocery/grocery_screen.h"

#include <algorithm>

#include "grocery/grocery_edits.h"
#include "grocery/grocery_screen_forms.h"
#include "grocery/grocery_screen_list.h"
#include "grocery/grocery_screen_view.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/hold_repeat.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

// What a held key or mouse button works on: a held key that lowers an item
// to 0 in "Selected Items" must not go on to the item that takes its row.
struct Holding {
  int32_t itemId = -1;
};

void Redraw(App& app, const GroceryView& view) {
  DrawGroceryScreen(app, view);
  app.ui.Show();
}

void ShowMode(GroceryCatalogue& c, int mode) {
  BuildGroceryView(c, mode);
  c.currentRow = 0;
  c.topRow = 0;
}

// One step of a quantity on the current row; false when nothing changed
// (0 or 255 reached, no row) so that a held button stops.
bool QuantityStep(App& app, int step) {
  const GroceryWrite outcome = StepCurrentQuantity(app.grocery, step);
  ReportGroceryWrite(app, outcome);
  return outcome == GroceryWrite::kWritten;
}

int32_t CurrentId(const GroceryCatalogue& c) {
  const int32_t item = CurrentItem(c);
  return item < 0 ? -1 : ItemId(c.image, item);
}

// Raise or lower from the keyboard. A key the system repeats goes on only
// while the row holds the item the key started on.
void KeyQuantityStep(App& app, Holding& holding, int step) {
  const int32_t id = CurrentId(app.grocery);
  if (id < 0 || (app.ui.input.keyRepeat && id != holding.itemId)) return;
  holding.itemId = id;
  QuantityStep(app, step);
}

// Raise or lower with a mouse button held on a row's button: repeats, and
// stops when the item leaves the row.
void HeldQuantityStep(App& app, const GroceryView& view, int step) {
  const int32_t id = CurrentId(app.grocery);
  RepeatWhileHeld(app.ui, [&] {
    if (CurrentId(app.grocery) != id || !QuantityStep(app, step)) return false;
    Redraw(app, view);
    return true;
  });
}

// Up and Down: one row, scrolling to keep it in sight.
bool MoveRow(GroceryCatalogue& c, int by) {
  if (c.view.size() < 2) return false;
  const int before = c.currentRow;
  c.currentRow = std::clamp(c.currentRow + by, 0, static_cast<int>(c.view.size()) - 1);
  KeepCurrentRowVisible(c);
  return c.currentRow != before;
}

void HeldMove(App& app, const GroceryView& view, int by) {
  RepeatWhileHeld(app.ui, [&] {
    if (!MoveRow(app.grocery, by)) return false;
    Redraw(app, view);
    return true;
  });
}

void RunCommand(App& app, const std::string& caption) {
  if (caption == "Find") {
    FindItemsCommand(app);
  } else if (caption == "Add") {
    AddItemCommand(app);
  } else if (caption == "Edit") {
    EditItemCommand(app);
  } else if (caption == "Delete") {
    DeleteItemCommand(app);
  } else if (caption == "Print") {
    PrintListCommand(app);
  } else if (caption == "Export") {
    ExportListCommand(app);
  } else if (caption == "New List") {
    NewListCommand(app);
  } else if (caption == "Stores") {
    ReplaceMatchingCommand(app, GroceryField::kStore);
  } else if (caption == "Locations") {
    ReplaceMatchingCommand(app, GroceryField::kLocation);
  }
}

void LeftClick(App& app, const GroceryView& view) {
  GroceryCatalogue& c = app.grocery;
  const InputState& in = app.ui.input;
  if (const int mode = view.ModeAt(in.mouseX, in.mouseY); mode >= 0) return ShowMode(c, mode);
  if (view.header.Contains(in.mouseX, in.mouseY)) return HeldMove(app, view, -1);
  const int row = view.RowAt(in.mouseX, in.mouseY);
  if (row < 0) return;
  const int index = c.topRow + row;
  if (index >= static_cast<int>(c.view.size())) return HeldMove(app, view, +1);
  c.currentRow = index;
  if (view.RaiseButton(row).Contains(in.mouseX, in.mouseY)) {
    HeldQuantityStep(app, view, +1);
  } else if (view.LowerButton(row).Contains(in.mouseX, in.mouseY)) {
    HeldQuantityStep(app, view, -1);
  }
}

void RightClick(App& app, const GroceryView& view) {
  GroceryCatalogue& c = app.grocery;
  const InputState& in = app.ui.input;
  const int row = view.RowAt(in.mouseX, in.mouseY);
  if (row < 0 || c.topRow + row >= static_cast<int>(c.view.size())) return;
  c.currentRow = c.topRow + row;
  Redraw(app, view);
  EditItemCommand(app);
}

void PageKeys(GroceryCatalogue& c, int keyCode) {
  const int count = static_cast<int>(c.view.size());
  const int visible = std::max(c.visibleRows, 1);
  switch (keyCode) {
    case key::kHome:
      c.currentRow = c.topRow = 0;
      break;
    case key::kEnd:
      c.currentRow = std::max(count - 1, 0);
      c.topRow = std::max(0, c.currentRow - visible + 1);
      break;
    case key::kPageUp:
      c.topRow = std::max(0, c.topRow - visible);
      c.currentRow = c.topRow;
      break;
    case key::kPageDown:
      c.topRow = std::max(0, std::min(count - visible, c.topRow + visible));
      c.currentRow = std::max(0, std::min(count - 1, c.topRow + visible - 1));
      break;
    default:
      break;
  }
}

void Keys(App& app, Holding& holding) {
  GroceryCatalogue& c = app.grocery;
  InputState& in = app.ui.input;
  if (in.typedCharacter == ' ') return ShowMode(c, (c.displayMode + 1) % kDisplayModeCount);
  if (in.typedCharacter == typed::kEnter) return KeyQuantityStep(app, holding, +1);
  switch (in.keyCode) {
    case key::kUp:
      if (in.ctrl) return KeyQuantityStep(app, holding, +1);
      MoveRow(c, -1);
      break;
    case key::kDown:
      if (in.ctrl) return KeyQuantityStep(app, holding, -1);
      MoveRow(c, +1);
      break;
    case key::kDelete:
      KeyQuantityStep(app, holding, -1);
      break;
    default:
      PageKeys(c, in.keyCode);
      break;
  }
}

void EnterScreen(App& app) {
  GroceryCatalogue& c = app.grocery;
  const bool readable = LoadGroceryItems(c);
  c.currentRow = c.topRow = 0;
  BuildGroceryView(c, kAllItemsMode);
  if (!readable) ReportGroceryWrite(app, GroceryWrite::kUnreadable);
  if (!app.grocerySearchWord.empty()) {
    if (!FindGroceryItems(c, app.grocerySearchWord, GroceryField::kName) && readable)
      ReportGroceryWrite(app, GroceryWrite::kFailed);
    app.grocerySearchWord.clear();
  }
}

}  // namespace

void RunGroceryScreen(App& app) {
  Ui& ui = app.ui;
  const GroceryView view(ui);
  app.grocery.visibleRows = view.rowsShown;
  DrawGroceryScreen(app, view);
  EnterScreen(app);
  Holding holding;

  for (;;) {
    DrawGroceryScreen(app, view);
    const int tab = ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) return;
    if (tab >= 0 && tab != kGroceryScreen) {
      app.requestedScreen = tab;
      return;
    }
    bool commandRan = false;
    for (size_t b = 0; b < view.buttons.size() && !commandRan; ++b) {
      if (ButtonActivated(ui, view.captions[b], view.buttons[b], view.hotKeys[b])) {
        RunCommand(app, view.captions[b]);
        commandRan = true;
      }
    }
    if (commandRan) continue;

    if (in.buttonBits & kRightButton) {
      RightClick(app, view);
    } else if (in.buttonBits & kLeftButton) {
      LeftClick(app, view);
    } else if (in.wheelStep != 0) {
      const int most = std::max(static_cast<int>(app.grocery.view.size()) - view.rowsShown, 0);
      app.grocery.topRow = std::clamp(app.grocery.topRow - in.wheelStep, 0, most);
      in.wheelStep = 0;
    } else {
      Keys(app, holding);
    }
  }
}

}  // namespace tovalia
