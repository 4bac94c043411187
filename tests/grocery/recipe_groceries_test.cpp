// "Add to Grocery List": ingredient lines read as the import reads them,
// matched to items by name with case and plurals ignored.
#include "grocery/recipe_groceries.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "support/collection.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

TEST(SameItemName, CaseAndPluralsAreIgnored) {
  EXPECT_TRUE(SameItemName("Apple", "APPLES"));
  EXPECT_TRUE(SameItemName("tomatoes", "Tomato"));
  EXPECT_TRUE(SameItemName("Berries", "berry"));
  EXPECT_TRUE(SameItemName(" Milk ", "milk"));
  EXPECT_FALSE(SameItemName("Apple", "Apples pie"));
  EXPECT_FALSE(SameItemName("Egg", "Eggplant"));
  EXPECT_FALSE(SameItemName("", ""));
}

TEST(GroceryNameFromIngredientLine, TheIngredientWithoutAmountUnitAndNotes) {
  EXPECT_EQ(GroceryNameFromIngredientLine("1 1/2 c. flour"), "flour");
  EXPECT_EQ(GroceryNameFromIngredientLine("2 large Eggs, beaten"), "Eggs");
  EXPECT_EQ(GroceryNameFromIngredientLine("1 can (14 oz) tomatoes"), "tomatoes");
  EXPECT_EQ(GroceryNameFromIngredientLine("1 cup brown sugar; packed"), "brown sugar");
  EXPECT_EQ(GroceryNameFromIngredientLine("salt and pepper to taste"), "salt and pepper to taste");
  EXPECT_EQ(GroceryNameFromIngredientLine("1/2 teaspoon freshly ground black pepper"), "freshly ground black pepp");
  EXPECT_EQ(GroceryNameFromIngredientLine("For the filling:"), "");
  EXPECT_EQ(GroceryNameFromIngredientLine("-----"), "");
  EXPECT_EQ(GroceryNameFromIngredientLine("   "), "");
}

class RecipeGroceries : public ::testing::Test {
 protected:
  testing::Collection collection;
  GroceryCatalogue c{collection.db().paths.groceryFile};

  std::vector<int32_t> Entries(std::initializer_list<int32_t> ids) {
    std::vector<int32_t> entries;
    for (int32_t id : ids) entries.push_back(FindEntryByRecipeId(collection.db(), id));
    return entries;
  }
  void SetUp() override {
    collection.AppendChapter(1, "Cakes");
    collection.AppendRecipe(1, 1, "Apple Cake", "2 cups flour\r3 Eggs\r2 apples, sliced\r\rFor the top:\r1 T butter");
    collection.AppendRecipe(2, 1, "Omelette", "3 eggs\r1 pinch salt");
    collection.AppendRecipe(3, 1, "Notes", "2 cups flour", "", kKindTextRecord);
    ScanRecords(collection.db());
    int32_t id = -1;
    AddGroceryItem(c, {"Egg", "Farm", "", "0.30", "0"}, id);
    AddGroceryItem(c, {"Apple", "Market", "Produce", "0.50", "0"}, id);
  }
};

TEST_F(RecipeGroceries, MatchingItemsAreRaisedAndTheOthersAdded) {
  RecipeGroceryReport report = AddRecipesToGroceryList(collection.db(), c, Entries({1, 2, 3}));
  EXPECT_EQ(report.write, GroceryWrite::kWritten);
  EXPECT_EQ(report.recipes, 2);  // the text record is passed over
  EXPECT_EQ(report.raised, 3);   // Eggs twice, apples once
  EXPECT_EQ(report.added, 3);    // flour, butter, salt
  LoadGroceryItems(c);
  std::vector<std::pair<std::string, int32_t>> items;
  for (int32_t o = 0; o < c.count * 100; o += 100) items.emplace_back(ItemName(c.image, o), ItemQuantity(c.image, o));
  EXPECT_EQ(items, (std::vector<std::pair<std::string, int32_t>>{
                       {"Apple", 1}, {"butter", 1}, {"Egg", 2}, {"flour", 1}, {"salt", 1}}));
  EXPECT_EQ(ItemStore(c.image, 100), "");
  EXPECT_EQ(RecipeGroceryMessage(report, c.path),
            "Ingredients of 2 recipes added to the grocery list:||3 items already listed, raised by one|"
            "3 items added");
}

TEST_F(RecipeGroceries, AnUnreadableCatalogueIsLeftAlone) {
  std::filesystem::remove(c.path);
  std::filesystem::create_directory(c.path);
  RecipeGroceryReport report = AddRecipesToGroceryList(collection.db(), c, Entries({1}));
  EXPECT_EQ(report.write, GroceryWrite::kUnreadable);
  EXPECT_EQ(report.added, 0);
  EXPECT_TRUE(std::filesystem::is_directory(c.path));
}

}  // namespace
}  // namespace tovalia
