// Resizing the loaded recipe: every ingredient line's quantity scaled.
#pragma once

#include "db/byte_buffer.h"
#include "db/database.h"
#include "layout/line_breaker.h"

namespace tovalia {

// Scales every display line of the current record's ingredients (cut by the
// table), from the last to the first; afterwards each display line is a line
// of its own. Rebuilds the table and sets IngredientsLength. Lines that
// would grow the text past its buffer are left as they were. The measure is
// the one the table is laid out with (see BuildLineTable).
void ResizeIngredients(Database& db, double factor, ByteBuffer& ingredientsTable,
                       const TextMeasure& measure = {});

// The servings a resize to n leaves: n rounded (a half to the even
// neighbour), at most 255.
int32_t ServingsAfterResize(double n);

}  // namespace tovalia
