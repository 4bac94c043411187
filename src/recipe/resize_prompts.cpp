#include "recipe/resize_prompts.h"

#include <algorithm>
#include <string>

#include "db/cp1252.h"
#include "db/record_format.h"
#include "recipe/quantity.h"
#include "recipe/resize.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

constexpr int kServingsFieldWidth = 5;

// The number typed in the prompt's field (fractions allowed), or 0.
double TypedNumber(const Ui& ui) { return ParseLeadingQuantity(TrimBlanks(ui.fieldValues[0])).value; }

// " Servings)" after the count with a blank for its sign.
std::string Currently(int servings) { return "(Currently  " + std::to_string(servings) + " Servings)"; }

}  // namespace

double AskDoubleOrHalve(Ui& ui) {
  int answer = 0;
  ShowMessage(ui, "No servings specified.||Do you want to double or halve the recipe?", "", 1,
              "Double|Halve|Cancel", 0, answer);
  if (answer == 1) return 2;
  if (answer == 2) return 0.5;
  return 0;
}

bool AskPermanentResize(Ui& ui, Database& db, ByteBuffer& ingredientsTable, const TextMeasure& measure) {
  const int servings = GetU8(db.recordHeaderBuffer, header::kServings);
  double factor = 0;
  if (servings == 0) {
    factor = AskDoubleOrHalve(ui);
  } else {
    int answer = 0;
    ShowMessage(ui, "Resize to what number of servings?|" + Currently(servings), "", 1, "OK|Cancel",
                kServingsFieldWidth, answer);
    const int wanted = ServingsAfterResize(TypedNumber(ui));
    if (answer == 1 && wanted > 0) {
      factor = static_cast<double>(wanted) / servings;
      SetU8(db.recordHeaderBuffer, header::kServings, wanted);
    }
  }
  if (factor <= 0) return false;
  ResizeIngredients(db, factor, ingredientsTable, measure);
  return true;
}

bool AskServingsChange(Ui& ui, Database& db) {
  const int servings = GetU8(db.recordHeaderBuffer, header::kServings);
  int answer = 0;
  ShowMessage(ui, "Enter new serving size|" + Currently(servings) + "|Recipe will NOT be resized.", "",
              1, "OK|Cancel", kServingsFieldWidth, answer);
  if (answer != 1 || TrimBlanks(ui.fieldValues[0]).empty()) return false;
  const double typed = TypedNumber(ui);
  if (typed < 0) return false;
  SetU8(db.recordHeaderBuffer, header::kServings, ServingsAfterResize(typed));
  return true;
}

}  // namespace tovalia
