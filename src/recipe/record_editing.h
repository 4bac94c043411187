// Writing records by hand: a new recipe or text record, or a change to the
// current one, through the editor and stored by the record operations.
#pragma once

#include <cstdint>

#include "state/app_state.h"

namespace tovalia {

// "Add Recipe" (kind 0) and "Add Text" (kind 1): a new record with four
// servings in the current chapter, which the caller has checked is a real
// one. Saved, it is stored and becomes the current list item.
void AddRecordInEditor(App& app, int32_t kind);

// "Edit": the current list item in the editor. Saved, it is stored as the
// replacing copy (the old one flagged deleted) and stays current. The
// record buffers hold the stored record afterwards either way.
void EditCurrentRecord(App& app);

}  // namespace tovalia
