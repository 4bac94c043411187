#include "ui/file_chooser.h"

#include <algorithm>
#include <vector>

#include "db/cp1252.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/file_chooser_model.h"
#include "ui/fitted_text.h"
#include "ui/scroll_bar.h"
#include "ui/text_field.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kBoxWidth = 420;
constexpr int kBoxHeight = 400;
constexpr int kRowHeight = 20;
constexpr int kRowsShown = 12;
constexpr int kNameLimit = 255;

struct Geometry {
  Rect box, list, field;
  std::vector<Rect> buttons;
  std::vector<std::string> captions;
  int fieldChars;
};

Geometry Arrange(const Ui& ui, int mode) {
  Geometry g;
  g.box = CentredBox(ui, kBoxWidth, kBoxHeight);
  g.list = {g.box.x + 16, g.box.y + 70, g.box.width - 32, kRowsShown * kRowHeight + 2};
  g.field = {g.box.x + 96, g.box.y + 324, g.box.width - 112, 22};
  g.fieldChars = (g.field.width - 8) / kFieldCharWidth;
  g.captions = {"OK", "Cancel"};
  if (mode == kChooserWithClipboard) g.captions.push_back("Clipboard");
  const int slot = 90;
  const int left = g.box.x + (g.box.width - slot * static_cast<int>(g.captions.size())) / 2;
  for (size_t b = 0; b < g.captions.size(); ++b)
    g.buttons.push_back({left + slot * static_cast<int>(b) + 5, g.box.y + g.box.height - 40, slot - 10, 25});
  return g;
}

// The tail of a long folder path, so that its end stays readable.
std::string FitFromTheEnd(Canvas& canvas, std::string text, int width) {
  if (canvas.TextWidth(text) <= width) return text;
  while (text.size() > 1 && canvas.TextWidth("\x85" + text) > width) text.erase(0, 1);
  return "\x85" + text;  // an ellipsis
}

void DrawEntryIcon(Canvas& canvas, EntryKind kind, int x, int y) {
  switch (kind) {
    case EntryKind::kParent:
      canvas.DrawLine(x + 6, y + 3, x + 6, y + 13, theme::kMutedInk, 2);
      canvas.DrawLine(x + 2, y + 7, x + 6, y + 3, theme::kMutedInk, 2);
      canvas.DrawLine(x + 10, y + 7, x + 6, y + 3, theme::kMutedInk, 2);
      break;
    case EntryKind::kFolder:
      canvas.FillRoundedRect({x, y + 3, 6, 3}, 1, 0xC9962E);
      canvas.FillRoundedRect({x, y + 5, 14, 10}, 2, 0xE2B04A);
      break;
    case EntryKind::kFile:
      canvas.FillRect({x + 2, y + 2, 10, 13}, 0xFFFFFF);
      canvas.StrokeRect({x + 2, y + 2, 10, 13}, theme::kMutedInk);
      canvas.DrawLine(x + 4, y + 6, x + 10, y + 6, 0xB0A797);
      canvas.DrawLine(x + 4, y + 9, x + 10, y + 9, 0xB0A797);
      break;
    case EntryKind::kDrive:
      canvas.FillRoundedRect({x, y + 5, 14, 8}, 2, 0x7D8A96);
      canvas.FillRect({x + 10, y + 8, 2, 2}, 0x9BE37B);
      break;
  }
}

// The scroll bar down the list's right edge, beside the entries.
ScrollBar ListBar(const Geometry& g, const ChooserState& state) {
  return {{g.list.x + g.list.width - 11, g.list.y + 2, 10, g.list.height - 4}, state.first, kRowsShown,
          static_cast<int>(state.entries.size())};
}

