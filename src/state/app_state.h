// What the whole program holds for the whole run: the toolkit, the
// database, the settings, the grocery catalogue, the meal calendar and
// which screen is up. It lies beneath every screen: screens include it, and
// it includes nothing above the toolkit.
#pragma once

#include <string>

#include "calendar/meal_calendar.h"
#include "db/database.h"
#include "grocery/grocery_catalogue.h"
#include "platform/print_device.h"
#include "state/settings.h"
#include "ui/ui.h"

namespace tovalia {

// Screen numbers.
inline constexpr int kHelpScreen = 0;
inline constexpr int kIndexScreen = 1;
inline constexpr int kRecipeScreen = 2;
inline constexpr int kGroceryScreen = 3;
inline constexpr int kMealsScreen = 4;

struct App {
  App(Ui& ui, Database& db, Settings& settings, MealCalendar& meals)
      : ui(ui), db(db), settings(settings), meals(meals), grocery(db.paths.groceryFile) {}

  Ui& ui;
  Database& db;
  Settings& settings;
  MealCalendar& meals;
  int currentScreen = kIndexScreen;
  int requestedScreen = kIndexScreen;
  // The printers and fonts printing can use; set by the program's start.
  PrintSystem* printers = nullptr;
  // A word the Recipe screen hands to the Grocery screen to look for.
  std::string grocerySearchWord;
  // The grocery items, read afresh each time the Grocery screen opens.
  GroceryCatalogue grocery;
  // Why the data folder is the one in use ("beside the program", ...), for the Help screen.
  std::string dataFolderOrigin;
  // A file handed to the program to import once the Index screen shows.
  std::string fileToImport;
  // Set when the user left a spell-check pass with "Quit"; an import reads
  // it to stop checking the recipes still to come.
  bool spellCheckQuit = false;
};

}  // namespace tovalia
