#include "interchange/export_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/product.h"
#include "db/record_operations.h"
#include "interchange/export_run.h"
#include "platform/program_folder.h"
#include "ui/choice_list.h"
#include "ui/file_chooser.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

constexpr char kFormats[] =
    "Tovalia (with photos)|Tovalia (Text Only)|Meal-Master|Mastercook|XML|Recipe Index (Titles Only)";
constexpr int kToFile = 0, kToClipboard = 1, kToEmail = 2, kCancel = 3;

// The recipes the command acts on, or an empty list after saying why.
std::vector<int32_t> ChosenEntries(App& app, ExportFrom from) {
  const Database& db = app.db;
  if (db.recipeList.empty()) {
    ShowNotice(app.ui, "There are no recipes in this chapter");
    return {};
  }
  std::vector<int32_t> entries;
  if (from == ExportFrom::kRecipeScreen) {
    entries.push_back(db.recipeList[static_cast<size_t>(db.listPosition)]);
  } else {
    for (int32_t item : TickedItems(db)) entries.push_back(db.recipeList[static_cast<size_t>(item)]);
    if (entries.empty()) ShowNotice(app.ui, "No recipes have been selected!");
  }
  return entries;
}

// Before the first export: the home folder, since the program's own folder
// is seldom the user's to write in on this system.
std::string DefaultExportFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home && FileExists(home)) return std::string(home) + (std::string(home).back() == '/' ? "" : "/");
  return ProgramFolder();
}

// The file to write, asked for through the file chooser; empty when the
// user gave up.
std::string ChooseExportFile(App& app) {
  std::string folder = GetTextSetting(app.settings, setting::kExportFolder);
  if (folder.empty() || !FileExists(folder)) folder = DefaultExportFolder();
  std::string name;
  int result = 0;
  ChooseFile(app.ui, "Export Recipes", kChooserPlain, folder, name, result);
  if (result != 1) return {};
  name = TrimBlanks(name);
  if (name.empty()) {
    ShowNotice(app.ui, "You must enter a filename");
    return {};
  }
  name = ExportFileName(name);
  const std::string path = folder + name;
  if (FileExists(path)) {
    int answer = 0;
    ShowMessage(app.ui, Utf8ToCp1252(name) + "|Already Exists!|Do you want to overwrite it?", "", 1, "OK|Cancel",
                0, answer);
    if (answer != 1) return {};
  }
  PutTextSetting(app.settings, setting::kExportFolder, folder);
  return path;
}

void ReportUnreadable(App& app, const ExportReport& report) {
  if (report.unreadable.empty()) return;
  const size_t n = report.unreadable.size();
  ShowNotice(app.ui, std::to_string(n) + (n == 1 ? " recipe" : " recipes") +
                         " could not be read|and " + (n == 1 ? "was" : "were") + " left out of the export.");
}

void ExportToFile(App& app, const std::vector<int32_t>& entries, ExportFormat format) {
  const std::string path = ChooseExportFile(app);
  if (path.empty()) return;
  FileSink file(path);
  const std::string shownName = Utf8ToCp1252(path.substr(path.find_last_of('/') + 1));
  if (!file.IsOpen()) return ShowNotice(app.ui, "Unable to create the file|" + shownName);
  const ExportReport report = ExportRecipes(app.db, entries, format, file);
  if (report.outputFailed || !file.Commit())
    return ShowNotice(app.ui, "The recipes could not be written to|" + shownName + "||Nothing was changed there.");
  ReportUnreadable(app, report);
}

void ExportToClipboardOrEmail(App& app, const std::vector<int32_t>& entries, ExportFormat format, int to) {
  TextSink text;
  const ExportReport report = ExportRecipes(app.db, entries, format, text);
  if (to == kToClipboard) {
    if (!app.ui.platform.SetClipboardText(text.text)) {
      ShowNotice(app.ui, std::string(kProductName) +
                             " was unable to put the recipes on the clipboard.||Please export to a File instead.");
      return;
    }
  } else if (!app.ui.platform.SendEmail("", "A recipe for you", text.text)) {
    ShowNotice(app.ui, std::string(kProductName) +
                           " was unable to open your email program.||Please export to the Clipboard instead.|"
                           "Then start a new email in your email program,|"
                           "and paste the recipe into your message.");
    return;
  }
  ReportUnreadable(app, report);
}

}  // namespace

std::string ExportFileName(const std::string& typed) {
  return typed.find('.') == std::string::npos ? typed + ".txt" : typed;
}

void RunExportCommand(App& app, ExportFrom from) {
  const std::vector<int32_t> entries = ChosenEntries(app, from);
  if (entries.empty()) return;
  int selection = std::clamp(GetNumberSetting(app.settings, setting::kExportFormat), 0, kExportFormatCount - 1);
  int to = kCancel;
  ChooseFromList(app.ui, "Select Export Format", kFormats, "File|Clipboard|Email|Cancel", to, selection);
  if (to == kCancel) return;
  PutNumberSetting(app.settings, setting::kExportFormat, selection);
  const auto format = static_cast<ExportFormat>(selection);
  if (to == kToFile) {
    ExportToFile(app, entries, format);
  } else {
    ExportToClipboardOrEmail(app, entries, format, to);
  }
}

}  // namespace tovalia
