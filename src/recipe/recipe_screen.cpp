#include "recipe/recipe_screen.h"

#include <algorithm>

#include "calendar/meal_calendar.h"
#include "calendar/meal_messages.h"
#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_operations.h"
#include "db/title_index.h"
#include "interchange/export_dialog.h"
#include "output/print_screen.h"
#include "recipe/hover_word.h"
#include "recipe/line_table.h"
#include "recipe/quantity.h"
#include "recipe/record_editing.h"
#include "recipe/recipe_view.h"
#include "recipe/resize.h"
#include "recipe/resize_prompts.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/message_box.h"
#include "ui/text_split.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

// A command on the record needs a record; otherwise its message.
bool HaveRecord(App& app, const RecipeViewer& viewer, const char* refusal) {
  if (viewer.hasRecord) return true;
  ShowNotice(app.ui, refusal);
  return false;
}

void ScrollTo(RecipeViewer& viewer, int row) {
  viewer.topRow = std::max(0, std::min(row, viewer.totalRows - viewer.rowsPerPage));
}

void FindInRecord(App& app, RecipeViewer& viewer) {
  if (!HaveRecord(app, viewer, "No Recipe to Search?")) return;
  int answer = 0;
  ShowMessage(app.ui, "Enter a text string to search for", "", 1, "OK|Cancel", 30, answer);
  const std::string query = app.ui.fieldValues[0];
  if (answer != 1 || query.empty()) return;
  viewer.findString = UpperCase(query);
  for (int t = 0; t < viewer.ingredientRows || t < viewer.directionRows; ++t) {
    auto [ingredients, directions] = RowText(app, viewer, t);
    if (UpperCase(ingredients).find(viewer.findString) != std::string::npos ||
        UpperCase(directions).find(viewer.findString) != std::string::npos) {
      // The match's row, counted with the photo's rows, as high as the page allows.
      ScrollTo(viewer, viewer.photoRows + t);
      return;
    }
  }
  ShowNotice(app.ui, "No match found for|" + viewer.findString);
  viewer.topRow = 0;
}

void Resize(App& app, RecipeViewer& viewer, const RecipeLayout& layout) {
  if (!HaveRecord(app, viewer, "No Recipe to Resize?")) return;
  if (viewer.textRecord) return ShowNotice(app.ui, "Information text cannot be resized");
  // Start from the stored record, so that earlier resizes are undone.
  LoadViewedRecord(app, viewer, layout);
  DrawRecipeScreen(app, viewer, layout);
  ByteBuffer& h = app.db.recordHeaderBuffer;
  const int servings = GetU8(h, header::kServings);
  int answer = 0;
  double factor = 0;
  if (servings == 0) {
    factor = AskDoubleOrHalve(app.ui);
  } else {
    ShowMessage(app.ui,
                "Resize to what number of servings?||This change is only temporary.|"
                "Edit the recipe to resize permanently.",
                "", 1, "OK|Cancel", 5, answer);
    const double wanted = ParseLeadingQuantity(TrimBlanks(app.ui.fieldValues[0])).value;
    if (answer == 1 && wanted > 0) {
      factor = wanted / servings;
      SetU8(h, header::kServings, ServingsAfterResize(wanted));
    }
  }
  if (factor <= 0) return;
  ResizeIngredients(app.db, factor, viewer.ingredientsTable, layout.measure);
  viewer.ingredientRows = LineCount(viewer.ingredientsTable);
  viewer.totalRows = viewer.photoRows + std::max(viewer.ingredientRows, viewer.directionRows);
}

