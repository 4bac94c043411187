// What the application shell holds for the whole run: the toolkit, the
// database, the settings and which screen is up.
#pragma once

#include "app/settings.h"
#include "db/database.h"
#include "ui/ui.h"

namespace tovalia {

// Screen numbers.
inline constexpr int kHelpScreen = 0;
inline constexpr int kIndexScreen = 1;
inline constexpr int kRecipeScreen = 2;
inline constexpr int kGroceryScreen = 3;
inline constexpr int kMealsScreen = 4;

struct App {
  Ui& ui;
  Database& db;
  Settings& settings;
  int currentScreen = kIndexScreen;
  int requestedScreen = kIndexScreen;
};

}  // namespace tovalia
