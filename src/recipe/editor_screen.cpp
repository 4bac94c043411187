#include "recipe/editor_screen.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/record_format.h"
#include "platform/bmp_codec.h"
#include "recipe/editor_keys.h"
#include "recipe/editor_layout.h"
#include "recipe/editor_menu.h"
#include "recipe/editor_model.h"
#include "recipe/photo.h"
#include "recipe/photo_commands.h"
#include "recipe/resize_prompts.h"
#include "recipe/text_transforms.h"
#include "spell/spell_check_screen.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

constexpr int kCaretPeriodMs = 300;

enum class Leaving { kStay, kSaved, kCancelled };

struct Editor {
  App& app;
  EditorLayout layout;
  EditorModel model;
  EditorView view;

  void Draw() { DrawEditor(app, model, layout, view); }
  void RefreshPhoto() {
    const std::vector<uint8_t> photo = SoundStoredPhoto(app.db);
    if (photo.empty() || !DecodeBmp(photo.data(), photo.size(), view.photo)) view.photo = Image{};
  }
};

bool Save(Editor& e) {
  WriteBackToRecord(e.model, e.app.db);
  if (HasTitle(e.model)) return true;
  ShowNotice(e.app.ui, "You must enter a title for this recipe!");
  return false;
}

// Unsaved changes are only thrown away when the user says so.
Leaving ConfirmLeaving(Editor& e) {
  if (!e.model.modified) return Leaving::kCancelled;
  int answer = 0;
  ShowMessage(e.app.ui,
              std::string("Save the changes to this ") + (e.model.textRecord ? "text" : "recipe") + "|before leaving?",
              "", 1, "Save|Discard|Cancel", 0, answer);
  if (answer == 1) return Save(e) ? Leaving::kSaved : Leaving::kStay;
  if (answer == 2 || e.app.ui.input.quitFlag) return Leaving::kCancelled;
  return Leaving::kStay;
}

// The program is asked to end while the editor is open.
Leaving ConfirmQuit(Editor& e) {
  if (!e.model.modified) return Leaving::kCancelled;
  InputState& in = e.app.ui.input;
  in.quitFlag = false;  // for the question; set again unless the user stays
  const Leaving leaving = ConfirmLeaving(e);
  in.quitFlag = leaving != Leaving::kStay;
  return leaving;
}

void ClipboardRequest(Editor& e, EditorText& field, EditorRequest request) {
  Ui& ui = e.app.ui;
  switch (request) {
    case EditorRequest::kCopy:
    case EditorRequest::kCut:
      if (!field.HasBlock()) return;
      ui.platform.SetClipboardText(ClipboardCopyText(BlockText(field)));
      if (request == EditorRequest::kCut && DeleteBlock(field) == EditOutcome::kChanged) e.model.modified = true;
      return;
    case EditorRequest::kPaste: {
      const std::string text = ui.platform.ClipboardText();
      if (text.empty()) return ShowNotice(ui, "No text on the clipboard!");
      if (InsertText(field, text) == EditOutcome::kChanged) e.model.modified = true;
      return;
    }
    default: return;
  }
}

void ContextMenu(Editor& e) {
  EditorText& field = e.model.Focused();
  int x = 0, y = 0;
  CaretPoint(e.layout, field, e.model.focus, e.view, x, y);
  const EditorMenuChoice choice = ShowEditorMenu(e.app.ui, x, y);
  switch (choice.command) {
    case EditorMenuCommand::kNone: return;
    case EditorMenuCommand::kDelete:
    case EditorMenuCommand::kCut:
    case EditorMenuCommand::kCopy:
      if (!field.HasBlock()) return ShowNotice(e.app.ui, "No Block Marked");
      if (choice.command == EditorMenuCommand::kDelete) {
        DeleteBlock(field);
        e.model.modified = true;
      } else {
        ClipboardRequest(e, field, choice.command == EditorMenuCommand::kCut ? EditorRequest::kCut : EditorRequest::kCopy);
      }
      return;
    case EditorMenuCommand::kPaste: return ClipboardRequest(e, field, EditorRequest::kPaste);
    case EditorMenuCommand::kInsert:
      if (InsertText(field, choice.text) == EditOutcome::kChanged) e.model.modified = true;
      return;
  }
}

