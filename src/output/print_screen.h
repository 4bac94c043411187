// The "Print Recipes" screen: the layout, its card positions with a live
// preview, printer, font and size, the four options, and printing the
// current recipe or every ticked one.
#pragma once

#include "state/app_state.h"

namespace tovalia {

inline constexpr int kPrintCurrentRecipe = 0;
inline constexpr int kPrintTickedRecipes = 1;

void PrintRecipes(App& app, int scope);

}  // namespace tovalia
