#include "support/recipe_text.h"

namespace tovalia::testing {

std::string MealMasterRecipes(int count, const std::string& titlePrefix) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    text += "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
            "      Title: " + titlePrefix + " " + n + "\r\n"
            " Categories: " + (i % 2 ? "Soups" : "Breads") + "\r\n"
            "      Yield: " + std::to_string(2 + i % 6) + " servings\r\n\r\n"
            "      2    Leeks, sliced\r\n"
            "    1/2 c  Butter\r\n"
            "      " + n + " ts Salt\r\n\r\n"
            "  Melt the butter and soften the leeks for " + n + " minutes.\r\n\r\n"
            "  Season and serve hot.\r\n"
            "MMMMM\r\n\r\n";
  }
  return text;
}

}  // namespace tovalia::testing
