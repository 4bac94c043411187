#include "spell/spell_check_screen.h"

#include <algorithm>
#include <vector>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "spell/spell_entry_form.h"
#include "spell/spell_list.h"
#include "spell/spell_suggestions.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/fitted_text.h"
#include "ui/list_panel.h"
#include "ui/message_box.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kRowHeight = 22;
constexpr int kBoxWidth = 720;
constexpr int kBoxHeight = 500;
constexpr int kLineCharacters = 80;
constexpr int32_t kTitleCapacity = 255;
constexpr int32_t kTextCapacity = 64990;
const char* const kButtons[] = {"Add", "Edit", "Delete", "Replace", "Next", "Quit"};

struct Layout {
  Rect box, line, misspelled, dictionaryWord, replaceWith, suggestions, list;
  std::vector<Rect> buttons;
};

Layout MakeLayout(const Ui& ui) {
  Layout l;
  const int width = std::min(kBoxWidth, ui.canvas.Width() - 40);
  const int height = std::min(kBoxHeight, ui.canvas.Height() - 80);
  l.box = CentredBox(ui, width, height);
  const int left = l.box.x + 20;
  const int inner = l.box.width - 40;
  l.line = {left, l.box.y + 52, inner, 30};
  const int column = (inner - 20) / 2;
  const int top = l.line.y + l.line.height + 30;
  l.misspelled = {left, top, column, 26};
  l.dictionaryWord = {left, top + 54, column, 26};
  l.replaceWith = {left, top + 108, column, 26};
  const int suggestionsTop = top + 160;
  const int bottom = l.box.y + l.box.height - 50;
  l.suggestions = {left, suggestionsTop, column, std::max(kRowHeight, (bottom - suggestionsTop - 4) / kRowHeight * kRowHeight)};
  l.list = {left + column + 20, top, inner - column - 20, kSpellListRows * kRowHeight};
  const int slot = std::min(90, inner / 6);
  const int buttonsLeft = l.box.x + (l.box.width - slot * 6) / 2;
  for (int b = 0; b < 6; ++b) l.buttons.push_back({buttonsLeft + slot * b + 5, l.box.y + l.box.height - 40, slot - 10, 25});
  return l;
}

struct Checker {
  App& app;
  SpellPass& pass;
  Layout layout;
  std::vector<std::string> suggestions;
  std::string suggestionsFor;  // the word the suggestions were made for

  SpellDictionary& Dictionary() { return pass.dictionary; }
  void RefreshSuggestions() {
    const std::string word = pass.CurrentWord();
    if (word == suggestionsFor) return;
    suggestionsFor = word;
    suggestions = word.empty() ? std::vector<std::string>{} : SuggestSpellings(Dictionary(), word);
  }
};

void DrawLabelledBox(Canvas& canvas, const Rect& r, const std::string& label, const std::string& text, bool accent) {
  canvas.SetFont({FontFamily::kSans, 12, true});
  canvas.DrawText(r.x, r.y - 18, label, theme::kMutedInk);
  canvas.FillRoundedRect(r, 3, 0xFFFFFF);
  canvas.StrokeRect(r, accent ? theme::kAccent : theme::kButtonEdge, 1, 3);
  DrawFittedLine(canvas, {r.x + 8, r.y, r.width - 16, r.height}, text, theme::BodyFont(), 11, theme::kInk);
}

void DrawContextLine(Canvas& canvas, const Rect& r, const SpellPass& pass) {
  canvas.FillRoundedRect(r, 3, 0xFFFFFF);
  canvas.StrokeRect(r, theme::kButtonEdge, 1, 3);
  canvas.SetFont(theme::BodyFont());
  if (!pass.HasWord()) {
    canvas.DrawTextCentred(r, "No More Misspelled Words...", theme::kAccent);
    return;
  }
  const WordInLine shown = CurrentWordInLine(pass, kLineCharacters);
  const std::string before = Cp1252ToUtf8(shown.line.substr(0, static_cast<size_t>(shown.wordStart)));
  const std::string word =
      Cp1252ToUtf8(shown.line.substr(static_cast<size_t>(shown.wordStart), static_cast<size_t>(shown.wordLength)));
  const std::string after = Cp1252ToUtf8(shown.line.substr(static_cast<size_t>(shown.wordStart + shown.wordLength)));
  canvas.PushClip({r.x + 4, r.y, r.width - 8, r.height});
  // The word stays in view: a line too wide starts further left.
  const int wordX = canvas.TextWidth(before);
  const int wordWidth = canvas.TextWidth(word);
  const int shift = std::max(0, wordX + wordWidth - (r.width - 20));
  int x = r.x + 8 - shift;
  const int y = r.y + (r.height - canvas.LineHeight()) / 2;
  x += canvas.DrawText(x, y, before, theme::kInk);
  canvas.FillRect({x - 1, r.y + 4, wordWidth + 2, r.height - 8}, theme::kSelection);
  x += canvas.DrawText(x, y, word, theme::kAccent);
  canvas.DrawText(x, y, after, theme::kInk);
  canvas.PopClip();
}