void Draw(Ui& ui, const Geometry& g, const std::string& title, const ChooserState& state,
          const TextField& name, int viewStart, bool caretShown) {
  Canvas& canvas = ui.canvas;
  DrawBox(ui, g.box);
  canvas.SetFont({FontFamily::kSans, 16, true});
  canvas.DrawTextCentred({g.box.x + 10, g.box.y + 14, g.box.width - 20, 22}, title, theme::kInk);
  canvas.SetFont({FontFamily::kSans, 12, true});
  canvas.DrawText(g.box.x + 16, g.box.y + 48, "Look In:", theme::kMutedInk);
  canvas.SetFont(theme::BodyFont());
  canvas.DrawText(g.box.x + 76, g.box.y + 46,
                  FitFromTheEnd(canvas, Utf8ToCp1252(state.folder), g.box.width - 92), theme::kInk);

  canvas.FillRoundedRect(g.list, 4, 0xFFFFFF);
  canvas.StrokeRect(g.list, theme::kButtonEdge, 1, 4);
  canvas.PushClip(g.list, 4);
  for (int row = 0; row < kRowsShown; ++row) {
    int index = state.first + row;
    if (index >= static_cast<int>(state.entries.size())) break;
    const ChooserEntry& entry = state.entries[static_cast<size_t>(index)];
    Rect r{g.list.x + 1, g.list.y + 1 + row * kRowHeight, g.list.width - 12, kRowHeight};
    if (index == state.current) canvas.FillRect(r, theme::kSelection);
    DrawEntryIcon(canvas, entry.Kind(), r.x + 6, r.y + 1);
    DrawFittedLine(canvas, {r.x + 28, r.y, r.width - 32, kRowHeight}, entry.shown, theme::BodyFont(), 12,
                   entry.ready ? theme::kInk : theme::kMutedInk);
  }
  canvas.PopClip();
  DrawScrollBar(canvas, ListBar(g, state));
  canvas.RecordButton(g.list, "");

  canvas.SetFont({FontFamily::kSans, 12, true});
  canvas.DrawText(g.box.x + 16, g.field.y + 4, "File Name:", theme::kMutedInk);
  std::string visible = name.text.substr(static_cast<size_t>(viewStart),
                                         static_cast<size_t>(g.fieldChars));
  DrawField(ui, g.field, visible, true, name.cursor - viewStart, caretShown);
  for (size_t b = 0; b < g.buttons.size(); ++b) DrawButton(ui, g.buttons[b], g.captions[b]);
}

void KeepCurrentVisible(ChooserState& state) {
  const int count = static_cast<int>(state.entries.size());
  state.current = std::clamp(state.current, 0, std::max(count - 1, 0));
  if (state.current < state.first) state.first = state.current;
  if (state.current >= state.first + kRowsShown) state.first = state.current - kRowsShown + 1;
  state.first = std::clamp(state.first, 0, std::max(count - kRowsShown, 0));
}

}  // namespace

