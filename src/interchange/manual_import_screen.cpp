#include "interchange/manual_import_screen.h"

#include <algorithm>
#include <array>

#include "db/cp1252.h"
#include "interchange/manual_import.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/frame.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"
#include "ui/scroll_bar.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kRowHeight = 20;
constexpr int kTagWidth = 26;
constexpr int kLabelWidth = 150;

struct SegmentLook {
  ManualSegment segment;
  const char* tag;
  Color tint;  // behind the tag
  Color rule;  // above the first line and below the last
};

// The tag columns, in order.
constexpr std::array<SegmentLook, 4> kLooks = {{
    {ManualSegment::kTitle, "T:", 0xF4D3A1, 0xC07A1E},
    {ManualSegment::kIngredients, "I:", 0xCFE6BC, 0x4F8A2C},
    {ManualSegment::kDirections, "D:", 0xD3DDF2, 0x3D62A8},
    {ManualSegment::kYield, "Y:", 0xEED2E6, 0x9A3F84},
}};

constexpr const char* kCaptions[] = {"Title", "Yield", "Ingredients", "Directions", "Save Recipe", "Done"};
constexpr int kHotKeys[] = {1, 1, 1, 1, 1, 0};

constexpr int kLargestLineFont = 13;
constexpr int kSmallestLineFont = 8;

Font LineFont(int size) { return {FontFamily::kMono, static_cast<double>(size), false}; }

// The largest size, 13 at most, in which a line of the longest length fits
// the text column whole.
int LineFontSize(Canvas& canvas, int columnWidth) {
  const std::string longest(kManualImportLineWidth, 'W');
  int size = kLargestLineFont;
  for (; size > kSmallestLineFont; --size) {
    canvas.SetFont(LineFont(size));
    if (canvas.TextWidth(longest) <= columnWidth) break;
  }
  return size;
}

struct ManualView {
  explicit ManualView(Ui& ui) {
    const Rect content = ContentRect(ui);
    panel = {content.x + 20, content.y + 62, content.width - 40, content.height - 62 - 58};
    rowsShown = std::max(1, (panel.height - 8) / kRowHeight);
    textLeft = panel.x + 8 + static_cast<int>(kLooks.size()) * kTagWidth + 8;
    const int slot = (panel.width - kLabelWidth) / static_cast<int>(std::size(kCaptions));
    for (size_t i = 0; i < std::size(kCaptions); ++i)
      buttons.push_back({panel.x + static_cast<int>(i) * slot + 3, panel.y + panel.height + 16, slot - 6, 28});
    label = {panel.x + panel.width - kLabelWidth + 10, panel.y + panel.height + 16, kLabelWidth - 10, 28};
    const Rect row = Row(0);
    lineFontSize = LineFontSize(ui.canvas, row.x + row.width - textLeft);
  }
  Rect Row(int visible) const { return {panel.x + 4, panel.y + 4 + visible * kRowHeight, panel.width - 20, kRowHeight}; }
  Rect Track() const { return {panel.x + panel.width - 14, panel.y + 4, 10, panel.height - 8}; }
  // The line under a point of the text panel, or -1.
  int LineAt(int y, int first, int count) const {
    if (y < panel.y + 4) return -1;
    const int visible = (y - panel.y - 4) / kRowHeight;
    if (visible >= rowsShown || first + visible >= count) return -1;
    return first + visible;
  }

  Rect panel;
  int rowsShown = 1;
  int textLeft = 0;
  int lineFontSize = kLargestLineFont;
  std::vector<Rect> buttons;
  Rect label;
};

struct ManualState {
  std::vector<std::string> lines;
  ManualSegments segments;
  int first = 0;      // the first line shown
  std::string label;  // " Saved" after a save, or a hint
  ImportResult result;
};

ScrollBar Bar(const ManualView& view, const ManualState& state) {
  return {view.Track(), state.first, view.rowsShown, static_cast<int>(state.lines.size())};
}

void ScrollTo(const ManualView& view, ManualState& state, int first) {
  const int count = static_cast<int>(state.lines.size());
  state.first = std::clamp(first, 0, std::max(0, count - view.rowsShown));
}