void Draw(Checker& c) {
  Ui& ui = c.app.ui;
  Canvas& canvas = ui.canvas;
  const Layout& l = c.layout;
  SpellDictionary& d = c.Dictionary();
  DrawBox(ui, l.box);
  canvas.SetFont({FontFamily::kSans, 17, true});
  canvas.DrawTextCentred({l.box.x, l.box.y + 14, l.box.width, 26}, "Check Spelling", theme::kInk);
  DrawContextLine(canvas, l.line, c.pass);
  const std::string misspelled = Cp1252ToUtf8(c.pass.CurrentWord());
  DrawLabelledBox(canvas, l.misspelled, "Misspelled Word", misspelled, true);
  canvas.RecordButton(l.misspelled, "");
  const std::string_view word = d.Word(d.current);
  const std::string_view replacement = d.Replacement(d.current);
  DrawLabelledBox(canvas, l.dictionaryWord, "Dictionary Word", Cp1252ToUtf8(word), false);
  DrawLabelledBox(canvas, l.replaceWith, "Replace With", Cp1252ToUtf8(replacement.empty() ? word : replacement), false);

  // Likely corrections, to pick with a click.
  c.RefreshSuggestions();
  const Rect& s = l.suggestions;
  canvas.SetFont({FontFamily::kSans, 12, true});
  canvas.DrawText(s.x, s.y - 18, "Suggestions", theme::kMutedInk);
  canvas.FillRoundedRect(s, 3, 0xFFFFFF);
  canvas.StrokeRect(s, theme::kButtonEdge, 1, 3);
  const int suggestionRows = s.height / kRowHeight;
  for (int i = 0; i < static_cast<int>(c.suggestions.size()) && i < suggestionRows; ++i)
    DrawFittedLine(canvas, {s.x + 8, s.y + i * kRowHeight, s.width - 16, kRowHeight},
                   Cp1252ToUtf8(c.suggestions[static_cast<size_t>(i)]), theme::BodyFont(), 11, theme::kInk);
  if (c.pass.HasWord() && c.suggestions.empty())
    DrawFittedLine(canvas, {s.x + 8, s.y, s.width - 16, kRowHeight}, "(none near)", theme::BodyFont(), 11,
                   theme::kMutedInk);
  canvas.RecordButton(s, "");

  // The dictionary list.
  const Rect& list = l.list;
  canvas.SetFont({FontFamily::kSans, 12, true});
  canvas.DrawText(list.x, list.y - 18, "Dictionary", theme::kMutedInk);
  const std::string count = std::to_string(d.Count()) + " words";
  canvas.DrawText(list.x + list.width - canvas.TextWidth(count), list.y - 18, count, theme::kMutedInk);
  canvas.FillRoundedRect(list, 3, 0xFFFFFF);
  canvas.StrokeRect(list, theme::kButtonEdge, 1, 3);
  for (int row = 0; row < kSpellListRows; ++row) {
    const int32_t entry = d.listTop + row;
    if (entry >= d.Count()) break;
    const Rect r{list.x + 1, list.y + row * kRowHeight, list.width - 2, kRowHeight};
    if (entry == d.current) canvas.FillRect(r, theme::kSelection);
    std::string text = Cp1252ToUtf8(d.Word(entry));
    if (!d.Replacement(entry).empty()) text += "  \xE2\x86\x92 " + Cp1252ToUtf8(d.Replacement(entry));
    DrawFittedLine(canvas, {r.x + 8, r.y, r.width - 16, kRowHeight}, text, theme::BodyFont(), 11, theme::kInk);
  }
  DrawScrollThumb(canvas, list, d.listTop, kSpellListRows, d.Count());
  canvas.RecordButton(list, "");
  for (size_t b = 0; b < l.buttons.size(); ++b) DrawButton(ui, l.buttons[b], kButtons[b]);
}

