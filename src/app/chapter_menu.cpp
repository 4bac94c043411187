#include "app/chapter_menu.h"

#include "app/index_messages.h"
#include "db/chapter_operations.h"
#include "db/cp1252.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"

namespace tovalia {

namespace {

constexpr int kChapterNameWidth = 60;

const ChapterRow& CurrentRow(const App& app) {
  return app.db.chapterTable[static_cast<size_t>(app.db.currentChapterRow)];
}

void Add(App& app, IndexView& view) {
  int answer = 0;
  ShowMessage(app.ui, "Enter New Chapter Title", "", 1, "OK|Cancel", kChapterNameWidth, answer);
  std::string name = TrimBlanks(app.ui.fieldValues[0]);
  if (answer != 1 || name.empty()) return;
  AddChapter(app.db, name);
  view.focus = IndexFocus::kChapters;
}

void Rename(App& app) {
  int answer = 0;
  if (CurrentRow(app).number < 0) {
    ShowNotice(app.ui, message::kReservedNoEdit);
    return;
  }
  const std::string old = CurrentRow(app).name;
  app.ui.fieldValues[0] = old.substr(0, kChapterNameWidth);
  ShowMessage(app.ui, "Edit Chapter Title", "", 1, "OK|Cancel", 100 + kChapterNameWidth, answer);
  std::string name = TrimBlanks(app.ui.fieldValues[0]);
  if (answer == 1 && !name.empty() && name != old) RenameChapter(app.db, name);
}

void Delete(App& app) {
  int answer = 0;
  const ChapterRow& row = CurrentRow(app);
  if (row.number < 0) {
    ShowNotice(app.ui, message::kReservedNoDelete);
    return;
  }
  ShowMessage(app.ui,
              "You are about to delete the chapter||" + row.name +
                  ".||All recipes in this chapter will also be deleted.|Do you want to continue?",
              "", 2, "OK|Cancel", 0, answer);
  if (answer == 1) DeleteChapter(app.db);
}

void Purge(App& app) {
  int answer = 0;
  ShowMessage(app.ui, message::kConfirmPurge, "", 2, "OK|Cancel", 0, answer);
  if (answer == 1) PurgeEmptyChapters(app.db);
}

void Find(App& app, IndexView& view) {
  int answer = 0;
  ShowMessage(app.ui, "Find Chapters", "", 2, "OK|Cancel", 30, answer);
  std::string text = TrimBlanks(LowerCase(app.ui.fieldValues[0]));
  if (answer != 1 || text.empty()) return;
  FindChapters(app.db, text);
  view.focus = IndexFocus::kRecipes;
}

}  // namespace

void RunChapterMenu(App& app, IndexView& view, int x, int y) {
  int choice = PopupMenu(app.ui, x, y,
                         {"Add new chapter", "Edit current chapter", "Delete current chapter",
                          "Purge empty chapters", "Find Chapters"});
  switch (choice) {
    case 0: Add(app, view); break;
    case 1: Rename(app); break;
    case 2: Delete(app); break;
    case 3: Purge(app); break;
    case 4: Find(app, view); break;
    default: break;
  }
  ScrollIntoView(app, view);
}

}  // namespace tovalia
