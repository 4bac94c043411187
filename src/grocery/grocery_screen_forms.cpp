#include "grocery/grocery_screen_forms.h"

#include "db/cp1252.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

constexpr char kItemLabels[] = "Item Name|Store Name|Item Location|Item Cost|Default Quantity";
constexpr int kKeepValues = 100;  // added to a field width: the prompt shows the values filled in
constexpr int kItemFieldWidth = 25;

void FillForm(Ui& ui, const GroceryItemForm& form) {
  for (std::string& value : ui.fieldValues) value.clear();
  ui.fieldValues[0] = form.name;
  ui.fieldValues[1] = form.store;
  ui.fieldValues[2] = form.location;
  ui.fieldValues[3] = form.cost;
  ui.fieldValues[4] = form.defaultQuantity;
}

GroceryItemForm ReadForm(const Ui& ui) {
  return {ui.fieldValues[0], ui.fieldValues[1], ui.fieldValues[2], ui.fieldValues[3], ui.fieldValues[4]};
}

}  // namespace

void ReportGroceryWrite(App& app, GroceryWrite outcome) {
  const std::string message = GroceryWriteMessage(outcome, app.grocery.path);
  if (!message.empty()) ShowNotice(app.ui, message);
}

void AddItemCommand(App& app) {
  FillForm(app.ui, {"", "", "", "", "0"});
  int answer = 0;
  ShowMessage(app.ui, "Add Grocery Item", kItemLabels, 1, "Save|Cancel", kKeepValues + kItemFieldWidth, answer);
  if (answer != 1) return;
  int32_t id = -1;
  ReportGroceryWrite(app, AddGroceryItem(app.grocery, ReadForm(app.ui), id));
}

void EditItemCommand(App& app) {
  GroceryCatalogue& c = app.grocery;
  const int32_t item = CurrentItem(c);
  if (item < 0) return;
  StartEditingItem(c, item);
  FillForm(app.ui, FormFromItem(c.image, item));
  int answer = 0;
  ShowMessage(app.ui, "Edit Grocery Item", kItemLabels, 2, "Delete|Save|Cancel", kKeepValues + kItemFieldWidth,
              answer);
  if (answer == 1) {
    ReportGroceryWrite(app, DeleteEditedItem(c));
  } else if (answer == 2) {
    ReportGroceryWrite(app, SaveEditedItem(c, ReadForm(app.ui)));
  }
}

void DeleteItemCommand(App& app) {
  GroceryCatalogue& c = app.grocery;
  const int32_t item = CurrentItem(c);
  if (item < 0) return;
  int answer = 0;
  ShowMessage(app.ui, "Delete this grocery item?", "", 1, "OK|Cancel", 0, answer);
  if (answer != 1) return;
  StartEditingItem(c, item);
  ReportGroceryWrite(app, DeleteEditedItem(c));
}

void FindItemsCommand(App& app) {
  int answer = 0;
  ShowMessage(app.ui, "Find", "", 1, "Item|Store|Location|Cancel", 34, answer);
  const std::string text = app.ui.fieldValues[0];
  if (answer < 1 || answer > 3 || TrimBlanks(text).empty()) return;
  if (!FindGroceryItems(app.grocery, text, static_cast<GroceryField>(answer - 1)))
    ReportGroceryWrite(app, app.grocery.unreadable ? GroceryWrite::kUnreadable : GroceryWrite::kFailed);
}

void ReplaceMatchingCommand(App& app, GroceryField field) {
  GroceryCatalogue& c = app.grocery;
  const bool stores = field == GroceryField::kStore;
  const int32_t item = CurrentItem(c);
  const std::string current = item >= 0 ? ItemText(c.image, item, field) : "";
  for (std::string& value : app.ui.fieldValues) value.clear();
  app.ui.fieldValues[0] = current;
  app.ui.fieldValues[1] = current;
  int answer = 0;
  ShowMessage(app.ui, stores ? "Change All Matching Stores" : "Change All Matching Locations", "From:|To:", 1,
              "Replace|Cancel", kKeepValues + grocery_item::kStoreLimit, answer);
  if (answer != 1) return;
  int32_t changed = 0;
  ReportGroceryWrite(app, ReplaceMatching(c, field, app.ui.fieldValues[0], app.ui.fieldValues[1], changed));
}

}  // namespace tovalia
