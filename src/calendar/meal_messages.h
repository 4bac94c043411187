// The exact words of the meal calendar's messages and questions.
#pragma once

#include <string>

namespace tovalia::meal_message {

inline constexpr char kAddToDay[] = "|Add note or select current recipe";
inline constexpr char kNoRecipeSelected[] = "No Recipe Selected";
inline constexpr char kEditNote[] = "Edit Note";
inline constexpr char kRecipeGone[] = "The recipe you selected no longer exists?";
inline constexpr char kListEmpty[] = "The meal list is empty.";
inline constexpr char kNoMealSelected[] = "No Meal Selected";
inline constexpr char kDeleteCurrent[] = "Delete Current Item From Meal List?";
inline constexpr char kDeleteTicked[] = "Delete Selected Items From Meal List?";
inline constexpr char kNothingToPrint[] = "There are no items to print?";
inline constexpr char kNoRecipesInChapter[] = "There are no recipes in this chapter.";
inline constexpr char kSelectRecipes[] = "Please select the recipes you|want to add to the meal calendar.";
inline constexpr char kAddTicked[] = "Do you want to add the selected|recipes to the meal calendar?";
inline constexpr char kAddingMeals[] = "Adding Meals to Calendar";
inline constexpr char kNoRecipeToAdd[] = "No recipe to add to meal calendar?";
inline constexpr char kAddThisRecipe[] = "Do you want to add this recipe|to the meal calendar?";
inline constexpr char kAddingMeal[] = "Adding meal to calendar";
inline constexpr char kNothingToExport[] = "There are no meals to export?";
inline constexpr char kExportWhere[] = "Where Do You Want To Save Your Meal Calendar?";
inline constexpr char kNoRecipesAmongMeals[] = "The chosen meals hold no recipe|that is still in the collection?";
// The question before the chosen meals' recipes go on the shopping list.
inline std::string RaiseShoppingList(size_t recipes) {
  return "Put the ingredients of " + std::to_string(recipes) + (recipes == 1 ? " recipe" : " recipes") +
         "|on the shopping list?";
}

// The calendar file could not be written (or read before a write).
inline std::string NotSaved(const std::string& path) {
  return "The meal calendar could not be saved in|" + path + "||Nothing was changed.";
}

}  // namespace tovalia::meal_message
