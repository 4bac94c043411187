#include "grocery_bench.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "collection_generator.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/data_paths.h"
#include "grocery/grocery_edits.h"
#include "grocery/grocery_export.h"
#include "grocery/grocery_screen_view.h"
#include "platform/headless_platform.h"
#include "state/app_state.h"

namespace tovalia::bench {

namespace {

using Clock = std::chrono::steady_clock;

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error("grocery: " + what);
}

template <typename Body>
std::vector<double> Time(int runs, Body&& body) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    const Clock::time_point start = Clock::now();
    body(r);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return ms;
}

// Names such as "Smoked Lemon Yoghurt 17", spread over a dozen stores and
// twenty locations, one item in five on the shopping list.
void WriteCatalogue(const std::string& path, int32_t items, int32_t& onTheList) {
  static const char* const kKinds[] = {"Smoked", "Fresh", "Dried", "Frozen", "Organic", "Spiced", "Sweet",
                                       "Salted", "Crème", "Whole", "Sliced", "Ground"};
  static const char* const kFoods[] = {"Lemon", "Apple", "Bean", "Rice", "Cheese", "Pepper", "Onion", "Ham",
                                       "Pasta", "Flour", "Butter", "Tomato", "Olive", "Garlic", "Salmon"};
  static const char* const kThings[] = {"Yoghurt", "Sauce", "Paste", "Mix", "Bar", "Chips", "Soup", "Spread"};
  static const char* const kStores[] = {"Market", "Corner Shop", "Big Market", "Deli", "Bakery", "Butcher",
                                        "Farm Stand", "Fishmonger", "Health Shop", "Wholesale", "Co-op", ""};
  Rng rng(20260314);
  std::vector<std::vector<uint8_t>> records;
  for (int32_t i = 0; i < items; ++i) {
    std::vector<uint8_t> r(grocery_item::kSize, 0);
    ByteBuffer one;
    CreateBuffer(grocery_item::kSize, one);
    const std::string name = std::string(kKinds[rng.Below(12)]) + " " + kFoods[rng.Below(15)] + " " +
                             kThings[rng.Below(8)] + " " + std::to_string(i % 100);
    SetItemText(one, 0, GroceryField::kName, name);
    SetItemText(one, 0, GroceryField::kStore, kStores[rng.Below(12)]);
    SetItemText(one, 0, GroceryField::kLocation, "Aisle " + std::to_string(rng.Between(1, 20)));
    const bool listed = rng.Percent(20);
    onTheList += listed;
    SetU8(one, grocery_item::kQuantity, listed ? rng.Between(1, 6) : 0);
    SetU8(one, grocery_item::kDefaultQuantity, rng.Between(0, 3));
    SetU16(one, grocery_item::kCost, rng.Between(5, 2500));
    SetU16(one, grocery_item::kId, i);
    records.emplace_back(one.Data(), one.Data() + grocery_item::kSize);
  }
  std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
    return CompareUpperCased(std::string(a.begin() + 1, a.begin() + 1 + a[0]),
                             std::string(b.begin() + 1, b.begin() + 1 + b[0])) < 0;
  });
  std::vector<uint8_t> file;
  for (const auto& r : records) file.insert(file.end(), r.begin(), r.end());
  Require(ReplaceFileContents(path, file.data(), file.size()), "cannot write " + path);
}

}  // namespace

GroceryFigures MeasureGroceryList(const std::string& folder, int32_t items, int runs) {
  GroceryFigures figures;
  figures.items = items;
  const DataPaths paths = DataPaths::ForDataFolder(folder);
  WriteCatalogue(paths.groceryFile, items, figures.onTheList);
  figures.fileBytes = static_cast<int64_t>(items) * grocery_item::kSize;

  // The screen as the window draws it, on a canvas of the large window.
  HeadlessPlatform platform({}, DisplayMode{1024, 768, 32});
  Canvas canvas(1024, 767);
  Ui ui(platform, canvas);
  Database db(paths);
  Settings settings(paths.setupFile);
  MealCalendar meals(paths.eventFile);
  App app(ui, db, settings, meals);
  GroceryCatalogue& c = app.grocery;
  const GroceryView view(ui);
  c.visibleRows = view.rowsShown;

  figures.entryMs = Time(runs, [&](int) {
    Require(LoadGroceryItems(c), "cannot read the catalogue");
    c.currentRow = c.topRow = 0;
    BuildGroceryView(c, kAllItemsMode);
    DrawGroceryScreen(app, view);
  });
  Require(c.count == items && c.modeCounts[kSelectedItemsMode] == figures.onTheList, "the catalogue read wrong");

  Rng pick(7);
  figures.quantityMs = Time(runs, [&](int run) {
    c.currentRow = pick.Below(items);
    const int32_t before = ItemQuantity(c.image, CurrentItem(c));
    const int step = before == grocery_item::kMostQuantity || (run % 2 == 1 && before > 0) ? -1 : +1;
    Require(StepCurrentQuantity(c, step) == GroceryWrite::kWritten, "a quantity change was not written");
  });
  Require(static_cast<int64_t>(std::filesystem::file_size(paths.groceryFile)) == figures.fileBytes,
          "the rewritten file has the wrong size");
  figures.rewriteMs = Time(runs, [&](int) {
    Require(ReplaceFileContents(paths.groceryFile, c.image.Data(), static_cast<size_t>(c.image.Size())),
            "the file was not rewritten");
  });

  figures.findMs = Time(runs, [&](int run) {
    Require(FindGroceryItems(c, run % 2 ? "lemon" : "chips", GroceryField::kName), "a find was not written");
  });
  Require(c.displayMode == kSearchResultsMode && !c.view.empty(), "the find found nothing");

  figures.addMs = Time(runs, [&](int run) {
    int32_t id = -1;
    Require(AddGroceryItem(c, {"Added item " + std::to_string(run), "Market", "Aisle 1", "1.99", "1"}, id) ==
                GroceryWrite::kWritten,
            "an item was not added");
  });
  Require(c.count == items + runs, "the added items are missing");

  const std::string exported = folder + "Grocery List.txt";
  figures.exportMs =
      Time(runs, [&](int) { Require(ExportGroceryList(c, exported, kExportText), "export failed"); });
  DeleteDataFile(exported);
  DeleteDataFile(paths.groceryFile);
  return figures;
}

}  // namespace tovalia::bench