void ReportSave(Ui& ui, SpellSaveResult result) {
  switch (result) {
    case SpellSaveResult::kSaved: return;
    case SpellSaveResult::kTooLong: return ShowNotice(ui, "The word and its replacement are too long|for the dictionary");
    case SpellSaveResult::kDamaged: return ShowNotice(ui, DamagedDictionaryMessage());
    case SpellSaveResult::kWriteFailed: return ShowNotice(ui, "The spell check dictionary could not be saved?");
  }
}

void Replace(Checker& c, const std::string& text) {
  if (!c.pass.HasWord()) return;
  if (text.empty() && c.Dictionary().current < 0) return;
  if (!ReplaceCurrentWord(c.pass, text)) ShowNotice(c.app.ui, "Text Buffer Is Full...");
}

void EditWord(Checker& c) {
  if (!c.pass.HasWord()) return;
  Ui& ui = c.app.ui;
  ui.fieldValues[0] = c.pass.CurrentWord();
  int answer = 2;
  ShowMessage(ui, "Edit Word|(word will not be added to dictionary)", "", 1, "OK|Cancel", 130, answer);
  const std::string typed = TrimBlanks(ui.fieldValues[0]);
  if (answer == 1 && !typed.empty() && !ReplaceCurrentWord(c.pass, typed)) ShowNotice(ui, "Text Buffer Is Full...");
}

void AddWord(Checker& c) {
  if (!c.pass.HasWord()) return;
  std::string word = LowerCase(TrimBlanks(c.pass.CurrentWord()));
  std::string replacement;
  if (EditSpellEntryDialog(c.app.ui, "Add Word to Spell Check Dictionary", word, replacement)) return;
  ReportSave(c.app.ui, SaveSpellEntry(c.Dictionary(), SpellSaveMode::kAdd, word, replacement));
}

void EditEntry(Checker& c) {
  SpellDictionary& d = c.Dictionary();
  if (d.current < 0) return;
  std::string word(d.Word(d.current));
  std::string replacement(d.Replacement(d.current));
  if (EditSpellEntryDialog(c.app.ui, "Edit Dictionary Word", word, replacement)) return;
  ReportSave(c.app.ui, SaveSpellEntry(d, SpellSaveMode::kReplaceCurrent, word, replacement));
}

void DeleteEntry(Checker& c) {
  SpellDictionary& d = c.Dictionary();
  if (d.current < 0) return;
  const std::string word(d.Word(d.current));
  int answer = 2;
  ShowMessage(c.app.ui, "Are you sure you want to delete|" + word + "|from the spell check dictionary?", "", 1,
              "OK|Cancel", 0, answer);
  if (answer == 1) ReportSave(c.app.ui, SaveSpellEntry(d, SpellSaveMode::kDeleteCurrent, word, ""));
}

// Keys, the wheel and clicks outside the buttons.
void HandleListAndKeys(Checker& c) {
  InputState& in = c.app.ui.input;
  SpellDictionary& d = c.Dictionary();
  const Layout& l = c.layout;
  switch (in.keyCode) {
    case key::kUp: MoveInSpellList(d, SpellListMove::kUp); return;
    case key::kDown: MoveInSpellList(d, SpellListMove::kDown); return;
    case key::kHome: MoveInSpellList(d, SpellListMove::kHome); return;
    case key::kEnd: MoveInSpellList(d, SpellListMove::kEnd); return;
    case key::kPageUp: MoveInSpellList(d, SpellListMove::kPageUp); return;
    case key::kPageDown: MoveInSpellList(d, SpellListMove::kPageDown); return;
    case key::kDelete: DeleteEntry(c); return;
    default: break;
  }
  if (in.typedCharacter == typed::kEnter) return Replace(c, "");
  if (in.typedCharacter == 'w' || in.typedCharacter == 'W') return EditWord(c);
  if (in.wheelStep != 0) {
    ScrollSpellList(d, in.wheelStep);
    in.wheelStep = 0;
    return;
  }
  if (!(in.buttonBits & kLeftButton)) return;
  if (l.misspelled.Contains(in.mouseX, in.mouseY)) return EditWord(c);
  if (l.list.Contains(in.mouseX, in.mouseY)) {
    const int32_t entry = d.listTop + (in.mouseY - l.list.y) / kRowHeight;
    if (entry >= d.Count()) return;
    if (entry == d.current) return Replace(c, "");
    d.current = entry;
    return;
  }
  if (l.suggestions.Contains(in.mouseX, in.mouseY)) {
    const size_t row = static_cast<size_t>((in.mouseY - l.suggestions.y) / kRowHeight);
    if (row < c.suggestions.size()) Replace(c, c.suggestions[row]);
  }
}

}  // namespace

