#include "recipe/resize_prompts.h"

#include <gtest/gtest.h>

#include "db/record_format.h"
#include "db/record_store.h"
#include "recipe/line_table.h"
#include "support/collection.h"
#include "support/scripted_ui.h"

namespace tovalia {
namespace {

class ResizePrompts : public ::testing::Test {
 protected:
  void Load(int servings) {
    ClearCurrentRecord(c.db());
    SetU8(c.db().recordHeaderBuffer, header::kServings, servings);
    SetCurrentIngredients(c.db(), "1/2 cup milk\r2 eggs");
    CreateLineTable(table, 1000, 40, kTextBufferSize);
  }
  std::string Ingredients() {
    return GetBytes(c.db().ingredientsBuffer, 0, GetI32(c.db().recordHeaderBuffer, header::kIngredientsLength));
  }
  int Servings() { return GetU8(c.db().recordHeaderBuffer, header::kServings); }

  testing::Collection c;
  ByteBuffer table;
};

TEST_F(ResizePrompts, APermanentResizeAsksForServings) {
  Load(4);
  testing::ScriptedUi s("expect (Currently  4 Servings)\ntype 8\nkey Enter\n");
  EXPECT_TRUE(AskPermanentResize(s.ui(), c.db(), table));
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(Servings(), 8);
  EXPECT_EQ(Ingredients(), "1 cup milk\r4 eggs\r");

  testing::ScriptedUi many("type 300\nkey Enter\n");
  EXPECT_TRUE(AskPermanentResize(many.ui(), c.db(), table));
  EXPECT_EQ(Servings(), 255);

  testing::ScriptedUi cancelled("type 2\npress Cancel\n");
  EXPECT_FALSE(AskPermanentResize(cancelled.ui(), c.db(), table));
  testing::ScriptedUi nonsense("type none\nkey Enter\n");
  EXPECT_FALSE(AskPermanentResize(nonsense.ui(), c.db(), table));
  EXPECT_EQ(Servings(), 255);
}

TEST_F(ResizePrompts, WithoutServingsARecipeIsDoubledOrHalved) {
  Load(0);
  testing::ScriptedUi s("expect No servings specified.\npress Halve\n");
  EXPECT_TRUE(AskPermanentResize(s.ui(), c.db(), table));
  EXPECT_EQ(Ingredients(), "1/4 cup milk\r1 eggs\r");
  EXPECT_EQ(Servings(), 0);
  testing::ScriptedUi cancel("press Cancel\n");
  EXPECT_FALSE(AskPermanentResize(cancel.ui(), c.db(), table));
}

TEST_F(ResizePrompts, ChangingServingsLeavesTheQuantities) {
  Load(4);
  testing::ScriptedUi s("expect Recipe will NOT be resized.\ntype 6\nkey Enter\n");
  EXPECT_TRUE(AskServingsChange(s.ui(), c.db()));
  EXPECT_EQ(Servings(), 6);
  EXPECT_EQ(Ingredients(), "1/2 cup milk\r2 eggs");
  testing::ScriptedUi zero("type 0\nkey Enter\n");
  EXPECT_TRUE(AskServingsChange(zero.ui(), c.db()));
  EXPECT_EQ(Servings(), 0);
  testing::ScriptedUi empty("key Enter\n");
  EXPECT_FALSE(AskServingsChange(empty.ui(), c.db()));
}

}  // namespace
}  // namespace tovalia
