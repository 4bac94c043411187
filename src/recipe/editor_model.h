// The recipe editor's record apart from its screen: the title and the text
// fields over the current record's buffers, which field has the focus, and
// whether anything changed. The photo and servings are edited in the record
// buffers themselves.
#pragma once

#include <array>

#include "db/database.h"
#include "recipe/editor_text.h"

namespace tovalia {

enum class EditorFocus { kTitle = 0, kIngredients = 1, kDirections = 2 };

struct EditorModel {
  bool textRecord = false;  // a text record has a title and one text (kIngredients)
  EditorText title;
  EditorText ingredients;
  EditorText directions;
  EditorFocus focus = EditorFocus::kTitle;
  bool modified = false;

  EditorText& Field(EditorFocus which);
  const EditorText& Field(EditorFocus which) const;
  EditorText& Focused() { return Field(focus); }
};

// How the text fields break their lines: the Recipe screen's measured
// widths, so that the editor's lines are the ones the viewer shows.
struct EditorWrap {
  int32_t ingredientsPixels = 0;  // a text record's text uses this one
  int32_t directionsPixels = 0;
  TextMeasure measure;
  int32_t visibleRows = 1;
};

// Takes the current record's title, texts and kind into the model.
void OpenInEditor(EditorModel& model, const Database& db, const EditorWrap& wrap);
// Tab: title, ingredients, directions and round again (title and text for a
// text record); the block of the field left behind is cleared.
void FocusNextField(EditorModel& model);
// Whether Save may go ahead: the title holds more than blanks.
bool HasTitle(const EditorModel& model);
// Puts the title and texts back into the record buffers with their lengths.
void WriteBackToRecord(const EditorModel& model, Database& db);
// Takes the ingredients from the record buffers again (after a resize),
// with the cursor at their start.
void ReloadIngredients(EditorModel& model, const Database& db);

}  // namespace tovalia
