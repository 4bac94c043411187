#include "calendar/meal_commands.h"

#include <algorithm>
#include <ctime>

#include "calendar/icalendar_writer.h"
#include "calendar/meal_list.h"
#include "calendar/meal_messages.h"
#include "calendar/meal_printout.h"
#include "calendar/meal_recipes.h"
#include "db/data_file.h"
#include "grocery/recipe_groceries.h"
#include "output/list_print_job.h"
#include "output/list_print_screen.h"
#include "output/print_destination.h"
#include "output/print_layouts.h"
#include "db/recipe_lists.h"
#include "db/title_index.h"
#include "platform/program_folder.h"
#include "ui/file_chooser.h"
#include "ui/message_box.h"
#include "ui/text_split.h"

namespace tovalia {

namespace {

constexpr int kNoteFieldWidth = 50;

// The selected day as the prompt heads it: "Dec 8, 2026".
std::string SelectedDayText(const MealsScreenState& state) {
  return FormatDate(state.selected.year, state.selected.month, state.selected.day);
}

// The Index screen's current title, when its list has one.
bool CurrentIndexRecipe(const Database& db, int32_t& recipeId, std::string& title) {
  if (db.recipeList.empty() || db.listPosition < 0 ||
      db.listPosition >= static_cast<int32_t>(db.recipeList.size()))
    return false;
  const int32_t entry = db.recipeList[static_cast<size_t>(db.listPosition)];
  recipeId = EntryRecipeId(db, entry);
  title = std::string(EntryTitle(db, entry));
  return true;
}

void EditNote(App& app, MealsScreenState& state) {
  MealCalendar& calendar = app.meals;
  const int32_t index = calendar.current;
  app.ui.fieldValues.fill("");
  app.ui.fieldValues[0] = MealText(calendar.meals, index);
  // A note written elsewhere may be longer than the field: the field grows
  // so that saving never cuts it short.
  const int width = std::max(kNoteFieldWidth, static_cast<int>(app.ui.fieldValues[0].size()));
  int answer = 0;
  ShowMessage(app.ui, meal_message::kEditNote, "", 2, "Delete|Save|Cancel", 100 + width, answer);
  if (answer == 2) {
    AfterMealWrite(app, state, SaveNoteText(calendar, index, app.ui.fieldValues[0]));
  } else if (answer == 1) {
    const bool written = DeleteMeals(calendar, {index});
    calendar.current = std::max(0, std::min(index - 1, calendar.count - 1));
    if (calendar.count == 0) calendar.current = -1;
    AfterMealWrite(app, state, written);
  }
}

}  // namespace

void AfterMealWrite(App& app, MealsScreenState& state, bool written) {
  MarkMealDays(state.days, app.meals);
  if (!written) ShowNotice(app.ui, meal_message::NotSaved(app.meals.path));
}

void AddToSelectedDay(App& app, MealsScreenState& state) {
  int answer = 0;
  ShowMessage(app.ui, SelectedDayText(state) + meal_message::kAddToDay, "", 1, "Note|Recipe|Cancel",
              kNoteFieldWidth, answer);
  if (answer == 1) {
    const std::string note = app.ui.fieldValues[0];
    if (note.empty()) return;
    AfterMealWrite(app, state, AddMeal(app.meals, 0, note, kMealNote, state.selected));
  } else if (answer == 2) {
    int32_t recipeId = 0;
    std::string title;
    if (!CurrentIndexRecipe(app.db, recipeId, title)) return ShowNotice(app.ui, meal_message::kNoRecipeSelected);
    AfterMealWrite(app, state, AddMeal(app.meals, recipeId, title, kMealRecipe, state.selected));
  }
}

void OpenCurrentMeal(App& app, MealsScreenState& state) {
  MealCalendar& calendar = app.meals;
  if (calendar.current < 0 || calendar.current >= calendar.count) return;
  if (MealKindOf(calendar.meals, calendar.current) != kMealRecipe) return EditNote(app, state);
  const int32_t recipeId = MealRecipeId(calendar.meals, calendar.current);
  Database& db = app.db;
  FindChapterRow(db, kRecipesSelectedForMeals);
  BuildCurrentList(db);
  for (size_t i = 0; i < db.recipeList.size(); ++i) {
    if (EntryRecipeId(db, db.recipeList[i]) == recipeId) {
      SelectOnly(db, static_cast<int32_t>(i));
      app.requestedScreen = kRecipeScreen;
      return;
    }
  }
  ShowNotice(app.ui, meal_message::kRecipeGone);
  SelectOnly(db, 0);
}

void DeleteMealsCommand(App& app, MealsScreenState& state) {
  MealCalendar& calendar = app.meals;
  if (calendar.count == 0) return ShowNotice(app.ui, meal_message::kListEmpty);
  std::vector<int32_t> doomed = TickedMeals(calendar);
  int answer = 0;
  if (doomed.empty()) {
    if (calendar.current < 0) return ShowNotice(app.ui, meal_message::kNoMealSelected);
    ShowMessage(app.ui, meal_message::kDeleteCurrent, "", 1, "OK|Cancel", 0, answer);
    doomed.push_back(calendar.current);
  } else {
    ShowMessage(app.ui, meal_message::kDeleteTicked, "", 1, "OK|Cancel", 0, answer);
  }
  if (answer != 1) return;
  AfterMealWrite(app, state, DeleteMeals(calendar, doomed));
}

void PrintMealsCommand(App& app) {
  if (app.meals.count == 0) return ShowNotice(app.ui, meal_message::kNothingToPrint);
  ByteBuffer record;
  if (ListPrintSetup(app, kMealListTitle, kMealListLayout, record) != 1) return;
  std::string path;
  if (!AskWherePdfGoes(app, record, "Meal List.pdf", path)) return;
  const PrintReport report = PrintMealList(MealPrintLines(app.meals), record, *app.printers, path, *app.db.progress);
  if (!report.done) ShowNotice(app.ui, report.error);
}

void ExportMealsCommand(App& app) {
  const MealCalendar& calendar = app.meals;
  if (calendar.count == 0) return ShowNotice(app.ui, meal_message::kNothingToExport);
  std::string folder = GetTextSetting(app.settings, setting::kExportFolder);
  if (folder.empty()) folder = DefaultFileFolder();
  std::string name = "Meals.ics";
  int result = 0;
  ChooseFile(app.ui, meal_message::kExportWhere, kChooserPlain, folder, name, result);
  if (result != 1 || name.empty()) return;
  PutTextSetting(app.settings, setting::kExportFolder, folder);
  const std::string path = folder + name;
  const IcsExport ics = MealsAsICalendar(calendar, MealsToPrint(calendar), std::time(nullptr));
  if (!ReplaceFileContents(path, ics.text.data(), ics.text.size()))
    return ShowNotice(app.ui, "Unable to write the file|" + OneItem(path));
  ShowNotice(app.ui, std::to_string(ics.events) + (ics.events == 1 ? " meal was" : " meals were") +
                         " saved for calendar programs in|" + OneItem(path));
}

void ShoppingListCommand(App& app) {
  const MealCalendar& calendar = app.meals;
  if (calendar.count == 0) return ShowNotice(app.ui, meal_message::kListEmpty);
  // The ticked meals, or all of them when none or all are ticked, as for printing.
  const MealRecipes recipes = RecipesOfMeals(app.db, calendar, MealsToPrint(calendar));
  if (recipes.entries.empty()) return ShowNotice(app.ui, meal_message::kNoRecipesAmongMeals);
  int answer = 0;
  ShowMessage(app.ui, meal_message::RaiseShoppingList(recipes.entries.size()), "", 1, "OK|Cancel", 0, answer);
  if (answer != 1) return;
  const RecipeGroceryReport report = AddRecipesToGroceryList(app.db, app.grocery, recipes.entries);
  std::string message = RecipeGroceryMessage(report, app.grocery.path);
  if (recipes.missing > 0)
    message += "||" + std::to_string(recipes.missing) + (recipes.missing == 1 ? " meal's recipe is" : " meals' recipes are") +
               " no longer in the collection.";
  ShowNotice(app.ui, message);
}

void AddTickedRecipesToCalendar(App& app) {
  Database& db = app.db;
  if (db.recipeList.empty()) return ShowNotice(app.ui, meal_message::kNoRecipesInChapter);
  std::vector<NewMeal> meals;
  const LocalDate today = Today();
  for (size_t i = 0; i < db.recipeList.size(); ++i) {
    if (!db.selectionFlags[i]) continue;
    const int32_t entry = db.recipeList[i];
    meals.push_back({EntryRecipeId(db, entry), std::string(EntryTitle(db, entry)), kMealRecipe, today});
  }
  if (meals.empty()) return ShowNotice(app.ui, meal_message::kSelectRecipes);
  int answer = 0;
  ShowMessage(app.ui, meal_message::kAddTicked, "", 1, "OK|Cancel", 0, answer);
  if (answer != 1) return;
  db.progress->ShowProgress(meal_message::kAddingMeals, "", 0, 1);
  const bool written = AddMeals(app.meals, meals);
  db.progress->ShowProgress(meal_message::kAddingMeals, "", 1, 1);
  db.progress->CloseProgress();
  if (!written) ShowNotice(app.ui, meal_message::NotSaved(app.meals.path));
}

}  // namespace tovalia
