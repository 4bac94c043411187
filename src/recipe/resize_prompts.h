// The questions that resize a recipe or change its servings, shared by the
// Recipe screen (a temporary resize) and the editor (permanent ones).
#pragma once

#include "db/byte_buffer.h"
#include "db/database.h"
#include "layout/line_breaker.h"
#include "ui/ui.h"

namespace tovalia {

// For a recipe without servings: "Double|Halve|Cancel". Returns 2, 0.5, or
// 0 when cancelled.
double AskDoubleOrHalve(Ui& ui);

// The editor's "Resize": asks for the new number of servings (or doubles or
// halves a recipe without servings), then scales the current record's
// ingredients and sets its servings. True when the record changed. The
// measure is the one the ingredients table is laid out with.
bool AskPermanentResize(Ui& ui, Database& db, ByteBuffer& ingredientsTable, const TextMeasure& measure = {});

// The editor's servings button: a new servings count without resizing.
// True when the record changed.
bool AskServingsChange(Ui& ui, Database& db);

}  // namespace tovalia
