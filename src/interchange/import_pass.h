// The one pass over a text export: recognises the program that wrote each
// recipe by its marker lines, cuts the text into recipes, reads each one's
// title, categories, servings and photo from its header, collects its body,
// and hands the finished recipe on, split into ingredients and directions.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "interchange/imported_recipe.h"
#include "interchange/xml_recipe_import.h"

namespace tovalia {

// Which program wrote the recipe being read, by its start marker.
enum class ImportFormat {
  kNone = 0,
  kOwnText = 2,
  kMealMaster = 3,
  kMasterCook = 4,
  kBigOven = 5,
  kRecipeBegins = 6,
  kStarBanner = 7,
  kNowYoureCooking = 8,
  kXml = 9,
  kCookbookWizard = 10,
  kRpw = 11,
  kTildeCoded = 12,
};

class ImportPass {
 public:
  using Sink = std::function<void(ImportedRecipe&&)>;
  explicit ImportPass(Sink sink) : sink_(std::move(sink)) {}
  // The XML reader hands its recipes on through this pass.
  ImportPass(const ImportPass&) = delete;
  ImportPass& operator=(const ImportPass&) = delete;

  // One line of the source, its line end stripped.
  void Line(const std::string& raw);
  // The end of the source finishes the recipe still open.
  void End();

 private:
  bool StartMarker(const std::string& raw, const std::string& trimmed, const std::string& upper);
  bool EndMarker(const std::string& trimmed, const std::string& upper);
  void Header(const std::string& raw, const std::string& trimmed, const std::string& upper);
  void OwnTextLine(const std::string& raw, const std::string& trimmed, const std::string& upper);
  void TakeHeldServings();
  void TildeCodedLine(const std::string& trimmed, const std::string& upper);
  bool PhotoLine(const std::string& trimmed);
  void EndPhoto();
  void Collect(const std::string& raw);
  void Finish();
  void Reset();

  Sink sink_;
  // From the first "<Recipe " on, the rest of the source is XML.
  XmlRecipeReader xml_{[this](ImportedRecipe&& recipe) { sink_(std::move(recipe)); }};
  ImportFormat format_ = ImportFormat::kNone;
  int section_ = 0;  // 0 outside a recipe, 1 title awaited, 2 header, 3 body, 5 photo data
  bool servingsSeen_ = false;
  bool hasTitle_ = false;
  bool columns_ = false;  // the body opened under MasterCook's column heading
  bool categoriesGoOn_ = false;  // Now You're Cooking's categories may run over lines
  ImportedRecipe recipe_;
  std::vector<std::string> body_;
  size_t bodyBytes_ = 0;
  std::string previousUpper_;
  std::string trimmed_;  // the line being read, trimmed and upper-cased
  std::string upper_;
  std::string pendingDirection_;
  // A photo of the program's own export: its announced length, the lines
  // read so far (given back as text when they are no sound image), and the
  // section it interrupted.
  size_t photoLength_ = 0;
  size_t photoChars_ = 0;  // Base64 characters read so far
  std::vector<std::string> photoLines_;
  int sectionBeforePhoto_ = 0;
  // The own export: a servings line not yet known to end its recipe, the
  // blank lines after it, and whether the recipe was a text record (its
  // servings line holds no number).
  std::optional<std::string> heldServings_;
  int heldBlankLines_ = 0;
  bool ownTextRecord_ = false;
  // Blank lines between the chapter line and the title: the writer puts one
  // there, and a second when the title itself is blank.
  int blankLinesBeforeTitle_ = 0;
};

}  // namespace tovalia
