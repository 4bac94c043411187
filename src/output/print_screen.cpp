#include "output/print_screen.h"

#include <array>

#include "db/record_operations.h"
#include "output/print_destination.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "output/print_run.h"
#include "output/print_setup_view.h"
#include "output/sheet_preview_box.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/choice_list.h"
#include "ui/event_wait.h"
#include "ui/frame.h"
#include "ui/message_box.h"
#include "ui/theme.h"

namespace tovalia {

namespace {

struct Option {
  const char* caption;
  int32_t offset;
};
constexpr std::array<Option, 4> kOptions = {{{"One Recipe Per Card", print_field::kOnePerCard},
                                             {"Print Card Outlines", print_field::kOutlines},
                                             {"Print Photos", print_field::kPhotos},
                                             {"Separate Columns", print_field::kSeparateColumns}}};

// Where things are: labels end left of valueX, the preview fills the left.
struct Places {
  int valueX;
  Rect sheetArea;
  Rect defaults, preview, ok, cancel;
  std::array<Rect, 4> options;
};

Places Arrange(const Ui& ui) {
  Places p;
  const int width = ui.canvas.Width(), height = ui.canvas.Height();
  p.valueX = width - 310;
  p.sheetArea = {20, theme::kHeaderHeight + 16, p.valueX - 170, height - theme::kHeaderHeight - 36};
  p.defaults = {p.valueX, 144, 90, 26};
  for (size_t i = 0; i < p.options.size(); ++i)
    p.options[i] = {p.valueX - 110, 396 + static_cast<int>(i) * 26, 220, 24};
  const int buttons = 512;
  p.preview = {p.valueX - 110, buttons, 110, 28};
  p.ok = {p.valueX + 10, buttons, 80, 28};
  p.cancel = {p.valueX + 100, buttons, 80, 28};
  return p;
}

struct PrintSetup {
  ByteBuffer record = NewPrintRecord();
  SheetSize sheet;
};

void Load(App& app, PrintSetup& s, int32_t id) {
  LoadPrintRecord(app.settings, id, s.record, *app.printers);
  s.sheet = ApplyLayout(s.record);
}

const LayoutSpec& CurrentLayout(const PrintSetup& s) {
  const LayoutSpec* layout = RecipeLayout(GetI32(s.record, print_field::kLayoutId));
  return layout ? *layout : *RecipeLayout(kFirstRecipeLayout);
}

bool SpacingChangeable(const PrintSetup& s) { return CurrentLayout(s).changeable != Spacing::kNone; }

Rect SheetRect(const Places& p, const PrintSetup& s) {
  return SheetCentredOn(p.sheetArea.CentreX(), p.sheetArea.CentreY(), s.sheet);
}

void Draw(App& app, const Places& p, const PrintSetup& s) {
  Ui& ui = app.ui;
  Canvas& canvas = ui.canvas;
  DrawFrame(ui, app.currentScreen);
  const Rect content = ContentRect(ui);
  canvas.FillRoundedRect({10, content.y + 8, canvas.Width() - 20, content.height - 16}, 8, theme::kPaper);
  DrawSheetPreview(canvas, SheetRect(p, s), s.record);

  using namespace print_field;
  const ByteBuffer& r = s.record;
  const int x = p.valueX;
  canvas.SetFont(theme::HeadingFont());
  canvas.DrawText(x - 110, 70, "Print Recipes", theme::kInk);
  DrawValueRow(canvas, x, 114, "Layout:", CurrentLayout(s).name, true);
  DrawButton(ui, p.defaults, "Defaults");
  canvas.SetFont({FontFamily::kSans, 13, false});
  canvas.DrawText(x - 110, 180, "Drag preview to adjust card position and spacing.", theme::kMutedInk);
  DrawValueRow(canvas, x, 206, "Top Position:", Inches(GetI32(r, kTop)), false);
  DrawValueRow(canvas, x, 230, "Left Position:", Inches(GetI32(r, kLeft)), false);
  DrawValueRow(canvas, x, 254, "Horz Spacing:", Inches(GetI32(r, kHorizontalSpacing)), false);
  DrawValueRow(canvas, x, 278, "Vert Spacing:", Inches(GetI32(r, kVerticalSpacing)), false);
  DrawValueRow(canvas, x, 312, "Printer:", NameOrNone(PrinterName(r)), true);
  DrawValueRow(canvas, x, 336, "Font:", NameOrNone(FontFace(r)), true);
  DrawValueRow(canvas, x, 360, "Font Size:", std::to_string(FontSize(r)) + " point", true);
  for (size_t i = 0; i < kOptions.size(); ++i)
    DrawCheckOption(canvas, p.options[i], kOptions[i].caption, GetU8(r, kOptions[i].offset) != 0);
  DrawButton(ui, p.preview, "Preview");
  DrawButton(ui, p.ok, "OK");
  DrawButton(ui, p.cancel, "Cancel");
}

void ChooseLayout(App& app, PrintSetup& s) {
  int result = 1;
  int selection = GetI32(s.record, print_field::kLayoutId) - kFirstRecipeLayout;
  ChooseFromList(app.ui, "Choose a Layout", RecipeLayoutNames(), "OK|Cancel", result, selection);
  if (result != 0) return;
  StorePrintRecord(app.settings, s.record);
  PutNumberSetting(app.settings, setting::kPrintLayout, kFirstRecipeLayout + selection);
  Load(app, s, kFirstRecipeLayout + selection);
}

// The recipes to print, in list order.
std::vector<int32_t> Entries(const App& app, int scope) {
  if (scope == kPrintCurrentRecipe) return {kCurrentRecord};
  std::vector<int32_t> entries;
  for (int32_t item : TickedItems(app.db)) entries.push_back(app.db.recipeList[static_cast<size_t>(item)]);
  return entries;
}

// Prints; true when the screen may close.
bool Print(App& app, PrintSetup& s, int scope) {
  using namespace print_field;
  if (PrinterName(s.record).empty() || FontFace(s.record).empty()) {
    ShowNotice(app.ui, "You must select a printer and|a font before you can print");
    return false;
  }
  std::string path;
  if (!AskWherePdfGoes(app, s.record, "Recipes.pdf", path)) return false;
  if (HasDeviceMode(s.record)) SetU16(s.record, kDeviceMode + device_mode::kOrientation, GetU16(s.record, kOrientation));
  const PrintReport report = PrintEntries(app.db, s.record, *app.printers, Entries(app, scope), path);
  if (!report.done) {
    ShowNotice(app.ui, report.error);
    return false;
  }
  return true;
}

}  // namespace

void PrintRecipes(App& app, int scope) {
  Ui& ui = app.ui;
  PrintSetup s;
  Load(app, s, CurrentRecipeLayout(app.settings));
  const Places p = Arrange(ui);
  bool done = false;
  while (!done) {
    Draw(app, p, s);
    ShowAndWait(ui);
    InputState& in = ui.input;
    if (in.quitFlag) break;
    if (ButtonActivated(ui, "OK", p.ok, 0)) {
      done = Print(app, s, scope);
    } else if (ButtonActivated(ui, "Cancel", p.cancel, 0)) {
      done = true;
    } else if (ButtonActivated(ui, "Defaults", p.defaults, 0)) {
      LayoutDefaults(s.record, GetI32(s.record, print_field::kLayoutId), *app.printers);
      s.sheet = ApplyLayout(s.record);
    } else if (ButtonActivated(ui, "Preview", p.preview, 0)) {
      ShowFirstSheet(app, s.record, Entries(app, scope));
    } else if (ClickedOn(ui, "Layout:")) {
      ChooseLayout(app, s);
    } else if (ClickedOn(ui, "Printer:")) {
      ChoosePrinter(app, s.record);
      s.sheet = ApplyLayout(s.record);
    } else if (ClickedOn(ui, "Font:")) {
      ChooseFont(app, s.record);
    } else if (ClickedOn(ui, "Font Size:")) {
      ChooseFontSize(app, s.record);
    } else if (ArrowKeyStep(in, s.record, s.sheet, SpacingChangeable(s))) {
      // the preview shows the step
    } else if (in.buttonBits & kLeftButton) {
      for (const Option& option : kOptions)
        if (ClickedOn(ui, option.caption)) SetU8(s.record, option.offset, GetU8(s.record, option.offset) ? 0 : 1);
      DragInPreview(ui, s.record, SheetRect(p, s), s.sheet, SpacingChangeable(s), [&] {
        Draw(app, p, s);
        ui.Show();
      });
    }
  }
  // Positions, options and font stay as they were left, also after Cancel.
  StorePrintRecord(app.settings, s.record);
}

}  // namespace tovalia