void ChooseFile(Ui& ui, const std::string& title, int mode, std::string& folder,
                std::string& fileName, int& result) {
  ui.platform.ShowMainWindow();
  const PointerFollowing still(ui, false);
  const Geometry g = Arrange(ui, mode);
  ChooserState state;
  state.folder = folder.empty() ? "/" : folder;
  if (state.folder.back() != '/') state.folder += '/';
  LoadFolder(state);
  TextField name{Utf8ToCp1252(fileName).substr(0, kNameLimit), 0, kNameLimit};
  name.cursor = static_cast<int>(name.text.size());
  ClampCursor(name);
  int viewStart = 0;
  bool caretShown = true;
  int outcome = 0;  // 1 chosen, 2 clipboard, -1 cancelled
  // A picked file keeps its name as the system spells it, which CP1252 may
  // not hold; it is returned as long as the field still shows it.
  std::string pickedName;
  auto pick = [&](const std::string& systemName) {
    pickedName = systemName;
    name.text = Utf8ToCp1252(systemName).substr(0, kNameLimit);
    name.cursor = static_cast<int>(name.text.size());
    ClampCursor(name);
  };

  const SavedArea saved = OpenBox(ui, g.box);
  ui.platform.StartCaretTimer(300);
  while (outcome == 0) {
    viewStart = std::clamp(viewStart, std::max(0, name.cursor - g.fieldChars + 1), name.cursor);
    Draw(ui, g, title, state, name, viewStart, caretShown);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    if (in.typedCharacter == 0 && in.keyCode == 0 && !(in.buttonBits & kLeftButton) && in.wheelStep == 0) {
      caretShown = !caretShown;
      continue;
    }
    caretShown = true;
    ui.platform.StartCaretTimer(300);

    bool enter = in.typedCharacter == typed::kEnter;
    if (!enter && (in.buttonBits & kLeftButton)) {
      for (size_t b = 0; b < g.buttons.size(); ++b) {
        if (!ButtonActivated(ui, g.captions[b], g.buttons[b], 0)) continue;
        if (g.captions[b] == "OK") enter = true;
        if (g.captions[b] == "Cancel") outcome = -1;
        if (g.captions[b] == "Clipboard") outcome = 2;
      }
      if (const ScrollBar bar = ListBar(g, state); bar.Needed() && bar.track.Contains(in.mouseX, in.mouseY)) {
        state.first = FollowScrollBar(ui, bar, [&](int first) {
          state.first = first;
          Draw(ui, g, title, state, name, viewStart, caretShown);
          ui.Show();
        });
        continue;
      }
      if (g.list.Contains(in.mouseX, in.mouseY)) {
        int index = state.first + (in.mouseY - g.list.y - 1) / kRowHeight;
        if (index < static_cast<int>(state.entries.size())) {
          const ChooserEntry& entry = state.entries[static_cast<size_t>(index)];
          bool again = index == state.current;
          state.current = index;
          if (entry.Kind() == EntryKind::kFile) {
            pick(entry.Name());
            enter = again;
          } else if (again) {
            name.text.clear();
            name.cursor = 0;
            enter = true;
          }
        }
      }
    }
    if (in.wheelStep != 0) {
      state.first -= in.wheelStep;
      state.first = std::clamp(state.first, 0,
                               std::max(static_cast<int>(state.entries.size()) - kRowsShown, 0));
      in.wheelStep = 0;
      continue;
    }
    if (outcome != 0) break;
    if (enter) {
      const bool picked = !pickedName.empty() && Utf8ToCp1252(pickedName) == name.text;
      if (!name.text.empty() && !picked) {
        // A typed name may be a path, and may name a folder to open.
        const TypedTarget target = ResolveTypedName(state.folder, Cp1252ToUtf8(name.text), HomeFolder(), IsFolder);
        state.folder = target.folder;
        if (target.name.empty()) {
          LoadFolder(state);
          name.text.clear();
          name.cursor = 0;
        } else {
          pickedName = target.name;
          outcome = 1;
        }
      } else if (!name.text.empty()) {
        outcome = 1;
      } else if (!state.entries.empty() &&
                 state.entries[static_cast<size_t>(state.current)].Kind() == EntryKind::kFile) {
        pick(state.entries[static_cast<size_t>(state.current)].Name());
        outcome = 1;
      } else {
        OpenCurrentEntry(state);
      }
      continue;
    }
    switch (in.keyCode) {
      case key::kUp: --state.current; break;
      case key::kDown: ++state.current; break;
      case key::kPageUp: state.current -= kRowsShown; break;
      case key::kPageDown: state.current += kRowsShown; break;
      case key::kHome: state.current = 0; break;
      case key::kEnd: state.current = static_cast<int>(state.entries.size()) - 1; break;
      default: {
        const std::string before = name.text;
        FieldAction action = EditField(name, in);
        if (action == FieldAction::kCopy || action == FieldAction::kCut) ui.platform.SetClipboardText(before);
        if (action == FieldAction::kPaste) PasteIntoField(name, ui.platform.ClipboardText());
        break;
      }
    }
    KeepCurrentVisible(state);
  }
  ui.platform.StopCaretTimer();
  CloseBox(ui, saved);
  folder = state.folder;
  if (outcome == 1) {
    fileName = pickedName;
    result = 1;
  } else if (outcome == 2) {
    result = 2;
  }
}

}  // namespace tovalia
