// Grocer30.dat and the catalogue over it: the record layout, name order,
// ids, the views and their counts, and what a failed read or write leaves.
#include "grocery/grocery_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "grocery/grocery_edits.h"
#include "grocery/grocery_money.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::U16At;
using testing::WriteBytes;

// One record as another copy of the program could have written it.
std::vector<uint8_t> Record(const std::string& name, int id, int quantity = 0, int cost = 0,
                            const std::string& store = "", uint8_t reservedFill = 0) {
  std::vector<uint8_t> r(100, 0);
  r[0] = static_cast<uint8_t>(name.size());
  std::copy(name.begin(), name.end(), r.begin() + 1);
  r[26] = static_cast<uint8_t>(store.size());
  std::copy(store.begin(), store.end(), r.begin() + 27);
  r[58] = static_cast<uint8_t>(quantity);
  r[60] = static_cast<uint8_t>(cost), r[61] = static_cast<uint8_t>(cost >> 8);
  r[62] = static_cast<uint8_t>(id), r[63] = static_cast<uint8_t>(id >> 8);
  for (int i = 64; i < 95; ++i) r[static_cast<size_t>(i)] = reservedFill;
  for (int i = 96; i < 100; ++i) r[static_cast<size_t>(i)] = reservedFill;
  return r;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> records) {
  std::vector<uint8_t> out;
  for (const auto& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

class Catalogue : public ::testing::Test {
 protected:
  TempFolder folder;
  GroceryCatalogue c{folder.File("Grocer30.dat")};

  int32_t Add(const std::string& name, const std::string& cost = "", const std::string& store = "",
              const std::string& defaultQuantity = "0") {
    int32_t id = -1;
    EXPECT_EQ(AddGroceryItem(c, {name, store, "", cost, defaultQuantity}, id), GroceryWrite::kWritten);
    return id;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int32_t o = 0; o < c.count * 100; o += 100) names.push_back(ItemName(c.image, o));
    return names;
  }
  int32_t ItemWithId(int32_t id) {
    for (int32_t o = 0; o < c.count * 100; o += 100)
      if (ItemId(c.image, o) == id) return o;
    return -1;
  }
};

TEST_F(Catalogue, AMissingFileIsEmptyAndTheFirstItemCreatesIt) {
  EXPECT_TRUE(LoadGroceryItems(c));
  EXPECT_EQ(c.count, 0);
  EXPECT_FALSE(testing::Exists(c.path));
  EXPECT_EQ(Add("Milk", "1.89", "Corner Shop", "2"), 0);
  const std::vector<uint8_t> bytes = ReadBytes(c.path);
  ASSERT_EQ(bytes.size(), 100u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 1 + bytes[0]), "Milk");
  EXPECT_EQ(std::string(bytes.begin() + 27, bytes.begin() + 27 + bytes[26]), "Corner Shop");
  EXPECT_EQ(U16At(bytes, 60), 189);
  EXPECT_EQ(bytes[59], 2);  // default quantity
  EXPECT_EQ(bytes[58], 0);  // not on the list yet
  EXPECT_TRUE(std::all_of(bytes.begin() + 64, bytes.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(Catalogue, ATrailingPartialRecordIsIgnoredAndDroppedAtTheNextRewrite) {
  std::vector<uint8_t> file = Join({Record("Apples", 0), Record("Bread", 1)});
  file.resize(250, 0x55);
  WriteBytes(c.path, file);
  ASSERT_TRUE(LoadGroceryItems(c));
  EXPECT_EQ(c.count, 2);
  ASSERT_TRUE(StoreGroceryItem(c, kWriteAllItems));
  EXPECT_EQ(ReadBytes(c.path), Join({Record("Apples", 0), Record("Bread", 1)}));
}

TEST_F(Catalogue, NewItemsGoInUpperCasedNameOrderAfterEqualNames) {
  Add("Bananas");
  Add("apples");
  Add("BANANAS");
  Add("banana split");
  Add("Banana");  // a prefix sorts first
  EXPECT_EQ(Names(), (std::vector<std::string>{"apples", "Banana", "banana split", "Bananas", "BANANAS"}));
  EXPECT_EQ(ItemId(c.image, 300), 0);  // the first Bananas kept its place before the second
}

TEST_F(Catalogue, ANewItemTakesTheSmallestFreeId) {
  EXPECT_EQ(NextGroceryId(c), 0);
  WriteBytes(c.path, Join({Record("A", 3), Record("B", 0), Record("C", 1)}));
  LoadGroceryItems(c);
  EXPECT_EQ(Add("D"), 2);
  EXPECT_EQ(Add("E"), 4);
}

TEST_F(Catalogue, AFullCatalogueRefusesANewItemInsteadOfReusingAnId) {
  std::vector<uint8_t> file;
  for (int id = 0; id < 65536; ++id) {
    const auto r = Record("Item", id);
    file.insert(file.end(), r.begin(), r.end());
  }
  WriteBytes(c.path, file);
  LoadGroceryItems(c);
  int32_t id = 7;
  EXPECT_EQ(AddGroceryItem(c, {"One more", "", "", "", ""}, id), GroceryWrite::kCatalogueFull);
  EXPECT_EQ(ReadBytes(c.path).size(), file.size());
}

TEST_F(Catalogue, TheFormStoresCostsAndQuantitiesWithinTheirFields) {
  Add("Saffron", "400");
  Add("Refund", "-2.50", "", "-3");
  Add("Rice", "$2.25", "", "2.6");
  Add("Beans", "0.295", "", "300");
  Add("Corn", "abc", "", "");
  LoadGroceryItems(c);
  EXPECT_EQ(ItemCost(c.image, 400), 32767);
  EXPECT_EQ(FormatMoney(ItemCost(c.image, 400)), "327.67");
  EXPECT_EQ(ItemCost(c.image, 200), 0);
  EXPECT_EQ(ItemDefaultQuantity(c.image, 200), 0);
  EXPECT_EQ(ItemCost(c.image, 300), 225);
  EXPECT_EQ(ItemDefaultQuantity(c.image, 300), 3);
  EXPECT_EQ(ItemCost(c.image, 0), 30);  // 29.5 cents rounds up
  EXPECT_EQ(ItemDefaultQuantity(c.image, 0), 255);
  EXPECT_EQ(ItemCost(c.image, 100), 0);
}

TEST_F(Catalogue, LongTextsAreCutToTheirFieldsAndABlankNameAddsNothing) {
  int32_t id = -1;
  EXPECT_EQ(AddGroceryItem(c, {"   ", "Market", "", "1", "1"}, id), GroceryWrite::kUnchanged);
  EXPECT_FALSE(testing::Exists(c.path));
  AddGroceryItem(c, {"Extra virgin olive oil 1 litre", "The Big Supermarket", "Aisle seventeen, left", "", ""},
                 id);
  EXPECT_EQ(ItemName(c.image, 0), "Extra virgin olive oil 1 ");
  EXPECT_EQ(ItemStore(c.image, 0), "The Big Superma");
  EXPECT_EQ(ItemLocation(c.image, 0), "Aisle seventeen");
}

TEST_F(Catalogue, ADamagedLengthByteNeverReadsIntoTheNextField) {
  std::vector<uint8_t> r = Record("Tea", 0, 0, 0, "Shop");
  r[0] = 200;
  r[26] = 99;
  WriteBytes(c.path, r);
  LoadGroceryItems(c);
  EXPECT_EQ(ItemName(c.image, 0).size(), 25u);
  EXPECT_EQ(ItemStore(c.image, 0).size(), 15u);
}

TEST_F(Catalogue, EditingKeepsReservedBytesAndMovesTheItemIntoNameOrder) {
  WriteBytes(c.path, Join({Record("Apples", 5, 2, 50, "", 0xAB), Record("Cheese", 6, 0, 0, "", 0xCD)}));
  LoadGroceryItems(c);
  BuildGroceryView(c, kAllItemsMode);
  c.currentRow = 0;
  StartEditingItem(c, CurrentItem(c));
  GroceryItemForm form = FormFromItem(c.editBuffer, 0);
  EXPECT_EQ(form.cost, "0.50");
  form.name = "Dates";
  EXPECT_EQ(SaveEditedItem(c, form), GroceryWrite::kWritten);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cheese", "Dates"}));
  EXPECT_EQ(c.currentRow, 1);  // the edited item stays current
  const std::vector<uint8_t> bytes = ReadBytes(c.path);
  EXPECT_EQ(bytes[100 + 58], 2);  // its quantity, id and reserved bytes came along
  EXPECT_EQ(U16At(bytes, 100 + 62), 5);
  EXPECT_EQ(bytes[100 + 64], 0xAB);
  EXPECT_EQ(bytes[100 + 99], 0xAB);
  EXPECT_EQ(bytes[64], 0xCD);
}

TEST_F(Catalogue, EditingOneOfTwoItemsThatShareAnIdLeavesTheOtherAlone) {
  // Ids are unique in files this program writes; a copied-together file
  // may not keep that, and an edit must still touch one item only.
  WriteBytes(c.path, Join({Record("Apples", 1), Record("Bread", 1), Record("Cheese", 2)}));
  LoadGroceryItems(c);
  BuildGroceryView(c, kAllItemsMode);
  c.currentRow = 1;
  StartEditingItem(c, CurrentItem(c));
  EXPECT_EQ(DeleteEditedItem(c), GroceryWrite::kWritten);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Apples", "Cheese"}));
}

TEST_F(Catalogue, DeletingKeepsTheCurrentRowInsideTheList) {
  Add("Apples");
  Add("Bread");
  BuildGroceryView(c, kAllItemsMode);
  c.currentRow = 1;
  StartEditingItem(c, CurrentItem(c));
  DeleteEditedItem(c);
  EXPECT_EQ(c.currentRow, 0);
  StartEditingItem(c, CurrentItem(c));
  DeleteEditedItem(c);
  EXPECT_TRUE(c.view.empty());
  EXPECT_EQ(ReadBytes(c.path).size(), 0u);
}

TEST_F(Catalogue, QuantitiesStayWithin0And255AndTheSelectedViewFollows) {
  Add("Apples");
  Add("Bread");
  BuildGroceryView(c, kAllItemsMode);
  c.currentRow = 1;
  EXPECT_EQ(StepCurrentQuantity(c, -1), GroceryWrite::kUnchanged);  // already 0
  SetItemQuantity(c, CurrentItem(c), 254);
  EXPECT_EQ(StepCurrentQuantity(c, +1), GroceryWrite::kWritten);
  EXPECT_EQ(StepCurrentQuantity(c, +1), GroceryWrite::kUnchanged);
  EXPECT_EQ(ItemQuantity(c.image, CurrentItem(c)), 255);
  EXPECT_EQ(ReadBytes(c.path)[158], 255);

  c.currentRow = 0;
  StepCurrentQuantity(c, +1);
  BuildGroceryView(c, kSelectedItemsMode);
  ASSERT_EQ(c.view.size(), 2u);
  c.currentRow = 0;
  EXPECT_EQ(StepCurrentQuantity(c, -1), GroceryWrite::kWritten);  // Apples 1 → 0 leaves the view
  ASSERT_EQ(c.view.size(), 1u);
  EXPECT_EQ(ItemName(c.image, c.view[0]), "Bread");
  EXPECT_EQ(c.modeCounts, (std::array<int32_t, 3>{2, 1, 0}));
}

TEST_F(Catalogue, TheListTotalIsQuantityTimesCostOverAllItems) {
  Add("A", "1.50");
  Add("B", "0");
  Add("C", "2.25");
  Add("D", "9.99");
  LoadGroceryItems(c);
  SetU8(c.image, 0 + 58, 2);
  SetU8(c.image, 100 + 58, 5);
  SetU8(c.image, 200 + 58, 1);
  BuildGroceryView(c, kSelectedItemsMode);
  EXPECT_EQ(FormatMoney(c.listTotal), "5.25");
  EXPECT_EQ(c.view.size(), 3u);

  // 300 items at the highest cost and quantity pass what 32 bits hold.
  std::vector<uint8_t> many;
  for (int id = 0; id < 300; ++id) {
    const auto r = Record("X", id, 255, 32767);
    many.insert(many.end(), r.begin(), r.end());
  }
  WriteBytes(c.path, many);
  LoadGroceryItems(c);
  BuildGroceryView(c, kAllItemsMode);
  EXPECT_EQ(c.listTotal, 300LL * 255 * 32767);
  EXPECT_EQ(FormatMoney(c.listTotal), "25066755.00");
}

TEST_F(Catalogue, FindMarksMatchesInTheChosenFieldAndKeepsThemInTheFile) {
  Add("Apples", "", "Market");
  Add("Pineapple", "", "Corner Shop");
  Add("Bread", "", "Bakery");
  EXPECT_TRUE(FindGroceryItems(c, "  APPLE ", GroceryField::kName));
  EXPECT_EQ(c.displayMode, kSearchResultsMode);
  EXPECT_EQ(c.view.size(), 2u);
  EXPECT_EQ(ReadBytes(c.path)[95], 1);
  EXPECT_EQ(ReadBytes(c.path)[195], 0);

  FindGroceryItems(c, "shop", GroceryField::kStore);
  ASSERT_EQ(c.view.size(), 1u);
  EXPECT_EQ(ItemName(c.image, c.view[0]), "Pineapple");

  c.currentRow = 0;
  FindGroceryItems(c, "   ", GroceryField::kName);  // an empty text changes nothing
  EXPECT_EQ(c.modeCounts[kSearchResultsMode], 1);
}

TEST_F(Catalogue, ReplacingAStoreMatchesTrimmedTextInAnyCase) {
  Add("A", "", "Market");
  Add("B", "", "MARKET ");
  Add("C", "", "market");
  Add("D", "", "Supermarket");
  int32_t changed = -1;
  const std::vector<uint8_t> before = ReadBytes(c.path);
  EXPECT_EQ(ReplaceMatching(c, GroceryField::kStore, "Market", " Market", changed), GroceryWrite::kUnchanged);
  EXPECT_EQ(ReadBytes(c.path), before);
  EXPECT_EQ(ReplaceMatching(c, GroceryField::kStore, "market", "Corner Market", changed), GroceryWrite::kWritten);
  EXPECT_EQ(changed, 3);
  LoadGroceryItems(c);
  EXPECT_EQ(ItemStore(c.image, 0), "Corner Market");
  EXPECT_EQ(ItemStore(c.image, 200), "Corner Market");
  EXPECT_EQ(ItemStore(c.image, 300), "Supermarket");
}

TEST_F(Catalogue, ANewListSetsEveryQuantityAndShowsTheSelectedItems) {
  Add("A", "", "", "2");
  Add("B", "", "", "0");
  StartNewList(c, NewListChoice::kOne);
  EXPECT_EQ(c.modeCounts[kSelectedItemsMode], 2);
  StartNewList(c, NewListChoice::kDefaults);
  EXPECT_EQ(c.displayMode, kSelectedItemsMode);
  ASSERT_EQ(c.view.size(), 1u);
  EXPECT_EQ(ItemQuantity(c.image, c.view[0]), 2);
  StartNewList(c, NewListChoice::kZero);
  EXPECT_TRUE(c.view.empty());
  EXPECT_EQ(ReadBytes(c.path)[58], 0);
}

TEST_F(Catalogue, AFileThatCannotBeReadIsNeverWrittenOver) {
  std::filesystem::create_directory(c.path);  // exists, but reads fail
  EXPECT_FALSE(LoadGroceryItems(c));
  EXPECT_TRUE(c.unreadable);
  int32_t id = -1;
  EXPECT_EQ(AddGroceryItem(c, {"Milk", "", "", "", ""}, id), GroceryWrite::kUnreadable);
  EXPECT_FALSE(StoreGroceryItem(c, kWriteAllItems));
  EXPECT_TRUE(std::filesystem::is_directory(c.path));
}

TEST_F(Catalogue, AFailedWriteLeavesFileAndMemoryAsTheyWere) {
  Add("Apples");
  BuildGroceryView(c, kAllItemsMode);
  const std::vector<uint8_t> before = ReadBytes(c.path);
  std::filesystem::create_directory(c.path + ".new");  // the temporary file cannot be made
  EXPECT_EQ(StepCurrentQuantity(c, +1), GroceryWrite::kFailed);
  EXPECT_EQ(ItemQuantity(c.image, 0), 0);
  EXPECT_EQ(ReadBytes(c.path), before);
  EXPECT_NE(GroceryWriteMessage(GroceryWrite::kFailed, c.path).find(c.path), std::string::npos);
}

TEST(GroceryMoney, DollarsWithTwoDecimals) {
  EXPECT_EQ(FormatMoney(0), "0.00");
  EXPECT_EQ(FormatMoney(5), "0.05");
  EXPECT_EQ(FormatMoney(1234), "12.34");
  EXPECT_EQ(ParseCents("1.15"), 115);
  EXPECT_EQ(ParseCents("12.5kg"), 1250);
  EXPECT_EQ(ParseCents("99999999999999999999999"), 32767);
  EXPECT_EQ(ParseCents(".5"), 50);
  EXPECT_EQ(ParseCents("-0"), 0);
  EXPECT_EQ(ParseItemQuantity("  7 "), 7);
}

}  // namespace
}  // namespace tovalia
