// Now You're Cooking bodies: the ingredients are the first paragraph after
// the categories line, whatever their lines look like ("1  text only");
// the directions follow.
#include "db/cp1252.h"
#include "interchange/body_split.h"

namespace tovalia {

namespace {

bool OpensWithDigit(const std::string& line) { return !line.empty() && line[0] >= '0' && line[0] <= '9'; }

}  // namespace

void SplitNowYoureCookingBody(const std::vector<std::string>& lines, ImportedRecipe& recipe) {
  size_t first = 0;
  while (first < lines.size() && TrimBlanks(lines[first]).empty()) ++first;
  size_t end = first;
  bool amounts = false;
  while (end < lines.size() && !TrimBlanks(lines[end]).empty()) {
    amounts = amounts || OpensWithDigit(TrimBlanks(lines[end]));
    ++end;
  }
  // A first paragraph without a single amount is no ingredient list.
  if (!amounts) {
    SplitBodyByScan(lines, recipe);
    return;
  }
  for (size_t i = first; i < end; ++i) {
    const std::string line = TrimBlanks(lines[i]);
    recipe.ingredients.push_back(HeadingText(line).value_or(line));
  }
  size_t from = end;
  while (from < lines.size() && TrimBlanks(lines[from]).empty()) ++from;
  for (size_t i = from; i < lines.size(); ++i) recipe.directions.push_back(lines[i]);
}

}  // namespace tovalia
