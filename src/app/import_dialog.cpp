#include "app/import_dialog.h"

#include <algorithm>
#include <array>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "interchange/import_command.h"
#include "interchange/manual_import_screen.h"
#include "platform/program_folder.h"
#include "spell/spell_check_screen.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/choice_list.h"
#include "ui/event_wait.h"
#include "ui/file_chooser.h"
#include "ui/message_box.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

const char* const kWays[] = {"Automatic Import", "Manual Import", "Import As Information Record"};
const char* const kOptions[] = {"Automatically sort by category", "Spell check while importing"};
constexpr char kChapterQuestion[] = "Import Into Which Chapter?";
constexpr char kByCategoryEntry[] = "Chapters named by the recipes' categories";

// The "Verify Import Format" dialog. Returns false when cancelled.
bool VerifyImportFormat(App& app, ImportWay& way, std::array<bool, 2>& options) {
  Ui& ui = app.ui;
  const PointerFollowing still(ui, false);
  Canvas& canvas = ui.canvas;
  const Rect box = CentredBox(ui, 420, 280);  // the buttons 24 pixels below the last option
  std::array<Rect, 3> choices;
  for (size_t i = 0; i < choices.size(); ++i)
    choices[i] = {box.x + 40, box.y + 56 + static_cast<int>(i) * 30, box.width - 80, 26};
  std::array<Rect, 2> checks;
  for (size_t i = 0; i < checks.size(); ++i)
    checks[i] = {box.x + 40, box.y + 160 + static_cast<int>(i) * 28, box.width - 80, 24};
  const Rect ok{box.x + box.width / 2 - 84, box.y + box.height - 44, 80, 27};
  const Rect cancel{box.x + box.width / 2 + 4, box.y + box.height - 44, 80, 27};
  int chosen = static_cast<int>(way);
  int outcome = 0;
  const SavedArea saved = OpenBox(ui, box);
  while (outcome == 0) {
    DrawBox(ui, box);
    canvas.SetFont({FontFamily::kSans, 18, true});
    canvas.DrawTextCentred({box.x, box.y + 14, box.width, 26}, "Verify Import Format", theme::kInk);
    for (size_t i = 0; i < choices.size(); ++i) {
      const Rect& r = choices[i];
      const bool on = static_cast<int>(i) == chosen;
      if (on) canvas.FillRoundedRect(r, 5, theme::kSelection);
      canvas.FillRoundedRect({r.x + 8, r.y + 6, 14, 14}, 7, on ? theme::kAccent : 0xFFFFFF);
      canvas.StrokeRect({r.x + 8, r.y + 6, 14, 14}, on ? theme::kAccent : theme::kButtonEdge, 1, 7);
      if (on) canvas.FillRoundedRect({r.x + 12, r.y + 10, 6, 6}, 3, 0xFFFFFF);
      canvas.SetFont({FontFamily::kSans, 15, on});
      canvas.DrawText(r.x + 32, r.y + 4, kWays[i], theme::kInk);
      canvas.RecordButton(r, kWays[i]);
    }
    for (size_t i = 0; i < checks.size(); ++i) {
      const Rect& r = checks[i];
      Rect tick{r.x + 8, r.y + 5, 14, 14};
      canvas.FillRoundedRect(tick, 3, options[i] ? theme::kAccent : 0xFFFFFF);
      canvas.StrokeRect(tick, options[i] ? theme::kAccent : theme::kButtonEdge, 1, 3);
      if (options[i]) {
        canvas.DrawLine(tick.x + 3, tick.y + 7, tick.x + 6, tick.y + 10, 0xFFFFFF, 2);
        canvas.DrawLine(tick.x + 6, tick.y + 10, tick.x + 11, tick.y + 3, 0xFFFFFF, 2);
      }
      canvas.SetFont({FontFamily::kSans, 14, false});
      canvas.DrawText(r.x + 32, r.y + 3, kOptions[i], theme::kInk);
      canvas.RecordButton(r, kOptions[i]);
    }
    DrawButton(ui, ok, "OK");
    DrawButton(ui, cancel, "Cancel");
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    if (ButtonActivated(ui, "OK", ok, 0)) outcome = 1;
    else if (ButtonActivated(ui, "Cancel", cancel, 0)) outcome = -1;
    if (outcome != 0) break;
    if (in.buttonBits & kLeftButton) {
      for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i].Contains(in.mouseX, in.mouseY)) chosen = static_cast<int>(i);
      for (size_t i = 0; i < checks.size(); ++i)
        if (checks[i].Contains(in.mouseX, in.mouseY)) options[i] = !options[i];
    }
    const int letter = UpperCaseByte(static_cast<uint8_t>(in.typedCharacter));
    if (letter == 'A') options[0] = !options[0];
    if (letter == 'S') options[1] = !options[1];
    switch (in.keyCode) {
      case key::kUp: case key::kPageUp: case key::kHome:
        chosen = in.keyCode == key::kUp ? std::max(chosen - 1, 0) : 0;
        break;
      case key::kDown: case key::kPageDown: case key::kEnd:
        chosen = in.keyCode == key::kDown ? std::min(chosen + 1, 2) : 2;
        break;
      default:
        break;
    }
  }
  CloseBox(ui, saved);
  way = static_cast<ImportWay>(chosen);
  return outcome == 1;
}

}  // namespace

