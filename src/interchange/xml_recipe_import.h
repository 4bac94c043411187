// The reader of XML recipe files whose recipes are <Recipe Name=...>
// elements (an <fdx> file): not a general XML parser, but a reader that
// looks for the few elements a recipe is made of in the text gathered from
// the source's lines, and takes each one as soon as it is complete. A whole
// cookbook may stand on one line, or one element may run over many.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "interchange/imported_recipe.h"

namespace tovalia {

class XmlRecipeReader {
 public:
  using Sink = std::function<void(ImportedRecipe&&)>;
  explicit XmlRecipeReader(Sink sink) : sink_(std::move(sink)) {}

  // One raw line of the source (the first one from its "<Recipe " on).
  // Every element it completes is taken: a recipe's start with its name,
  // servings and types; its ingredient lines and headings; its procedures,
  // tips and author notes; its end, which hands the recipe on. Images are
  // skipped, their data lines dropped unread.
  void ImportXmlLine(std::string_view raw);
  // The end of the source hands on a recipe still open.
  void End();

 private:
  // Takes elements from the gathered text until none is complete.
  void TakeElements();
  // The element opening at `at`: its length when it is complete, 0 when
  // more text is needed.
  size_t TakeElement(size_t at);
  void StartRecipe(std::string_view tag);
  void AddIngredient(std::string_view tag);
  void AddText(std::string_view content);
  void FinishRecipe();
  // Watches the line just added for an image whose data runs on over the
  // next lines.
  void WatchForImage(std::string_view line);

  Sink sink_;
  std::string buffer_;
  size_t from_ = 0;              // where the next element is looked for
  size_t searchedTo_ = 0;        // how far a closing tag of the waiting element was looked for
  std::string imageClose_;       // the closing tag of an image whose data lines are dropped
  bool open_ = false;            // a recipe is open
  bool ingredientsEnded_ = false;
  ImportedRecipe recipe_;
};

}  // namespace tovalia
