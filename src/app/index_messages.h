// The exact words of the Index screen's refusals and questions.
#pragma once

namespace tovalia::message {

inline constexpr char kReservedForRecipes[] =
    "Recipes cannot be added to the top four chapters,|"
    "as they are reserved for special operations.||"
    "Please select another chapter to add your recipe to.||"
    "If none of the existing chapters are appropriate,|"
    "add a new chapter before adding your recipe.";
inline constexpr char kReservedForText[] =
    "Text records cannot be added to the top four chapters,|"
    "as they are reserved for special operations.||"
    "Please select another chapter to add your text to.||"
    "If none of the existing chapters are appropriate,|"
    "add a new chapter before adding your text record.";
inline constexpr char kReservedForImport[] =
    "Recipes cannot be imported to the top four chapters,|"
    "as they are reserved for special operations.||"
    "Please select another chapter to import your recipe to.||"
    "If none of the existing chapters are appropriate,|"
    "add a new chapter before importing your recipe.";
inline constexpr char kNoChapters[] =
    "*** NO CHAPTERS ***||"
    "Before you can add a recipe, you must add a chapter.|"
    "You can do this by clicking the CHAPTER button|"
    "and selecting ADD NEW CHAPTER.";
inline constexpr char kSelectARecipe[] = "Please select a recipe";
inline constexpr char kNoRecipesInChapter[] = "There are no recipes in this chapter";
inline constexpr char kSelectToPrint[] = "Please select the recipes you want to print";
inline constexpr char kSelectToDelete[] = "Please select the recipes you want to delete";
inline constexpr char kNoRecipesAtAll[] = "There are no recipes?";
inline constexpr char kNoneSelected[] = "No recipes have been selected!";

inline constexpr char kReservedNoEdit[] = "The top four chapters are reserved.||This chapter cannot be edited.";
inline constexpr char kReservedNoDelete[] =
    "The top four chapters are reserved.||This chapter cannot be deleted.";
inline constexpr char kConfirmPurge[] =
    "You are about to delete all chapters|that do not contain recipes.||Do you wish to continue?";

inline constexpr char kAccuracyHeading[] = "Select Accuracy of Duplicate Search";
inline constexpr char kAccuracyChoices[] =
    "Best Matching   (Fewest False Matches)|Average Matching   (More False Matches)|"
    "Poor Matching   (False Matches Likely)";

inline constexpr char kUpgradeWarning[] =
    "*** WARNING ***|All recipes in the current database will be deleted|"
    "if you upgrade from another version.||Are you sure you want to continue?";

}  // namespace tovalia::message
