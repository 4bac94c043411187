#include "recipe/editor_model.h"

#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "recipe/line_table.h"

namespace tovalia {

namespace {

std::string_view BufferText(const ByteBuffer& buffer, int32_t length) {
  if (length <= 0 || !buffer.Holds(0, length)) return {};
  return {reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(length)};
}

void SetUpText(EditorText& field, std::string_view text, int32_t pixels, const EditorWrap& wrap) {
  SetUpEditorText(field, text, kEditorTextLength, kEditorLineCapacity, line_table::kMostWrapWidth, pixels,
                  wrap.measure);
  field.visibleRows = wrap.visibleRows;
}

}  // namespace

EditorText& EditorModel::Field(EditorFocus which) {
  switch (which) {
    case EditorFocus::kTitle: return title;
    case EditorFocus::kIngredients: return ingredients;
    case EditorFocus::kDirections: return directions;
  }
  return title;
}

const EditorText& EditorModel::Field(EditorFocus which) const {
  return const_cast<EditorModel*>(this)->Field(which);
}

void OpenInEditor(EditorModel& model, const Database& db, const EditorWrap& wrap) {
  const ByteBuffer& h = db.recordHeaderBuffer;
  model.textRecord = GetU8(h, header::kRecordKind) == kKindTextRecord;
  model.focus = EditorFocus::kTitle;
  model.modified = false;
  // The title is one line of at most 59 typed characters; a longer stored
  // title is kept whole.
  SetUpEditorText(model.title, BufferText(db.titleBuffer, GetU8(h, header::kTitleLength)), kEditorTitleLength, 1,
                  line_table::kMostWrapWidth, 0, {});
  SetUpText(model.ingredients, BufferText(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength)),
            wrap.ingredientsPixels, wrap);
  SetUpText(model.directions,
            model.textRecord ? std::string_view() : BufferText(db.directionsBuffer, GetI32(h, header::kDirectionsLength)),
            wrap.directionsPixels, wrap);
}

void FocusNextField(EditorModel& model) {
  ClearBlock(model.Focused());
  switch (model.focus) {
    case EditorFocus::kTitle: model.focus = EditorFocus::kIngredients; break;
    case EditorFocus::kIngredients:
      model.focus = model.textRecord ? EditorFocus::kTitle : EditorFocus::kDirections;
      break;
    case EditorFocus::kDirections: model.focus = EditorFocus::kTitle; break;
  }
}

bool HasTitle(const EditorModel& model) { return !TrimBlanks(model.title.text).empty(); }

void WriteBackToRecord(const EditorModel& model, Database& db) {
  SetCurrentTitle(db, model.title.text);
  SetCurrentIngredients(db, model.ingredients.text);
  SetCurrentDirections(db, model.textRecord ? std::string() : model.directions.text);
}

void ReloadIngredients(EditorModel& model, const Database& db) {
  model.ingredients.text =
      std::string(BufferText(db.ingredientsBuffer, GetI32(db.recordHeaderBuffer, header::kIngredientsLength)));
  model.ingredients.cursor = 0;
  model.ingredients.firstVisible = 0;
  ClearBlock(model.ingredients);
  RebuildLines(model.ingredients);
}

}  // namespace tovalia
