#include "db/record_search.h"

#include <gtest/gtest.h>

#include "db/cp1252.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using Terms = std::vector<SearchTerm>;

TEST(ParseQuery, WordsPhrasesExclusionsAndAnyOfGroups) {
  EXPECT_EQ(ParseQuery("butter sugar"), (Terms{{'+', "BUTTER"}, {'+', "SUGAR"}}));
  EXPECT_EQ(ParseQuery("butter -\"peanut butter\""),
            (Terms{{'+', "BUTTER"}, {'-', "PEANUT BUTTER"}}));
  EXPECT_EQ(ParseQuery("sugar /butter /margarine"),
            (Terms{{'+', "SUGAR"}, {'/', "BUTTER"}, {'/', "MARGARINE"}}));
  EXPECT_EQ(ParseQuery("low-fat"), (Terms{{'+', "LOW"}, {'-', "FAT"}}));  // a hyphen always excludes
  EXPECT_EQ(ParseQuery("  cook's  "), (Terms{{'+', "COOK'S"}}));
  EXPECT_EQ(ParseQuery("\"  apple pie \" x"), (Terms{{'+', "APPLE PIE"}, {'+', "X"}}));
  EXPECT_EQ(ParseQuery("\"unclosed phrase"), (Terms{{'+', "UNCLOSED"}, {'+', "PHRASE"}}));
  EXPECT_EQ(ParseQuery(Utf8ToCp1252("crème brûlée")),
            (Terms{{'+', Utf8ToCp1252("CRÈME")}, {'+', Utf8ToCp1252("BRÛLÉE")}}));
  EXPECT_TRUE(ParseQuery(" -- // !! ").empty());
  EXPECT_TRUE(ParseQuery("\"\"").empty());
  std::string many;
  for (int i = 0; i < 150; ++i) many += "a ";
  EXPECT_EQ(ParseQuery(many).size(), kMostSearchTerms);
}

TEST(TermsSatisfied, CountsEveryKindOfTerm) {
  const std::string text = "CREAM BUTTER AND SUGAR";
  EXPECT_TRUE(TermsSatisfied(ParseQuery("butter -\"peanut butter\""), text));
  EXPECT_FALSE(TermsSatisfied(ParseQuery("butter -\"peanut butter\""), "PEANUT BUTTER COOKIES"));
  EXPECT_TRUE(TermsSatisfied(ParseQuery("/butter /margarine"), text));
  EXPECT_FALSE(TermsSatisfied(ParseQuery("/lard /margarine"), text));
  EXPECT_TRUE(TermsSatisfied(ParseQuery("sugar /butter /margarine"), text));
  EXPECT_FALSE(TermsSatisfied(ParseQuery("salt /butter /margarine"), text));
  EXPECT_TRUE(TermsSatisfied(ParseQuery("butter"), "BUTTERMILK"));  // substrings count
  EXPECT_TRUE(TermsSatisfied({}, ""));
  EXPECT_FALSE(TermsSatisfied(ParseQuery("butter"), ""));
  EXPECT_TRUE(TermsSatisfied(ParseQuery("-butter"), ""));
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    c.AppendChapter(1, "Desserts");
    c.AppendChapter(2, "Breads");
    c.AppendRecipe(1, 1, "Shortbread", "2 cups flour\r1 cup butter", "Bake.");
    c.AppendRecipe(2, 1, "Peanut Cookies", "1 cup peanut butter\r1 cup sugar", "Mix.");
    c.AppendRecipe(3, 2, "Rolls", "flour\rmargarine", "Let the dough rise, brush with butter.");
    // The title ends with a blank: joined to the ingredients it reads "... APPLE PIE CRUST".
    c.AppendRecipe(4, 1, "Tarte aux Pommes, apple ", "pie crust\rapples", "");
    c.AppendRecipe(5, 1, Utf8ToCp1252("Crème Brûlée"), "cream", "", kKindTextRecord);
    SortIndex(c.db());
  }
  std::vector<std::string> Found() {
    std::vector<std::string> titles;
    for (int32_t o : c.db().recipeList) titles.emplace_back(EntryTitle(c.db(), o));
    std::sort(titles.begin(), titles.end());
    return titles;
  }
  testing::Collection c;
};

TEST_F(SearchTest, SearchesTheChosenPartsAndOpensSearchResults) {
  SearchOptions all{true, true, true, true};
  EXPECT_EQ(SearchRecords(c.db(), "butter -\"peanut butter\"", all), 2);
  EXPECT_EQ(Found(), (std::vector<std::string>{"Rolls", "Shortbread"}));
  EXPECT_EQ(c.db().chapterTable[static_cast<size_t>(c.db().currentChapterRow)].number, kSearchResults);
  EXPECT_EQ(c.db().selectionFlags.front(), 1);

  SearchOptions titlesOnly;
  EXPECT_EQ(SearchRecords(c.db(), "rise", titlesOnly), 0);  // only in the directions
  SearchOptions ingredientsOnly{false, true, false, true};
  EXPECT_EQ(SearchRecords(c.db(), "/margarine /lard", ingredientsOnly), 1);
  // Title and ingredients are joined with nothing between them.
  SearchOptions titlesAndIngredients{true, true, false, true};
  EXPECT_EQ(SearchRecords(c.db(), "\"apple pie\"", titlesAndIngredients), 1);
  // Accented letters match whatever their case.
  EXPECT_EQ(SearchRecords(c.db(), Utf8ToCp1252("CRÈME brûlée"), titlesOnly), 1);
  // A query of separators only matches everything.
  EXPECT_EQ(SearchRecords(c.db(), "--", titlesOnly), 5);
}

TEST_F(SearchTest, OneChapterOnlyAndTheFlagsAreSaved) {
  FindChapterRow(c.db(), 2);
  SearchOptions here{true, true, true, false};
  EXPECT_EQ(SearchRecords(c.db(), "flour", here), 1);
  EXPECT_EQ(Found(), (std::vector<std::string>{"Rolls"}));
  c.Reopen();
  LoadIndex(c.db());
  BuildRecipeList(c.db(), kSearchResults);
  EXPECT_EQ(Found(), (std::vector<std::string>{"Rolls"}));
}

// A space typed during the search stops it: what was not reached stays out.
class StopAfter : public SilentProgress {
 public:
  explicit StopAfter(int calls) : left_(calls) {}
  bool StopRequested() override { return --left_ <= 0; }

 private:
  int left_;
};

TEST_F(SearchTest, AStoppedSearchLeavesOutWhatItDidNotReach) {
  StopAfter stop(2);
  c.db().progress = &stop;
  SearchOptions titlesOnly;
  EXPECT_EQ(SearchRecords(c.db(), "--", titlesOnly), 2);
  EXPECT_EQ(c.db().recipeList.size(), 2u);
}

TEST_F(SearchTest, AMissingRecipeFileChangesNoFlag) {
  SearchOptions titlesOnly;
  SearchRecords(c.db(), "rolls", titlesOnly);
  std::remove(c.db().paths.recipeFile.c_str());
  SearchRecords(c.db(), "shortbread", titlesOnly);
  EXPECT_EQ(Found(), (std::vector<std::string>{"Rolls"}));
}

}  // namespace
}  // namespace tovalia