bool EditSpellEntryDialog(Ui& ui, const std::string& caption, std::string& word, std::string& replacement) {
  std::string errorLine;
  while (true) {
    ui.fieldValues[0] = word;
    ui.fieldValues[1] = replacement;
    int answer = 2;
    ShowMessage(ui, caption + errorLine, "Watch For|Replace With", 1, "Save|Cancel", 130, answer);
    if (ui.input.quitFlag || answer != 1) return true;
    word = ui.fieldValues[0];
    replacement = ui.fieldValues[1];
    errorLine = TidySpellEntry(word, replacement);
    if (errorLine.empty()) return false;
  }
}

void LoadDictionaryForPass(App& app, SpellDictionary& dictionary) {
  if (LoadSpellDictionary(dictionary, app.db.paths.spellFile) == DictionaryState::kDamaged)
    ShowNotice(app.ui, DamagedDictionaryMessage());
}

void CheckSpelling(App& app, SpellPass& pass, bool quiet) {
  Ui& ui = app.ui;
  app.spellCheckQuit = false;
  const bool found = NextMisspelledWord(pass);
  if (quiet && !found) {
    ResetSpellPass(pass);
    return;
  }
  ui.platform.ShowMainWindow();
  const PointerFollowing still(ui, false);
  Checker c{app, pass, MakeLayout(ui), {}, {}};
  c.suggestionsFor = "\x01";
  const SavedArea saved = OpenBox(ui, c.layout.box);
  while (!ui.input.quitFlag) {
    if (quiet && pass.finished) break;
    Draw(c);
    ShowAndWait(ui);
    if (ui.input.quitFlag) break;
    std::string chosen;
    for (size_t b = 0; b < c.layout.buttons.size() && chosen.empty(); ++b)
      if (ButtonActivated(ui, kButtons[b], c.layout.buttons[b], 1)) chosen = kButtons[b];
    if (chosen == "Quit") {
      app.spellCheckQuit = true;
      break;
    }
    if (chosen == "Next") {
      NextMisspelledWord(pass);
    } else if (chosen == "Replace") {
      Replace(c, "");
    } else if (chosen == "Add") {
      AddWord(c);
    } else if (chosen == "Edit") {
      EditEntry(c);
    } else if (chosen == "Delete") {
      DeleteEntry(c);
    } else {
      HandleListAndKeys(c);
    }
  }
  CloseBox(ui, saved);
  ResetSpellPass(pass);
}

bool CheckRecordSpelling(App& app, SpellDictionary& dictionary, bool quiet) {
  Database& db = app.db;
  const ByteBuffer& h = db.recordHeaderBuffer;
  const bool textRecord = GetU8(h, header::kRecordKind) == kKindTextRecord;
  auto text = [](const ByteBuffer& buffer, int32_t length) {
    if (length <= 0 || !buffer.Holds(0, length)) return std::string();
    return std::string(reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(length));
  };
  std::string title = text(db.titleBuffer, GetU8(h, header::kTitleLength));
  std::string ingredients = text(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength));
  std::string directions = textRecord ? std::string() : text(db.directionsBuffer, GetI32(h, header::kDirectionsLength));
  SpellPass pass(dictionary);
  pass.AddText(title, kTitleCapacity);
  pass.AddText(ingredients, kTextCapacity);
  if (!textRecord) pass.AddText(directions, kTextCapacity);
  CheckSpelling(app, pass, quiet);
  if (!pass.changed) return false;
  SetCurrentTitle(db, title);
  SetCurrentIngredients(db, ingredients);
  if (!textRecord) SetCurrentDirections(db, directions);
  return true;
}

}  // namespace tovalia
