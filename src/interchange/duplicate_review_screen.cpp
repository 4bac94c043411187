#include "interchange/duplicate_review_screen.h"

#include <algorithm>
#include <array>

#include "db/byte_buffer.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "layout/line_breaker.h"
#include "ui/button.h"
#include "ui/event_wait.h"
#include "ui/fitted_text.h"
#include "ui/frame.h"
#include "ui/message_box.h"
#include "ui/scroll_bar.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

constexpr int kRowHeight = 19;
constexpr int kBannerHeight = 26;
constexpr int32_t kPhotoShownAbove = 10;  // a photo of 10 bytes or fewer is none
constexpr Color kMarkedPaper = 0xFBE4DA;

constexpr const char* kCaptions[] = {"Unmark All", "Mark Recipe 1", "Mark Recipe 2", "Delete Marked Recipes",
                                     "Cancel"};
// "1" and "2" mark the recipes, "U" unmarks all.
constexpr int kHotKeys[] = {1, 13, 13, 0, 0};

Font BodyFont() { return {FontFamily::kSans, 14, false}; }
Font FieldFont() { return {FontFamily::kSans, 14, true}; }

struct ReviewView {
  explicit ReviewView(const Ui& ui) {
    const Rect content = ContentRect(ui);
    const int top = content.y + 48;
    const int height = content.height - 48 - 58;
    const int width = (content.width - 40 - 12 - 16) / 2;
    sides[0] = {content.x + 20, top, width, height};
    sides[1] = {content.x + 20 + width + 12, top, width, height};
    track = {sides[1].x + width + 4, top + 4, 10, height - 8};
    rowsShown = std::max(1, (height - kBannerHeight - 8) / kRowHeight);
    previous = {content.x + 20, content.y + 9, 32, 28};
    next = {content.x + 20 + 36, content.y + 9, 32, 28};
    const int slot = (content.width - 40) / static_cast<int>(std::size(kCaptions));
    for (size_t i = 0; i < std::size(kCaptions); ++i)
      buttons.push_back({content.x + 20 + static_cast<int>(i) * slot + 3, top + height + 16, slot - 6, 28});
  }
  // Where a side's text is drawn.
  Rect Text(int side) const {
    const Rect& r = sides[static_cast<size_t>(side)];
    return {r.x + 10, r.y + kBannerHeight + 4, r.width - 20, r.height - kBannerHeight - 8};
  }

  std::array<Rect, 2> sides;
  Rect track;
  int rowsShown = 1;
  Rect previous;
  Rect next;
  std::vector<Rect> buttons;
};

// One recipe of the pair as it is shown: its lines, the first three of
// which name its title, chapter and photo.
struct SideText {
  std::vector<std::string> lines;
};

void AddWrapped(std::vector<std::string>& lines, std::string_view text, const LineLimit& limit) {
  for (std::string_view line : BreakIntoLines(text, limit)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    lines.emplace_back(line);
  }
}

SideText ReadSide(App& app, int32_t position, const ReviewView& view) {
  Database& db = app.db;
  SideText side;
  if (!LoadRecord(db, position)) {
    side.lines = {"Title: ", "Chapter: ", "Photo: No", "", "(This recipe can no longer be read.)"};
    return side;
  }
  const ByteBuffer& h = db.recordHeaderBuffer;
  auto text = [&](const ByteBuffer& buffer, int32_t length) { return GetBytes(buffer, 0, length); };
  Canvas& canvas = app.ui.canvas;
  const TextMeasure measure = [&canvas](std::string_view run) {
    canvas.SetFont(BodyFont());
    return canvas.TextWidth(std::string(run));
  };
  const LineLimit limit{1000, view.Text(0).width, &measure};
  AddWrapped(side.lines, "Title: " + text(db.titleBuffer, GetU8(h, header::kTitleLength)), limit);
  AddWrapped(side.lines, "Chapter: " + ChapterName(db, GetU16(h, header::kChapterNumber)), limit);
  side.lines.push_back(std::string("Photo: ") + (GetI32(h, header::kPhotoLength) > kPhotoShownAbove ? "Yes" : "No"));
  side.lines.emplace_back();
  AddWrapped(side.lines, text(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength)), limit);
  side.lines.emplace_back();
  AddWrapped(side.lines, text(db.directionsBuffer, GetI32(h, header::kDirectionsLength)), limit);
  return side;
}

struct ReviewState {
  size_t current = 0;  // the pair shown
  int top = 0;         // the first row shown of both texts
  std::array<SideText, 2> sides;
};