void JoinLinesWithProgress(Editor& e, EditorText& field) {
  Progress& progress = *e.app.db.progress;
  progress.ShowProgress("Deleting Carriage Returns", "", 0, 1);
  if (JoinTextLines(field) == EditOutcome::kChanged) e.model.modified = true;
  progress.ShowProgress("Deleting Carriage Returns", "", 1, 1);
  progress.CloseProgress();
}

void ApplyKey(Editor& e) {
  EditorText& field = e.model.Focused();
  const KeyResult result = ApplyEditorKey(field, e.app.ui.input);
  if (result.outcome == EditOutcome::kChanged) e.model.modified = true;
  switch (result.request) {
    case EditorRequest::kNone: break;
    case EditorRequest::kFull: ShowNotice(e.app.ui, "Text Buffer Is Full..."); break;
    case EditorRequest::kCopy:
    case EditorRequest::kCut:
    case EditorRequest::kPaste: ClipboardRequest(e, field, result.request); break;
    case EditorRequest::kContextMenu: ContextMenu(e); break;
    case EditorRequest::kNextField: FocusNextField(e.model); break;
    case EditorRequest::kJoinLines: JoinLinesWithProgress(e, field); break;
  }
}

// The field under the point, if any.
bool FieldAt(const Editor& e, int x, int y, EditorFocus& which) {
  const int fields = e.model.textRecord ? 2 : 3;
  for (int f = 0; f < fields; ++f) {
    if (!e.layout.hitAreas[f].Contains(x, y)) continue;
    which = static_cast<EditorFocus>(f);
    return true;
  }
  return false;
}

// A press in a field puts the cursor there; dragging marks a block from
// it, scrolling a line at a time while the pointer is above or below.
void PressInField(Editor& e, EditorFocus which) {
  Ui& ui = e.app.ui;
  e.model.focus = which;
  EditorText& field = e.model.Focused();
  int row = 0, column = 0;
  FieldPosition(e.layout, field, which, e.view, ui.input.mouseX, ui.input.mouseY, row, column);
  PlaceCursor(field, row, column);
  ScrollToCursor(field);
  const int rows = which == EditorFocus::kTitle ? 1 : e.layout.visibleRows;
  while ((ui.input.buttonBits & kLeftButton) && !ui.input.quitFlag) {
    e.Draw();
    ui.Show();
    ui.Pump(1);
    FieldPosition(e.layout, field, which, e.view, ui.input.mouseX, ui.input.mouseY, row, column);
    if (row < field.firstVisible) {
      field.firstVisible = std::max(field.firstVisible - 1, 0);
      row = field.firstVisible;
    } else if (row >= field.firstVisible + rows) {
      field.firstVisible = std::clamp(field.firstVisible + 1, 0, std::max(RowCount(field) - rows, 0));
      row = field.firstVisible + rows - 1;
    }
    ExtendBlockTo(field, row, column);
  }
}

void RightClickInField(Editor& e, EditorFocus which) {
  if (e.model.focus != which) ClearBlock(e.model.Focused());
  e.model.focus = which;
  ContextMenu(e);
}

// The checking pass over the title and texts as they stand in the editor;
// the fields' lines are cut again after a replacement.
void CheckEditorSpelling(Editor& e) {
  SpellDictionary dictionary;
  LoadDictionaryForPass(e.app, dictionary);
  SpellPass pass(dictionary);
  pass.AddText(e.model.title.text, e.model.title.maxLength - 1);
  pass.AddText(e.model.ingredients.text, e.model.ingredients.maxLength - 1);
  if (!e.model.textRecord) pass.AddText(e.model.directions.text, e.model.directions.maxLength - 1);
  CheckSpelling(e.app, pass, false);
  if (!pass.changed) return;
  e.model.modified = true;
  for (EditorText* field : {&e.model.title, &e.model.ingredients, &e.model.directions}) {
    field->cursor = std::min(field->cursor, field->Length());
    ClearBlock(*field);
    RebuildLines(*field);
    ScrollToCursor(*field);
  }
}

