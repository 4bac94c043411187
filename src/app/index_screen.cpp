#include "app/index_screen.h"

#include <algorithm>

#include "app/chapter_menu.h"
#include "app/find_dialog.h"
#include "app/import_dialog.h"
#include "app/index_messages.h"
#include "app/index_scrolling.h"
#include "app/index_view.h"
#include "app/version_reminder.h"
#include "calendar/meal_commands.h"
#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_operations.h"
#include "db/title_index.h"
#include "grocery/recipe_groceries.h"
#include "interchange/duplicate_review_screen.h"
#include "interchange/export_dialog.h"
#include "output/pdf_book_screen.h"
#include "output/print_screen.h"
#include "recipe/record_editing.h"
#include "ui/button.h"
#include "ui/choice_list.h"
#include "ui/event_wait.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"
#include "ui/text_split.h"

namespace tovalia {

namespace {

constexpr int kCtrlA = 1;

int32_t CurrentChapterNumber(const App& app) {
  return app.db.chapterTable[static_cast<size_t>(app.db.currentChapterRow)].number;
}

bool HasChapters(const App& app) {
  return app.db.chapterTable.size() > static_cast<size_t>(kReservedChapterRows);
}

bool AnyTicked(const App& app) {
  return std::any_of(app.db.selectionFlags.begin(), app.db.selectionFlags.end(),
                     [](uint8_t f) { return f != 0; });
}

// G1 and G2: a new record needs a real chapter, and there must be one.
bool RealChapterChosen(App& app, const char* reservedMessage) {
  if (CurrentChapterNumber(app) < 0) {
    ShowNotice(app.ui, reservedMessage);
    return false;
  }
  if (!HasChapters(app)) {
    ShowNotice(app.ui, message::kNoChapters);
    return false;
  }
  return true;
}

// The chapters a record can be filed in, as a menu; the chosen chapter's
// number, or 0 when none was chosen.
int32_t ChooseTargetChapter(App& app) {
  std::vector<std::string> names;
  for (size_t row = kReservedChapterRows; row < app.db.chapterTable.size(); ++row)
    names.push_back(app.db.chapterTable[row].name);
  int choice = PopupMenu(app.ui, app.ui.input.mouseX, app.ui.input.mouseY, names);
  if (choice < 0) return 0;
  return app.db.chapterTable[static_cast<size_t>(kReservedChapterRows + choice)].number;
}

void ReportWrite(App& app, const WriteReport& report) {
  if (!report.Done()) ShowNotice(app.ui, WriteReportMessage(report));
}

// The question names what it deletes: the title for one record, the count
// for several, so a tick left on another recipe is seen before it is lost.
std::string DeleteQuestion(const Database& db) {
  const std::vector<int32_t> ticked = TickedItems(db);
  if (ticked.size() == 1)
    return "Delete " + OneItem(EntryTitle(db, db.recipeList[static_cast<size_t>(ticked[0])])) + "?";
  return "Are you sure you want|to delete all " + std::to_string(ticked.size()) +
         " selected recipes?";
}

void DeleteCommand(App& app) {
  if (app.db.recipeList.empty()) return ShowNotice(app.ui, message::kNoRecipesInChapter);
  if (!AnyTicked(app)) return ShowNotice(app.ui, message::kSelectToDelete);
  int answer = 0;
  ShowMessage(app.ui, DeleteQuestion(app.db), "", 1, "OK|Cancel", 0, answer);
  if (answer == 1) ReportWrite(app, DeleteTickedRecipes(app.db));
}

void MoveOrCopyCommand(App& app, bool copy) {
  if (!AnyTicked(app)) return ShowNotice(app.ui, message::kNoneSelected);
  int32_t target = ChooseTargetChapter(app);
  if (target == 0) return;
  ReportWrite(app, copy ? CopyTickedRecipes(app.db, target) : MoveTickedRecipes(app.db, target));
}

void PrintCommand(App& app) {
  if (app.db.recipeList.empty()) return ShowNotice(app.ui, message::kNoRecipesInChapter);
  if (!AnyTicked(app)) return ShowNotice(app.ui, message::kSelectToPrint);
  PrintRecipes(app, kPrintTickedRecipes);
}

void EditCommand(App& app) {
  if (app.db.recipeList.empty()) return ShowNotice(app.ui, message::kSelectARecipe);
  EditCurrentRecord(app);
}

void LocateDuplicatesCommand(App& app) {
  if (app.db.indexSize == 0) return ShowNotice(app.ui, message::kNoRecipesAtAll);
  int result = 1, selection = 0;
  ChooseFromList(app.ui, message::kAccuracyHeading, message::kAccuracyChoices, "OK|Cancel", result,
                 selection);
  if (result != 0) return;
  static constexpr int32_t kThresholds[] = {kBestMatching, kAverageMatching, kPoorMatching};
  LocateAndReviewDuplicates(app, kThresholds[std::clamp(selection, 0, 2)]);
  BuildCurrentList(app.db);
  SelectOnly(app.db, app.db.listPosition);
}

// Runs the command of the button at that place in the screen's order.
void RunCommand(App& app, IndexView& view, size_t button) {
  const std::string& caption = view.captions[button];
  if (caption == "Find") {
    if (ShowFindDialog(app)) view.focus = IndexFocus::kRecipes;
  } else if (caption == "Chapter") {
    const Rect& r = view.buttons[button];
    RunChapterMenu(app, view, r.x, r.y - 5 * 24 - 12);
  } else if (caption == "Add Recipe") {
    if (RealChapterChosen(app, message::kReservedForRecipes)) AddRecordInEditor(app, kKindRecipe);
  } else if (caption == "Add Text") {
    if (RealChapterChosen(app, message::kReservedForText)) AddRecordInEditor(app, kKindTextRecord);
  } else if (caption == "Edit") {
    EditCommand(app);
  } else if (caption == "Delete") {
    DeleteCommand(app);
  } else if (caption == "Move") {
    MoveOrCopyCommand(app, false);
  } else if (caption == "Copy") {
    MoveOrCopyCommand(app, true);
  } else if (caption == "Print") {
    PrintCommand(app);
  } else if (caption == "Import") {
    if (CurrentChapterNumber(app) < 0) {
      ShowNotice(app.ui, message::kReservedForImport);
    } else if (RunImportCommand(app)) {
      view.focus = IndexFocus::kRecipes;
    }
  } else if (caption == "Locate Duplicates") {
    LocateDuplicatesCommand(app);
  } else if (caption == "Save PDF Book") {
    SavePdfBook(app);
  } else if (caption == "New Meal") {
    AddTickedRecipesToCalendar(app);
  } else if (caption == "Export") {
    RunExportCommand(app, ExportFrom::kIndexScreen);
  }
}

// The ingredients of the ticked recipes go on the shopping list.
void AddToGroceryList(App& app) {
  if (!AnyTicked(app)) return ShowNotice(app.ui, message::kNoneSelected);
  std::vector<int32_t> entries;
  for (int32_t position : TickedItems(app.db)) entries.push_back(app.db.recipeList[static_cast<size_t>(position)]);
  const RecipeGroceryReport report = AddRecipesToGroceryList(app.db, app.grocery, entries);
  ShowNotice(app.ui, RecipeGroceryMessage(report, app.grocery.path));
}

void ContextMenu(App& app, IndexView& view) {
  static const char* const kEntries[] = {"Add to Grocery List", "Add to Meal Calendar", "Copy Recipes",
                                         "Delete Recipes",      "Edit Current Recipe",  "Export Recipes",
                                         "Move Recipes",        "Print Recipes"};
  static const char* const kButtons[] = {"", "New Meal", "Copy", "Delete", "Edit", "Export", "Move", "Print"};
  int choice = PopupMenu(app.ui, app.ui.input.mouseX, app.ui.input.mouseY,
                         std::vector<std::string>(std::begin(kEntries), std::end(kEntries)));
  if (choice < 0) return;
  if (choice == 0) return AddToGroceryList(app);
  auto button = std::find(view.captions.begin(), view.captions.end(), kButtons[choice]);
  RunCommand(app, view, static_cast<size_t>(button - view.captions.begin()));
}

void SelectChapterRow(App& app, int row) {
  Database& db = app.db;
  db.currentChapterRow = std::clamp(row, 0, static_cast<int>(db.chapterTable.size()) - 1);
  db.listPosition = 0;
  db.firstVisibleTitle = 0;
  BuildCurrentList(db);
  SelectOnly(db, 0);
}

void ToggleAllTicks(Database& db) {
  bool allTicked = std::all_of(db.selectionFlags.begin(), db.selectionFlags.end(),
                               [](uint8_t f) { return f != 0; });
  std::fill(db.selectionFlags.begin(), db.selectionFlags.end(), allTicked ? 0 : 1);
}

// Moves the current row of the focused list by a number of rows.
void MoveInList(App& app, const IndexView& view, int rows) {
  Database& db = app.db;
  if (view.focus == IndexFocus::kChapters) {
    SelectChapterRow(app, db.currentChapterRow + rows);
  } else if (!db.recipeList.empty()) {
    SelectOnly(db, db.listPosition + rows);
  }
}

// Where the lists stand before an input is handled.
struct ListPlace {
  int32_t chapterRow;
  int32_t position;
  size_t titles;
  bool operator==(const ListPlace&) const = default;
};

ListPlace PlaceOf(const Database& db) { return {db.currentChapterRow, db.listPosition, db.recipeList.size()}; }

// When the input moved a current row (or changed the list), the view
// follows it; after scrolling, it stays where the user put it.
void FollowTheCurrentRows(App& app, IndexView& view, const ListPlace& before) {
  const ListPlace now = PlaceOf(app.db);
  if (now.chapterRow != before.chapterRow) view.tickAnchor = -1;
  if (now == before) {
    KeepScrollInRange(app, view);
  } else {
    ScrollIntoView(app, view);
  }
}

// Shift+click: ticks every title from the last one clicked or ticked to
// this one, which becomes current; other ticks stay.
void TickRangeTo(App& app, IndexView& view, int item) {
  Database& db = app.db;
  const int anchor = view.tickAnchor >= 0 && view.tickAnchor < static_cast<int>(db.recipeList.size())
                         ? view.tickAnchor
                         : db.listPosition;
  SelectRange(db, anchor, item);
  db.listPosition = item;
  view.tickAnchor = anchor;
}

// A left click in one of the lists.
void ClickInLists(App& app, IndexView& view) {
  Database& db = app.db;
  const InputState& in = app.ui.input;
  if (int row = view.ChapterRowAt(in.mouseX, in.mouseY); row >= 0) {
    view.focus = IndexFocus::kChapters;
    int index = db.firstVisibleChapterRow + row;
    if (index < static_cast<int>(db.chapterTable.size()) && index != db.currentChapterRow)
      SelectChapterRow(app, index);
    return;
  }
  int row = view.RecipeRowAt(in.mouseX, in.mouseY);
  if (row < 0) return;
  view.focus = IndexFocus::kRecipes;
  int item = db.firstVisibleTitle + row;
  if (item >= static_cast<int>(db.recipeList.size())) return;
  Rect box = view.CheckBox(row);
  box.x -= 4, box.width += 8, box.y -= 3, box.height += 6;
  if (in.shift) {
    TickRangeTo(app, view, item);
  } else if (box.Contains(in.mouseX, in.mouseY)) {
    db.selectionFlags[static_cast<size_t>(item)] ^= 1;
    view.tickAnchor = item;
  } else if (item == db.listPosition) {
    app.requestedScreen = kRecipeScreen;
  } else {
    SelectOnly(db, item);
    view.tickAnchor = item;
  }
}

// A right click acts on the row under the pointer: it becomes current, and
// the only ticked one unless it is already among several ticked. False when
// the row holds no recipe.
bool MakeRowCurrentForMenu(App& app, const IndexView& view) {
  Database& db = app.db;
  const InputState& in = app.ui.input;
  const int item = db.firstVisibleTitle + view.RecipeRowAt(in.mouseX, in.mouseY);
  if (item >= static_cast<int>(db.recipeList.size())) return false;
  if (db.selectionFlags[static_cast<size_t>(item)] && TickedItems(db).size() > 1) {
    db.listPosition = item;
  } else {
    SelectOnly(db, item);
  }
  DrawIndexScreen(app, view);
  return true;
}

}  // namespace

void RunIndexScreen(App& app) {
  Ui& ui = app.ui;
  IndexView view(ui);
  ScrollIntoView(app, view);
  DrawIndexScreen(app, view);
  ui.Show();
  RunVersionReminder(app);
  if (!app.fileToImport.empty()) {
    const std::string file = std::move(app.fileToImport);
    app.fileToImport.clear();
    if (ImportOpenedFile(app, file)) view.focus = IndexFocus::kRecipes;
    ScrollIntoView(app, view);
  }
  // The whole of a shortened title shows while the pointer rests on it.
  const PointerFollowing following(ui, true);

  for (;;) {
    DrawIndexScreen(app, view);
    int tab = ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) return;
    if (tab >= 0 && tab != kIndexScreen) {
      app.requestedScreen = tab;
      return;
    }
    const ListPlace before = PlaceOf(app.db);
    bool commandRan = false;
    for (size_t b = 0; b < view.buttons.size() && !commandRan; ++b) {
      if (ButtonActivated(ui, view.captions[b], view.buttons[b], 0)) {
        RunCommand(app, view, b);
        commandRan = true;
      }
    }
    // The editor may have been left through a tab.
    if (app.requestedScreen != kIndexScreen) return;
    if (commandRan) {
      ScrollIntoView(app, view);
      continue;
    }

    if ((in.buttonBits & kRightButton) && view.RecipeRowAt(in.mouseX, in.mouseY) >= 0) {
      view.focus = IndexFocus::kRecipes;
      if (MakeRowCurrentForMenu(app, view)) ContextMenu(app, view);
      if (app.requestedScreen != kIndexScreen) return;
    } else if (ScrollIndexLists(app, view)) {
      // The view moved; what is current and ticked stays.
    } else if (in.buttonBits & kLeftButton) {
      ClickInLists(app, view);
      if (app.requestedScreen != kIndexScreen) return;
    } else if (in.typedCharacter == kCtrlA) {
      ToggleAllTicks(app.db);
    } else if (in.typedCharacter > ' ' && !in.ctrl) {
      // A letter goes to the next chapter that begins with it.
      const int32_t row = NextChapterRowWithInitial(app.db, app.db.currentChapterRow, in.typedCharacter);
      if (row >= 0) {
        view.focus = IndexFocus::kChapters;
        SelectChapterRow(app, row);
      }
    } else {
      const int page = view.focus == IndexFocus::kChapters ? view.chapterRowsShown : view.recipeRowsShown;
      switch (in.keyCode) {
        case key::kLeft: SelectChapterRow(app, app.db.currentChapterRow - 1); break;
        case key::kRight: SelectChapterRow(app, app.db.currentChapterRow + 1); break;
        case key::kUp: MoveInList(app, view, -1); break;
        case key::kDown: MoveInList(app, view, 1); break;
        case key::kPageUp: MoveInList(app, view, -page); break;
        case key::kPageDown: MoveInList(app, view, page); break;
        case key::kHome: MoveInList(app, view, -1000000); break;
        case key::kEnd: MoveInList(app, view, 1000000); break;
        default: break;
      }
    }
    FollowTheCurrentRows(app, view, before);
  }
}

}  // namespace tovalia