int TotalRows(const ReviewState& state) {
  return static_cast<int>(std::max(state.sides[0].lines.size(), state.sides[1].lines.size()));
}

ScrollBar Bar(const ReviewView& view, const ReviewState& state) {
  return {view.track, state.top, view.rowsShown, TotalRows(state)};
}

void ScrollTo(const ReviewView& view, ReviewState& state, int top) {
  state.top = std::clamp(top, 0, std::max(0, TotalRows(state) - view.rowsShown));
}

void ShowPair(App& app, const ReviewView& view, ReviewState& state, const DuplicatePair& pair) {
  for (size_t h = 0; h < 2; ++h) state.sides[h] = ReadSide(app, pair.halves[h].position, view);
  state.top = 0;
}

void DrawSide(Canvas& canvas, const ReviewView& view, const ReviewState& state, int side, bool marked) {
  const Rect& r = view.sides[static_cast<size_t>(side)];
  canvas.FillRoundedRect(r, 6, marked ? kMarkedPaper : 0xFFFFFF);
  canvas.RecordButton(r, "");
  canvas.StrokeRect(r, marked ? theme::kAccent : theme::kPanelEdge, marked ? 2 : 1, 6);
  const Rect banner{r.x + 1, r.y + 1, r.width - 2, kBannerHeight};
  canvas.FillRoundedRect(banner, 5, marked ? theme::kAccent : theme::kSelection);
  canvas.SetFont({FontFamily::kSans, 14, true});
  canvas.DrawText(banner.x + 9, banner.y + 5, "Recipe " + std::to_string(side + 1), marked ? 0xFFFFFF : theme::kInk);
  if (marked) {
    const std::string words = "Marked to Delete";
    canvas.DrawText(banner.x + banner.width - canvas.TextWidth(words) - 10, banner.y + 5, words, 0xFFFFFF);
  }
  const Rect text = view.Text(side);
  canvas.PushClip(text);
  const std::vector<std::string>& lines = state.sides[static_cast<size_t>(side)].lines;
  for (int v = 0; v < view.rowsShown && state.top + v < static_cast<int>(lines.size()); ++v) {
    const int row = state.top + v;
    const std::string& line = lines[static_cast<size_t>(row)];
    const int y = text.y + v * kRowHeight;
    // The title, chapter and photo lines: their names in bold.
    const size_t colon = row < 3 ? line.find(": ") : std::string::npos;
    if (colon != std::string::npos) {
      canvas.SetFont(FieldFont());
      const std::string name = line.substr(0, colon + 2);
      canvas.DrawText(text.x, y, name, theme::kMutedInk);
      const int x = text.x + canvas.TextWidth(name);
      canvas.SetFont(BodyFont());
      canvas.DrawText(x, y, line.substr(colon + 2), theme::kInk);
    } else {
      canvas.SetFont(BodyFont());
      canvas.DrawText(text.x, y, line, theme::kInk);
    }
  }
  canvas.PopClip();
}

void DrawReview(App& app, const ReviewView& view, const ReviewState& state, const DuplicateSearch& search) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, app.currentScreen);
  const Rect content = ContentRect(ui);
  DrawButton(ui, view.previous, kPreviousCaption);
  DrawButton(ui, view.next, kNextCaption);
  canvas.SetFont({FontFamily::kSerif, 20, true});
  canvas.DrawText(view.next.x + view.next.width + 14, content.y + 10,
                  "Duplicate " + std::to_string(state.current + 1) + " of " + std::to_string(search.pairs.size()),
                  theme::kInk);
  const int32_t marked = CountMarked(search.pairs);
  canvas.SetFont({FontFamily::kSans, 13, false});
  const std::string count = std::to_string(marked) + (marked == 1 ? " recipe" : " recipes") + " marked to delete";
  canvas.DrawText(content.x + content.width - 20 - canvas.TextWidth(count), content.y + 16, count, theme::kMutedInk);
  const DuplicatePair& pair = search.pairs[state.current];
  for (int side = 0; side < 2; ++side) DrawSide(canvas, view, state, side, pair.halves[static_cast<size_t>(side)].marked);
  DrawScrollBar(canvas, Bar(view, state));
  canvas.RecordButton(view.track, "");
  for (size_t b = 0; b < view.buttons.size(); ++b) DrawButton(ui, view.buttons[b], kCaptions[b]);
}