void DrawManualScreen(App& app, const ManualView& view, const ManualState& state, const std::string& name) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, app.currentScreen);
  const Rect content = ContentRect(ui);
  canvas.SetFont({FontFamily::kSerif, 20, true});
  canvas.DrawText(view.panel.x + 2, content.y + 8, "Manual Import", theme::kInk);
  canvas.SetFont({FontFamily::kSans, 13, false});
  canvas.PushClip({view.panel.x + 200, content.y + 8, view.panel.width - 200, 24});
  const int nameWidth = canvas.TextWidth(name);
  canvas.DrawText(view.panel.x + view.panel.width - std::min(nameWidth, view.panel.width - 200), content.y + 14, name,
                  theme::kMutedInk);
  canvas.PopClip();
  canvas.DrawText(view.panel.x + 2, content.y + 38,
                  "Highlight the text you want to keep, then click the appropriate button to define that recipe segment.", theme::kMutedInk);

  canvas.FillRoundedRect(view.panel, 6, 0xFFFFFF);
  canvas.StrokeRect(view.panel, theme::kPanelEdge, 1, 6);
  canvas.RecordButton(view.panel, "");  // clicks here highlight lines
  canvas.PushClip(view.panel, 6);
  const ManualSegments& s = state.segments;
  const int count = static_cast<int>(state.lines.size());
  for (int v = 0; v < view.rowsShown && state.first + v < count; ++v) {
    const int line = state.first + v;
    const Rect row = view.Row(v);
    for (size_t c = 0; c < kLooks.size(); ++c) {
      const LineRange& range = s.Of(kLooks[c].segment);
      if (!range.Holds(line)) continue;
      const Rect cell{view.panel.x + 8 + static_cast<int>(c) * kTagWidth, row.y, kTagWidth - 2, kRowHeight};
      canvas.FillRect(cell, kLooks[c].tint);
      canvas.SetFont({FontFamily::kSans, 12, true});
      canvas.DrawText(cell.x + 4, cell.y + 3, kLooks[c].tag, theme::kInk);
    }
    const bool highlighted = s.selection.Holds(line);
    if (highlighted) canvas.FillRect({view.textLeft - 4, row.y, row.x + row.width - view.textLeft + 4, kRowHeight}, theme::kInk);
    canvas.SetFont(LineFont(view.lineFontSize));
    canvas.PushClip({view.textLeft, row.y, row.x + row.width - view.textLeft, kRowHeight});
    canvas.DrawText(view.textLeft, row.y + 2, state.lines[static_cast<size_t>(line)],
                    highlighted ? 0xFFFFFF : theme::kInk);
    canvas.PopClip();
    // Each segment is ruled off above its first line and below its last.
    for (size_t c = 0; c < kLooks.size(); ++c) {
      const LineRange& range = s.Of(kLooks[c].segment);
      const int left = view.panel.x + 8 + static_cast<int>(c) * kTagWidth;
      const int right = row.x + row.width;
      if (range.Defined() && range.first == line) canvas.DrawLine(left, row.y, right, row.y, kLooks[c].rule, 1.5);
      if (range.Defined() && range.last == line)
        canvas.DrawLine(left, row.y + kRowHeight - 1, right, row.y + kRowHeight - 1, kLooks[c].rule, 1.5);
    }
  }
  canvas.PopClip();
  DrawScrollBar(canvas, Bar(view, state));
  for (size_t b = 0; b < view.buttons.size(); ++b) DrawButton(ui, view.buttons[b], kCaptions[b]);
  if (!state.label.empty()) {
    canvas.SetFont({FontFamily::kSans, 14, true});
    canvas.DrawText(view.label.x, view.label.y + 5, state.label, theme::kAccent);
  }
}

void Save(App& app, ManualState& state, const ImportOptions& options, const TitlePrompt& askForTitle) {
  const std::string missing = MissingSegmentMessage(state.segments);
  if (!missing.empty()) return ShowNotice(app.ui, missing);
  if (SaveManualRecipe(app.db, state.lines, state.segments, options, askForTitle, state.result)) {
    state.label = " Saved";
  } else {
    ShowNotice(app.ui, "The recipe could not be stored?");
  }
}

void Assign(ManualState& state, ManualSegment segment) {
  state.label = AssignSegment(state.segments, segment) ? "" : "Highlight lines first";
}

void EditLine(App& app, ManualState& state) {
  if (!state.segments.selection.Defined()) return;
  std::string& line = state.lines[static_cast<size_t>(state.segments.selection.first)];
  app.ui.fieldValues[0] = line;
  int answer = 0;
  ShowMessage(app.ui, "Edit Line", "", 1, "OK|Cancel", 100 + static_cast<int>(kManualImportLineWidth), answer);
  if (answer == 1) line = app.ui.fieldValues[0].substr(0, kManualImportLineWidth);
}

// The right button's menu over the highlighted lines.
void LineMenu(App& app, ManualState& state, const ManualView& view) {
  const InputState& in = app.ui.input;
  const int line = view.LineAt(in.mouseY, state.first, static_cast<int>(state.lines.size()));
  if (!state.segments.selection.Holds(line)) return;
  const int choice = PopupMenu(app.ui, in.mouseX, in.mouseY,
                               {"Title", "Ingredients", "Directions", "Yield/Servings", "Edit Selected Line"});
  switch (choice) {
    case 0: Assign(state, ManualSegment::kTitle); break;
    case 1: Assign(state, ManualSegment::kIngredients); break;
    case 2: Assign(state, ManualSegment::kDirections); break;
    case 3: Assign(state, ManualSegment::kYield); break;
    case 4: EditLine(app, state); break;
    default: break;
  }
}