// Runs a side-bar button; Leaving::kStay unless it ends the editor.
Leaving RunButton(Editor& e, const std::string& caption) {
  App& app = e.app;
  if (caption == "Save") return Save(e) ? Leaving::kSaved : Leaving::kStay;
  if (caption == "Cancel") return ConfirmLeaving(e);
  if (caption == "Serves") {
    if (AskServingsChange(app.ui, app.db)) e.model.modified = true;
  } else if (caption == "Resize") {
    WriteBackToRecord(e.model, app.db);
    if (AskPermanentResize(app.ui, app.db, e.model.ingredients.table, e.layout.measure)) {
      ReloadIngredients(e.model, app.db);
      e.model.modified = true;
    }
  } else if (caption == "Spell Check") {
    CheckEditorSpelling(e);
  } else if (RunPhotoCommand(app, caption)) {
    e.model.modified = true;
    e.RefreshPhoto();
  }
  return Leaving::kStay;
}

bool IsTimerTick(const InputState& in) {
  return in.typedCharacter == 0 && in.keyCode == 0 && (in.buttonBits & (kLeftButton | kRightButton)) == 0 &&
         in.wheelStep == 0;
}

}  // namespace

bool EditRecord(App& app, bool unsaved) {
  Ui& ui = app.ui;
  const bool textRecord = GetU8(app.db.recordHeaderBuffer, header::kRecordKind) == kKindTextRecord;
  Editor e{app, EditorLayout(ui.canvas, textRecord), {}, {}};
  OpenInEditor(e.model, app.db, e.layout.wrap);
  e.model.modified = unsaved;
  e.view.showReturns = GetNumberSetting(app.settings, setting::kEditorShowReturns) != 0;
  e.RefreshPhoto();
  ui.platform.StartCaretTimer(kCaretPeriodMs);

  Leaving leaving = Leaving::kStay;
  while (leaving == Leaving::kStay) {
    e.Draw();
    const int tab = ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) {
      leaving = ConfirmQuit(e);
      continue;
    }
    // A tab picked with the mouse leaves the editor; typed letters are text.
    if (tab >= 0 && (in.buttonBits & kLeftButton)) {
      leaving = ConfirmLeaving(e);
      if (leaving != Leaving::kStay) app.requestedScreen = tab;
      continue;
    }
    if (IsTimerTick(in)) {
      e.view.caretShown = !e.view.caretShown;
      continue;
    }
    // Any key or click shows the caret at once.
    e.view.caretShown = true;
    ui.platform.StartCaretTimer(kCaretPeriodMs);

    bool ran = false;
    for (size_t b = 0; b < e.layout.buttons.size() && !ran; ++b) {
      if ((in.buttonBits & kLeftButton) && ButtonActivated(ui, e.layout.captions[b], e.layout.buttons[b], 0)) {
        leaving = RunButton(e, e.layout.captions[b]);
        ran = true;
      }
    }
    if (ran) continue;
    EditorFocus which = EditorFocus::kTitle;
    if (in.buttonBits & kLeftButton) {
      const Rect& box = e.layout.showReturnsBox;
      if (Rect{box.x - 4, box.y - 4, 100, box.height + 8}.Contains(in.mouseX, in.mouseY)) {
        e.view.showReturns = !e.view.showReturns;
      } else if (FieldAt(e, in.mouseX, in.mouseY, which)) {
        PressInField(e, which);
      }
    } else if (in.buttonBits & kRightButton) {
      if (FieldAt(e, in.mouseX, in.mouseY, which)) RightClickInField(e, which);
    } else if (in.wheelStep != 0) {
      EditorText& field = FieldAt(e, in.mouseX, in.mouseY, which) ? e.model.Field(which) : e.model.Focused();
      const int rows = e.layout.visibleRows;
      field.firstVisible = std::clamp(field.firstVisible - in.wheelStep, 0, std::max(RowCount(field) - rows, 0));
      in.wheelStep = 0;
    } else {
      ApplyKey(e);
    }
  }
  ui.platform.StopCaretTimer();
  PutNumberSetting(app.settings, setting::kEditorShowReturns, e.view.showReturns ? 1 : 0);
  return leaving == Leaving::kSaved;
}

}  // namespace tovalia