void DeleteRecord(App& app, RecipeViewer& viewer, const RecipeLayout& layout) {
  if (!HaveRecord(app, viewer, "No Recipe to Delete?")) return;
  Database& db = app.db;
  const int32_t position = db.listPosition;
  const int32_t entry = db.recipeList[static_cast<size_t>(position)];
  int answer = 0;
  ShowMessage(app.ui, "Do you want to delete this recipe?||" + OneItem(EntryTitle(db, entry)), "", 1,
              "OK|Cancel", 0, answer);
  if (answer != 1) return;
  const WriteReport report = DeleteEntries(db, {entry});
  if (report.Done()) {
    BuildCurrentList(db);
    SelectOnly(db, std::max(0, position - 1));
  } else {
    ShowNotice(app.ui, WriteReportMessage(report));
  }
  LoadViewedRecord(app, viewer, layout);
}

// "New Meal": the recipe on screen becomes a meal for today.
void AddRecipeForToday(App& app, const RecipeViewer& viewer) {
  if (!HaveRecord(app, viewer, meal_message::kNoRecipeToAdd)) return;
  int answer = 0;
  ShowMessage(app.ui, meal_message::kAddThisRecipe, "", 1, "OK|Cancel", 0, answer);
  if (answer != 1) return;
  const ByteBuffer& h = app.db.recordHeaderBuffer;
  const std::string title = GetBytes(app.db.titleBuffer, 0, GetU8(h, header::kTitleLength));
  Progress& progress = *app.db.progress;
  progress.ShowProgress(meal_message::kAddingMeal, "", 0, 1);
  const bool written = AddMeal(app.meals, GetI32(h, header::kRecipeId), title, kMealRecipe, Today());
  progress.ShowProgress(meal_message::kAddingMeal, "", 1, 1);
  progress.CloseProgress();
  if (!written) ShowNotice(app.ui, meal_message::NotSaved(app.meals.path));
}

// The record on screen is the current one and the only one ticked, so that
// the Index screen's commands act on what was last seen.
void Step(App& app, RecipeViewer& viewer, const RecipeLayout& layout, int by) {
  const int count = static_cast<int>(app.db.recipeList.size());
  const int next = std::max(0, std::min(app.db.listPosition + by, count - 1));
  if (next == app.db.listPosition && viewer.hasRecord) return;
  SelectOnly(app.db, next);
  LoadViewedRecord(app, viewer, layout);
}

void RunCommand(App& app, RecipeViewer& viewer, const RecipeLayout& layout, const std::string& caption) {
  if (caption == kPreviousCaption) {
    Step(app, viewer, layout, -1);
  } else if (caption == kNextCaption) {
    Step(app, viewer, layout, 1);
  } else if (caption == "Edit") {
    if (!HaveRecord(app, viewer, "No Recipe To Edit?")) return;
    EditCurrentRecord(app);
    LoadViewedRecord(app, viewer, layout);
  } else if (caption == "Find") {
    FindInRecord(app, viewer);
  } else if (caption == "Resize") {
    Resize(app, viewer, layout);
  } else if (caption == "Delete") {
    DeleteRecord(app, viewer, layout);
  } else if (caption == "New Meal") {
    AddRecipeForToday(app, viewer);
  } else if (caption == "Print") {
    if (HaveRecord(app, viewer, "No Recipe to Print?")) PrintRecipes(app, kPrintCurrentRecipe);
  } else if (caption == "Export") {
    RunExportCommand(app, ExportFrom::kRecipeScreen);
    // The export read the stored record into the buffers the screen shows.
    LoadViewedRecord(app, viewer, layout);
  }
}

// The ingredient word under the pointer, when the pointer is over the
// ingredients column.
void FollowPointer(App& app, RecipeViewer& viewer, const RecipeLayout& layout) {
  const InputState& in = app.ui.input;
  const int right = viewer.textRecord ? layout.text.x + layout.text.width : layout.boundary;
  HoverWord found;
  int row = -1;
  if (viewer.hasRecord && in.mouseX >= layout.text.x && in.mouseX < right &&
      layout.text.Contains(in.mouseX, in.mouseY)) {
    row = viewer.topRow + (in.mouseY - layout.text.y) / layout.rowHeight - viewer.photoRows;
    if (row >= 0 && row < viewer.ingredientRows) {
      const std::string text = RowText(app, viewer, row).first;
      Canvas& canvas = app.ui.canvas;
      canvas.SetFont({FontFamily::kSans, 16, false});
      const int x = in.mouseX - layout.ingredients.left;
      int at = -1;
      for (size_t i = 0; i < text.size(); ++i) {
        if (canvas.TextWidth(text.substr(0, i + 1)) > x) {
          at = static_cast<int>(i);
          break;
        }
      }
      found = WordAt(text, at);
    }
  }
  viewer.hoverWord = found.word;
  viewer.hoverRow = found.Found() ? row : -1;
  viewer.hoverFirst = found.first;
  viewer.hoverLast = found.last;
}

}  // namespace