namespace {

// Checks the source, asks how to import it and imports it, with the
// messages of the outcome. folder is remembered as the import folder for a
// file; sortPreset ticks "Automatically sort by category" at first.
bool ImportSource(App& app, const ImportRequest& chosen, const std::string& folder, bool sortPreset) {
  ImportRequest request = chosen;
  bool imported = false;
  if (std::string refusal = CheckImportSource(request.sourcePath, request.fromClipboard); !refusal.empty()) {
    ShowNotice(app.ui, refusal);
    return false;
  }
  if (!request.fromClipboard) PutTextSetting(app.settings, setting::kImportFolder, folder);
  std::array<bool, 2> options = {sortPreset || GetNumberSetting(app.settings, setting::kSortImportByCategory) == 1,
                                 GetNumberSetting(app.settings, setting::kSpellCheckImport) == 1};
  ImportWay way = ImportWay::kAutomatic;
  if (VerifyImportFormat(app, way, options)) {
    request.way = way;
    request.sortByCategory = options[0];
    // The spell check of each imported record, until the user quits it;
    // one dictionary serves the whole import.
    SpellDictionary dictionary;
    if (options[1]) {
      app.spellCheckQuit = false;
      LoadDictionaryForPass(app, dictionary);
      request.checkRecord = [&app, &dictionary](Database&) {
        if (!app.spellCheckQuit) CheckRecordSpelling(app, dictionary, true);
      };
    }
    const TitlePrompt askForTitle = [&app] {
      int answer = 0;
      ShowMessage(app.ui, "All Records must have a title.|Please enter a title for this recipe", "", 1,
                  "OK", 50, answer);
      return app.ui.fieldValues[0];
    };
    ImportOutcome outcome = RunImport(app.db, request, askForTitle);
    if (outcome.turnToManual) {
      // The recipes are marked by hand: chosen so, or nothing was recognised.
      if (!outcome.nothingStored.empty()) ShowNotice(app.ui, outcome.nothingStored);
      outcome.result = ManualImport(app, request.sourcePath, ImportOptionsFor(app.db, request), askForTitle);
      outcome.nothingStored.clear();
      ShowImportedChapter(app.db, outcome.result);
    }
    if (!outcome.refusal.empty()) ShowNotice(app.ui, outcome.refusal);
    if (outcome.truncated) ShowNotice(app.ui, "File has been truncated to 999 lines");
    for (const std::string& line : ImportSummary(outcome)) ShowNotice(app.ui, line);
    if (outcome.refusal.empty() && !outcome.nothingStored.empty()) ShowNotice(app.ui, outcome.nothingStored);
    imported = outcome.result.stored > 0;
  }
  PutNumberSetting(app.settings, setting::kSortImportByCategory, options[0] ? 1 : 0);
  PutNumberSetting(app.settings, setting::kSpellCheckImport, options[1] ? 1 : 0);
  return imported;
}

}  // namespace

bool RunImportCommand(App& app) {
  std::string folder = GetTextSetting(app.settings, setting::kImportFolder);
  if (folder.empty()) folder = DefaultFileFolder();
  std::string name;
  int result = 0;
  ChooseFile(app.ui, "Import Recipes", kChooserWithClipboard, folder, name, result);
  if (result == 0) return false;

  ImportRequest request;
  if (result == 2) {
    const std::string text = app.ui.platform.ClipboardText();
    if (text.empty()) {
      ShowNotice(app.ui, "No text on the clipboard!");
      return false;
    }
    // The clipboard's text is read like a file, with DOS line ends; written
    // as UTF-8, it reads back exactly, whatever its characters.
    std::string crlf;
    for (char c : text) crlf += c == '\r' ? std::string("\r\n") : std::string(1, c);
    crlf = Cp1252ToUtf8(crlf);
    request.sourcePath = app.db.paths.tempFile;
    request.fromClipboard = true;
    ReplaceFileContents(request.sourcePath, crlf.data(), crlf.size());
  } else {
    request.sourcePath = folder + name;
  }
  const bool imported = ImportSource(app, request, folder, false);
  DeleteDataFile(app.db.paths.tempFile);
  return imported;
}

bool ImportOpenedFile(App& app, const std::string& path) {
  ImportRequest request;
  request.sourcePath = path;
  if (std::string refusal = CheckImportSource(path, false); !refusal.empty()) {
    ShowNotice(app.ui, refusal);
    return false;
  }
  bool byCategory = false;
  Database& db = app.db;
  const size_t row = static_cast<size_t>(db.currentChapterRow);
  if (row >= db.chapterTable.size() || db.chapterTable[row].number < 0) {
    // The window opens on a reserved view: the recipes need a chapter.
    std::string entries = kByCategoryEntry;
    for (size_t r = kReservedChapterRows; r < db.chapterTable.size(); ++r) {
      std::string name = db.chapterTable[r].name;
      std::replace(name.begin(), name.end(), '|', '/');
      entries += "|" + name;
    }
    int result = 1, selection = 0;
    ChooseFromList(app.ui, kChapterQuestion, entries, "OK|Cancel", result, selection);
    if (result != 0 || app.ui.input.quitFlag) return false;
    if (selection == 0) {
      byCategory = true;
    } else {
      db.currentChapterRow = static_cast<int32_t>(kReservedChapterRows) + selection - 1;
      db.listPosition = 0;
      db.firstVisibleTitle = 0;
      BuildCurrentList(db);
      SelectOnly(db, 0);
    }
  }
  const size_t slash = path.find_last_of('/');
  return ImportSource(app, request, slash == std::string::npos ? DefaultFileFolder() : path.substr(0, slash + 1),
                      byCategory);
}

}  // namespace tovalia
