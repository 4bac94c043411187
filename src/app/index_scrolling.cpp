#include "app/index_scrolling.h"

namespace tovalia {

namespace {

// The wheel turns the list under the pointer, or the focused one.
bool WheelScrollsChapters(const IndexView& view, const InputState& in) {
  if (view.chapterList.Contains(in.mouseX, in.mouseY)) return true;
  if (view.recipeList.Contains(in.mouseX, in.mouseY)) return false;
  return view.focus == IndexFocus::kChapters;
}

}  // namespace

bool ScrollIndexLists(App& app, IndexView& view) {
  Database& db = app.db;
  InputState& in = app.ui.input;
  if (in.wheelStep != 0) {
    if (WheelScrollsChapters(view, in)) {
      db.firstVisibleChapterRow = FirstAfterWheel(view.ChapterBar(db), in.wheelStep);
    } else {
      db.firstVisibleTitle = FirstAfterWheel(view.RecipeBar(db), in.wheelStep);
    }
    in.wheelStep = 0;
    return true;
  }
  if (!(in.buttonBits & kLeftButton)) return false;
  const bool chapters = view.ChapterBar(db).track.Contains(in.mouseX, in.mouseY);
  const ScrollBar bar = chapters ? view.ChapterBar(db) : view.RecipeBar(db);
  if (!bar.Needed() || !bar.track.Contains(in.mouseX, in.mouseY)) return false;
  int32_t& first = chapters ? db.firstVisibleChapterRow : db.firstVisibleTitle;
  first = FollowScrollBar(app.ui, bar, [&](int now) {
    first = now;
    DrawIndexScreen(app, view);
    app.ui.Show();
  });
  return true;
}

}  // namespace tovalia
