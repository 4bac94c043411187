#include "grocery/grocery_screen_list.h"

#include "db/data_file.h"
#include "grocery/grocery_edits.h"
#include "grocery/grocery_export.h"
#include "grocery/grocery_screen_forms.h"
#include "output/list_print_job.h"
#include "output/list_print_screen.h"
#include "output/print_destination.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "ui/choice_list.h"
#include "ui/file_chooser.h"
#include "ui/message_box.h"
#include "ui/text_split.h"

namespace tovalia {

namespace {

constexpr char kNewListQuestion[] =
    "Are you sure you want|to start a new grocery list?||Defaults: Set all quantities to default value|"
    "Zero: Clears all item quantities|One: Sets all quantities to one";
constexpr char kNothingSelected[] = "No items have been selected|for the grocery list?";

// Back to the shopping list from its first row.
void ShowSelectedItems(GroceryCatalogue& c) {
  BuildGroceryView(c, kSelectedItemsMode);
  c.currentRow = 0;
  c.topRow = 0;
}

// Prints the shopping list with the accepted settings, and the meal list
// after it when they ask for that.
void PrintList(App& app, const ByteBuffer& record) {
  std::string path;
  if (!AskWherePdfGoes(app, record, "Grocery List.pdf", path)) return;
  const LocalDate today = Today();
  MealSection meals;
  if (MealListAfterGroceries(record)) {
    if (!MealsForGroceryList(app.meals, today, meals.lines))
      return ShowNotice(app.ui, "The meal calendar|" + OneItem(app.meals.path, 70) + "|cannot be read.");
    meals.record = NewPrintRecord();
    LoadPrintRecord(app.settings, kMealListLayout, meals.record, *app.printers);
  }
  const PrintReport report = PrintGroceryList(app.grocery, record, today, meals, *app.printers, path, *app.db.progress);
  if (!report.done) ShowNotice(app.ui, report.error);
}

}  // namespace

void NewListCommand(App& app) {
  int answer = 0;
  ShowMessage(app.ui, kNewListQuestion, "", 1, "Defaults|Zero|One|Cancel", 0, answer);
  static const NewListChoice kChoices[] = {NewListChoice::kDefaults, NewListChoice::kZero, NewListChoice::kOne};
  if (answer >= 1 && answer <= 3) {
    ReportGroceryWrite(app, StartNewList(app.grocery, kChoices[answer - 1]));
  } else {
    ShowSelectedItems(app.grocery);
  }
}

void PrintListCommand(App& app) {
  GroceryCatalogue& c = app.grocery;
  BuildGroceryView(c, kSelectedItemsMode);
  if (c.view.empty()) {
    ShowNotice(app.ui, kNothingSelected);
  } else {
    ByteBuffer record;
    if (ListPrintSetup(app, kGroceryListTitle, kGroceryListLayout, record) == 1) PrintList(app, record);
  }
  ShowSelectedItems(c);
}

void ExportListCommand(App& app) {
  Ui& ui = app.ui;
  int result = 1, format = 0;
  ChooseFromList(ui, "Select Grocery Export Format", kGroceryExportChoices, "OK|Cancel", result, format);
  if (result != 0) return;

  std::string folder = GetTextSetting(app.settings, setting::kExportFolder);
  if (folder.empty()) folder = app.db.paths.dataFolder;
  std::string fileName = "Grocery List" + GroceryExportExtension(format);
  int chosen = 0;
  ChooseFile(ui, "Where Do You Want To Save Your Grocery List?", kChooserPlain, folder, fileName, chosen);
  if (chosen != 1) return;
  if (!FolderExists(folder)) return ShowNotice(ui, "No Folder Selected");
  PutTextSetting(app.settings, setting::kExportFolder, folder);

  const std::string path = folder + GroceryExportFileName(fileName, format);
  if (!ExportGroceryList(app.grocery, path, format))
    ShowNotice(ui, "The grocery list could not be written to|" + OneItem(path, 70));
  ShowSelectedItems(app.grocery);
}

}  // namespace tovalia