// "Delete Marked Recipes": true when recipes were deleted (the screen closes).
bool DeleteMarked(App& app, DuplicateSearch& search) {
  const int32_t marked = CountMarked(search.pairs);
  if (marked == 0) {
    ShowNotice(app.ui, "No recipes are marked to delete.||Mark Recipe 1 or Mark Recipe 2|of the pairs to delete.");
    return false;
  }
  int answer = 0;
  ShowMessage(app.ui, "Are you sure you want to delete|the " + std::to_string(marked) + " selected recipes?", "", 1,
              "OK|Cancel", 0, answer);
  if (answer != 1) return false;
  const DuplicateDeletion deletion = DeleteMarkedDuplicates(app.db, search.pairs);
  if (!deletion.report.Done()) ShowNotice(app.ui, WriteReportMessage(deletion.report));
  return deletion.deleted > 0;
}

}  // namespace

bool ReviewDuplicates(App& app, DuplicateFinding& finding) {
  Ui& ui = app.ui;
  DuplicateSearch& search = finding.search;
  if (search.pairs.empty()) return false;
  const ReviewView view(ui);
  ReviewState state;
  ShowPair(app, view, state, search.pairs[0]);
  bool deleted = false;
  for (;;) {
    DrawReview(app, view, state, search);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    std::string pressed;
    if (ButtonActivated(ui, kPreviousCaption, view.previous, 0)) pressed = kPreviousCaption;
    if (pressed.empty() && ButtonActivated(ui, kNextCaption, view.next, 0)) pressed = kNextCaption;
    for (size_t b = 0; b < view.buttons.size() && pressed.empty(); ++b)
      if (ButtonActivated(ui, kCaptions[b], view.buttons[b], kHotKeys[b])) pressed = kCaptions[b];
    if (pressed == "Cancel" || in.typedCharacter == typed::kEscape) break;
    if (pressed == kPreviousCaption || pressed == kNextCaption) {
      const size_t last = search.pairs.size() - 1;
      const size_t wanted = pressed == kPreviousCaption ? (state.current == 0 ? 0 : state.current - 1)
                                                        : std::min(state.current + 1, last);
      if (wanted != state.current) {
        state.current = wanted;
        ShowPair(app, view, state, search.pairs[state.current]);
      }
    } else if (pressed == "Mark Recipe 1" || pressed == "Mark Recipe 2") {
      const size_t half = pressed == "Mark Recipe 1" ? 0 : 1;
      SetMark(search.pairs, state.current, half, !search.pairs[state.current].halves[half].marked);
    } else if (pressed == "Unmark All") {
      int answer = 0;
      ShowMessage(ui, "Are you sure you want to|remove marks from all duplicates?", "", 1, "OK|Cancel", 0, answer);
      if (answer == 1) ClearMarks(search.pairs);
    } else if (pressed == "Delete Marked Recipes" || in.keyCode == key::kDelete) {
      if (DeleteMarked(app, search)) {
        deleted = true;
        break;
      }
    } else if (const ScrollBar bar = Bar(view, state);
               (in.buttonBits & kLeftButton) && bar.Needed() && bar.track.Contains(in.mouseX, in.mouseY)) {
      state.top = FollowScrollBar(ui, bar, [&](int top) {
        state.top = top;
        DrawReview(app, view, state, search);
        ui.Show();
      });
    } else if (in.wheelStep != 0) {
      ScrollTo(view, state, state.top - 3 * in.wheelStep);
      in.wheelStep = 0;
    } else {
      switch (in.keyCode) {
        case key::kUp: ScrollTo(view, state, state.top - 1); break;
        case key::kDown: ScrollTo(view, state, state.top + 1); break;
        case key::kPageUp: ScrollTo(view, state, state.top - view.rowsShown); break;
        case key::kPageDown: ScrollTo(view, state, state.top + view.rowsShown); break;
        case key::kHome: ScrollTo(view, state, 0); break;
        case key::kEnd: ScrollTo(view, state, TotalRows(state)); break;
        default: break;
      }
    }
  }
  ClearCurrentRecord(app.db);
  return deleted;
}

void LocateAndReviewDuplicates(App& app, int32_t threshold) {
  DuplicateFinding finding = LocateDuplicates(app.db, threshold);
  if (finding.search.stopped) return;
  if (finding.search.pairs.empty()) return ShowNotice(app.ui, "No Duplicate Recipes Were Found");
  ReviewDuplicates(app, finding);
}

}  // namespace tovalia
