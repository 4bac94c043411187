#include "ui/message_box.h"

#include <algorithm>
#include <vector>

#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/text_field.h"
#include "ui/text_split.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kCaretPeriodMs = 300;
constexpr int kButtonSlot = 70;
constexpr int kButtonHeight = 25;
constexpr int kFieldRow = 25;
// Room around the text, fields and buttons inside the frame.
constexpr int kSideMargin = 28;
constexpr int kTopMargin = 22;
constexpr int kBelowText = 17;
constexpr int kBottomMargin = 18;

Font MessageFont() { return {FontFamily::kSans, 17, true}; }
Font LabelFont() { return {FontFamily::kSans, 12, true}; }

struct Layout {
  Rect box;
  std::vector<std::string> lines;
  std::vector<std::string> labels;
  std::vector<std::string> captions;
  std::vector<Rect> fields;
  std::vector<Rect> buttons;
  int lineHeight = 0;
  int labelRight = 0;  // labels end here, right-aligned
};

Layout Arrange(Ui& ui, const std::string& message, const std::string& labels,
               const std::string& buttons, int fieldWidth) {
  Canvas& canvas = ui.canvas;
  Layout l;
  l.lines = SplitBars(message);
  l.captions = SplitBars(buttons);
  int fieldCount = 0;
  if (fieldWidth > 0) {
    l.labels = labels.empty() ? std::vector<std::string>{""} : SplitBars(labels);
    fieldCount = std::min(static_cast<int>(l.labels.size()), static_cast<int>(ui.fieldValues.size()));
    l.labels.resize(static_cast<size_t>(fieldCount));
  }

  canvas.SetFont(MessageFont());
  l.lineHeight = canvas.LineHeight();
  int widestLine = 0;
  for (const std::string& line : l.lines) widestLine = std::max(widestLine, canvas.TextWidth(line));
  canvas.SetFont(LabelFont());
  int widestLabel = 0;
  for (const std::string& label : l.labels) widestLabel = std::max(widestLabel, canvas.TextWidth(label));
  if (widestLabel > 0) widestLabel += 5;

  const int fieldPixels = fieldCount > 0 ? kFieldCharWidth * fieldWidth + 8 : 0;
  const int buttonCount = static_cast<int>(l.captions.size());
  const int width = 2 * kSideMargin + std::max({kButtonSlot * buttonCount, fieldPixels + widestLabel, widestLine});
  const int height = kTopMargin + l.lineHeight * static_cast<int>(l.lines.size()) + kFieldRow * fieldCount +
                     kBelowText + kButtonHeight + kBottomMargin;
  l.box = CentredBox(ui, std::min(width, canvas.Width()), std::min(height, canvas.Height()));

  const int formLeft = l.box.x + (l.box.width - (widestLabel + fieldPixels)) / 2;
  l.labelRight = formLeft + widestLabel - 5;
  int y = l.box.y + kTopMargin + l.lineHeight * static_cast<int>(l.lines.size()) + 2;
  for (int f = 0; f < fieldCount; ++f, y += kFieldRow)
    l.fields.push_back({formLeft + widestLabel, y, fieldPixels, kFieldRow - 4});

  const int buttonsLeft = l.box.x + (l.box.width - kButtonSlot * buttonCount) / 2;
  const int buttonsTop = l.box.y + l.box.height - kButtonHeight - kBottomMargin;
  for (int b = 0; b < buttonCount; ++b)
    l.buttons.push_back({buttonsLeft + kButtonSlot * b + 3, buttonsTop, kButtonSlot - 6, kButtonHeight});
  return l;
}

void DrawMessage(Ui& ui, const Layout& l) {
  Canvas& canvas = ui.canvas;
  canvas.SetFont(MessageFont());
  int y = l.box.y + kTopMargin;
  for (const std::string& line : l.lines) {
    canvas.DrawTextCentred({l.box.x, y, l.box.width, l.lineHeight}, line, theme::kInk);
    y += l.lineHeight;
  }
  canvas.SetFont(LabelFont());
  for (size_t f = 0; f < l.fields.size(); ++f) {
    const Rect& field = l.fields[f];
    int textWidth = canvas.TextWidth(l.labels[f]);
    canvas.DrawText(l.labelRight - textWidth, field.y + (field.height - canvas.LineHeight()) / 2,
                    l.labels[f], theme::kMutedInk);
  }
  for (size_t b = 0; b < l.buttons.size(); ++b) DrawButton(ui, l.buttons[b], l.captions[b]);
}

int FindCaption(const Layout& l, const std::string& caption) {
  for (size_t b = 0; b < l.captions.size(); ++b)
    if (l.captions[b] == caption) return static_cast<int>(b) + 1;
  return 0;
}

