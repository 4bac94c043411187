// The Meals screen (screen 4): the scrolling week grid and the meal list.
#pragma once

#include "calendar/meals_view.h"
#include "state/app_state.h"

namespace tovalia {

void RunMealsScreen(App& app);

// What entering the screen does before the first picture: the grid from two
// months back, the meals from its first day on, today selected and in view.
void EnterMealsScreen(App& app, const MealsView& view, MealsScreenState& state);

}  // namespace tovalia