void RunRecipeScreen(App& app) {
  Ui& ui = app.ui;
  RecipeLayout layout(ui.canvas);
  RecipeViewer viewer;
  LoadViewedRecord(app, viewer, layout);
  const PointerFollowing following(ui, true);

  for (;;) {
    DrawRecipeScreen(app, viewer, layout);
    const int lastX = ui.input.mouseX, lastY = ui.input.mouseY;
    int tab = ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    if (tab >= 0 && tab != kRecipeScreen) {
      app.requestedScreen = tab;
      break;
    }
    if (in.typedCharacter == typed::kEnter) {
      app.requestedScreen = kIndexScreen;
      break;
    }
    // The scroll bar: its thumb drags, its track pages.
    if (const ScrollBar bar = PageBar(viewer, layout);
        (in.buttonBits & kLeftButton) && bar.Needed() && bar.track.Contains(in.mouseX, in.mouseY)) {
      viewer.topRow = FollowScrollBar(ui, bar, [&](int first) {
        viewer.topRow = first;
        DrawRecipeScreen(app, viewer, layout);
        ui.Show();
      });
      continue;
    }
    // A click on the offered word looks for it in the grocery list.
    if ((in.buttonBits & kLeftButton) && !viewer.hoverWord.empty() &&
        layout.text.Contains(in.mouseX, in.mouseY)) {
      app.grocerySearchWord = viewer.hoverWord;
      app.requestedScreen = kGroceryScreen;
      break;
    }
    bool commandRan = false;
    static const int kHotKeys[] = {0, 0, 1, 1, 1, 1, 1, 2, 1};
    for (size_t b = 0; b < layout.buttons.size() && !commandRan; ++b) {
      bool deleteKey = layout.captions[b] == "Delete" && in.keyCode == key::kDelete;
      if (deleteKey || ButtonActivated(ui, layout.captions[b], layout.buttons[b], kHotKeys[b])) {
        RunCommand(app, viewer, layout, layout.captions[b]);
        commandRan = true;
      }
    }
    // The editor may have been left through a tab, or the program asked to end.
    if (app.requestedScreen != kRecipeScreen || in.quitFlag) break;
    if (commandRan) continue;

    switch (in.keyCode) {
      case key::kDown:
        if (viewer.topRow + viewer.rowsPerPage < viewer.totalRows) ++viewer.topRow;
        break;
      case key::kUp:
        if (viewer.topRow > 0) --viewer.topRow;
        break;
      case key::kPageDown: ScrollTo(viewer, viewer.topRow + viewer.rowsPerPage); break;
      case key::kPageUp: viewer.topRow = std::max(0, viewer.topRow - viewer.rowsPerPage); break;
      case key::kHome: viewer.topRow = 0; break;
      case key::kEnd: ScrollTo(viewer, viewer.totalRows); break;
      default: break;
    }
    if (in.wheelStep != 0) {
      ScrollTo(viewer, viewer.topRow - in.wheelStep);
      in.wheelStep = 0;
    }
    if ((in.mouseX != lastX || in.mouseY != lastY) && in.typedCharacter == 0 && in.keyCode == 0)
      FollowPointer(app, viewer, layout);
  }
  if (viewer.hasRecord) SelectOnly(app.db, app.db.listPosition);
}

}  // namespace tovalia