// Input that is not a timer tick.
bool RealInput(const InputState& in) {
  return in.typedCharacter != 0 || in.keyCode != 0 || (in.buttonBits & kLeftButton) != 0;
}

// A box without fields: Enter, the first letter of a caption (with or
// without Ctrl), or a click.
int ChooseWithoutFields(Ui& ui, const Layout& l, int enterButton) {
  if (ui.input.typedCharacter == typed::kEnter) return enterButton;
  for (size_t b = 0; b < l.buttons.size(); ++b) {
    if (ButtonActivated(ui, l.captions[b], l.buttons[b], 1) ||
        ButtonActivated(ui, l.captions[b], l.buttons[b], -1))
      return static_cast<int>(b) + 1;
  }
  return 0;
}

}  // namespace

void ShowMessage(Ui& ui, const std::string& message, const std::string& labels, int enterButton,
                 const std::string& buttons, int fieldWidth, int& result) {
  ui.platform.ShowMainWindow();
  if (fieldWidth < 100) {
    for (std::string& value : ui.fieldValues) value.clear();
  } else {
    fieldWidth -= 100;
  }
  fieldWidth = std::min(fieldWidth, kFieldValueLimit);

  const PointerFollowing still(ui, false);
  const Layout l = Arrange(ui, message, labels, buttons, fieldWidth);
  const SavedArea saved = OpenBox(ui, l.box);
  DrawMessage(ui, l);

  std::vector<TextField> fields(l.fields.size());
  for (size_t f = 0; f < fields.size(); ++f) {
    fields[f].width = fieldWidth;
    fields[f].text = ui.fieldValues[f].substr(0, static_cast<size_t>(fieldWidth));
    fields[f].cursor = static_cast<int>(fields[f].text.size());
    ClampCursor(fields[f]);
  }
  const int okButton = FindCaption(l, "OK");
  const int lastField = static_cast<int>(fields.size()) - 1;
  int current = 0;
  bool caretShown = true;
  int chosen = 0;
  if (!fields.empty()) ui.platform.StartCaretTimer(kCaretPeriodMs);

  while (chosen == 0) {
    for (size_t f = 0; f < fields.size(); ++f)
      DrawField(ui, l.fields[f], fields[f].text, static_cast<int>(f) == current, fields[f].cursor,
                caretShown);
    ShowAndWait(ui);
    if (ui.input.quitFlag) break;
    InputState& in = ui.input;
    if (!RealInput(in)) {
      caretShown = !caretShown;  // a caret timer tick
      continue;
    }
    if (fields.empty()) {
      chosen = ChooseWithoutFields(ui, l, enterButton);
      continue;
    }
    // Any key or click shows the caret at once and restarts its timer.
    caretShown = true;
    ui.platform.StartCaretTimer(kCaretPeriodMs);
    TextField& field = fields[static_cast<size_t>(current)];
    if (in.typedCharacter == typed::kEnter) {
      // Enter moves to the next field; on the last one it chooses the Enter
      // button. "OK" takes Enter from any field.
      const bool onLastField = current == lastField;
      if (!onLastField) ++current;
      if (okButton > 0) {
        chosen = okButton;
      } else if (onLastField) {
        chosen = enterButton;
      }
    } else if (in.typedCharacter == typed::kTab) {
      current = current < lastField ? current + 1 : 0;
    } else if (in.buttonBits & kLeftButton) {
      for (size_t b = 0; b < l.buttons.size() && chosen == 0; ++b)
        if (ButtonActivated(ui, l.captions[b], l.buttons[b], 0)) chosen = static_cast<int>(b) + 1;
      for (size_t f = 0; f < l.fields.size(); ++f) {
        if (!l.fields[f].Contains(in.mouseX, in.mouseY)) continue;
        current = static_cast<int>(f);
        fields[f].cursor = (in.mouseX - l.fields[f].x - 4 + kFieldCharWidth / 2) / kFieldCharWidth;
        ClampCursor(fields[f]);
      }
    } else {
      const std::string before = field.text;
      switch (EditField(field, in)) {
        case FieldAction::kCopy:
        case FieldAction::kCut:
          ui.platform.SetClipboardText(before);
          break;
        case FieldAction::kPaste:
          PasteIntoField(field, ui.platform.ClipboardText());
          break;
        case FieldAction::kNone:
        case FieldAction::kEdited:
          break;
      }
    }
  }

  ui.platform.StopCaretTimer();
  for (size_t f = 0; f < fields.size(); ++f) ui.fieldValues[f] = fields[f].text;
  CloseBox(ui, saved);
  if (chosen > 0) result = chosen;
}

void ShowNotice(Ui& ui, const std::string& message) {
  int answer = 0;
  ShowMessage(ui, message, "", 1, "OK", 0, answer);
}

}  // namespace tovalia
