// The recipe editor: a full-screen form over the current record's buffers
// in which the user writes or changes a recipe or a text record.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// Edits the current record (its kind decides the form). Returns true when
// the user saved: the title, texts, servings and photo are then in the
// record buffers with their lengths, for the caller to store. False when
// cancelled; the buffers may then hold unsaved changes and are to be read
// again. A tab picked to leave is left in app.requestedScreen. `unsaved`:
// the buffers already hold changes that were not stored (leaving asks).
bool EditRecord(App& app, bool unsaved = false);

}  // namespace tovalia