// Press, drag, release: the lines between the press and the pointer are
// highlighted, scrolling when the pointer leaves the panel.
void HighlightByDragging(App& app, ManualState& state, const ManualView& view, const std::string& name) {
  Ui& ui = app.ui;
  InputState& in = ui.input;
  const int count = static_cast<int>(state.lines.size());
  const int anchor = view.LineAt(in.mouseY, state.first, count);
  if (anchor < 0) return;
  state.label.clear();
  Highlight(state.segments, anchor, anchor);
  int last = anchor;
  while ((in.buttonBits & kLeftButton) && !in.quitFlag) {
    DrawManualScreen(app, view, state, name);
    ui.Show();
    ui.Pump(1);
    int line = view.LineAt(in.mouseY, state.first, count);
    if (in.mouseY < view.panel.y + 4) {
      ScrollTo(view, state, state.first - 1);
      line = state.first;
    } else if (line < 0) {
      ScrollTo(view, state, state.first + 1);
      line = std::min(state.first + view.rowsShown, count) - 1;
    }
    if (line != last) {
      last = line;
      Highlight(state.segments, anchor, line);
    }
  }
  in.inputFlag = false;
}

}  // namespace

ImportResult ManualImport(App& app, const std::string& sourcePath, const ImportOptions& options,
                          const TitlePrompt& askForTitle) {
  Ui& ui = app.ui;
  ManualState state;
  if (!ReadManualImportLines(sourcePath, state.lines)) {
    ShowNotice(ui, "File cannot be read?");
    return state.result;
  }
  const size_t slash = sourcePath.find_last_of('/');
  const std::string name = Utf8ToCp1252(slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1));
  const ManualView view(ui);
  for (;;) {
    DrawManualScreen(app, view, state, name);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    std::string pressed;
    for (size_t b = 0; b < view.buttons.size() && pressed.empty(); ++b)
      if (ButtonActivated(ui, kCaptions[b], view.buttons[b], kHotKeys[b])) pressed = kCaptions[b];
    if (pressed == "Done" || in.typedCharacter == typed::kEscape) {
      if (RecipeIsMarked(state.segments)) {
        int answer = 0;
        ShowMessage(ui, "You have not saved the recipe you marked.|Do you want to save it now?", "", 1, "Yes|No", 0,
                    answer);
        if (answer == 1) Save(app, state, options, askForTitle);
      }
      break;
    }
    if (pressed == "Title") {
      Assign(state, ManualSegment::kTitle);
    } else if (pressed == "Yield") {
      Assign(state, ManualSegment::kYield);
    } else if (pressed == "Ingredients") {
      Assign(state, ManualSegment::kIngredients);
    } else if (pressed == "Directions") {
      Assign(state, ManualSegment::kDirections);
    } else if (pressed == "Save Recipe") {
      Save(app, state, options, askForTitle);
    } else if (const ScrollBar bar = Bar(view, state);
               (in.buttonBits & kLeftButton) && bar.Needed() && bar.track.Contains(in.mouseX, in.mouseY)) {
      state.first = FollowScrollBar(ui, bar, [&](int first) {
        state.first = first;
        DrawManualScreen(app, view, state, name);
        ui.Show();
      });
    } else if ((in.buttonBits & kLeftButton) && view.panel.Contains(in.mouseX, in.mouseY)) {
      HighlightByDragging(app, state, view, name);
    } else if ((in.buttonBits & kRightButton) && view.panel.Contains(in.mouseX, in.mouseY)) {
      LineMenu(app, state, view);
    } else if (in.wheelStep != 0) {
      ScrollTo(view, state, state.first - 3 * in.wheelStep);
      in.wheelStep = 0;
    } else {
      switch (in.keyCode) {
        case key::kUp: ScrollTo(view, state, state.first - 1); break;
        case key::kDown: ScrollTo(view, state, state.first + 1); break;
        case key::kPageUp: ScrollTo(view, state, state.first - view.rowsShown); break;
        case key::kPageDown: ScrollTo(view, state, state.first + view.rowsShown); break;
        case key::kHome: ScrollTo(view, state, 0); break;
        case key::kEnd: ScrollTo(view, state, static_cast<int>(state.lines.size())); break;
        default: break;
      }
    }
  }
  return state.result;
}

}  // namespace tovalia
