#include "interchange/recipe_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "interchange/import_pass.h"
#include "interchange/recipe_writer.h"
#include "interchange/source_file.h"
#include "support/collection.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::StoredRecord;

// Recipe `i` of a Meal-Master text whose recipes differ in their lines:
// notes, continuations, group breaks, a text-only body now and then.
std::string MealMasterRecipe(int i) {
  std::string text = "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Dish " + std::to_string(i) +
                     "\n Categories: Group " + std::to_string(i % 3) + "\n      Yield: " + std::to_string(i % 13) +
                     "\n\n";
  if (i % 17 == 5) return text + "  Only a few words of text here.\n  And a second line.\nMMMMM\n\n";
  text += "      " + std::to_string(1 + i % 4) + " c  flour -- sifted\n";
  text += "    1/2 ts salt\n";
  if (i % 2) text += "           -plus a little more\n";
  text += "\n      2 lg eggs\n";
  text += "  Beat the eggs.\n  Fold in the flour.\n\n  1. Bake " + std::to_string(20 + i % 30) + " minutes.\n";
  return text + "MMMMM\n\n";
}

std::string Text(int recipes) {
  std::string text;
  for (int i = 0; i < recipes; ++i) text += MealMasterRecipe(i);
  return text;
}

bool SameRecipe(const ImportedRecipe& a, const ImportedRecipe& b) {
  return a.title == b.title && a.categories == b.categories && a.servings == b.servings &&
         a.ingredients == b.ingredients && a.directions == b.directions && a.photo == b.photo &&
         a.textOnly == b.textOnly;
}

// Everything the reader hands over, until its end.
std::vector<ImportedRecipe> ReadAll(RecipeReader& reader) {
  std::vector<ImportedRecipe> recipes;
  ImportedRecipe recipe;
  for (;;) {
    const RecipeReader::Got got = reader.Next(recipe, std::chrono::milliseconds(20));
    if (got == RecipeReader::Got::kEnd) break;
    if (got == RecipeReader::Got::kRecipe) recipes.push_back(recipe);
  }
  return recipes;
}

// Every line as SourceFile hands it out, from a file of these bytes.
std::vector<std::string> SourceLinesOf(Collection& c, const std::string& bytes) {
  const std::string path = c.folder().File("lines.txt");
  testing::WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  SourceFile source;
  EXPECT_TRUE(source.Open(path));
  std::vector<std::string> lines;
  std::string line;
  while (source.Next(line)) lines.push_back(line);
  EXPECT_EQ(source.Position(), source.Size());
  return lines;
}

// A CR as the file's last byte once left the reading past the end of its
// text (and threw); every kind of line end, last or not, ends one line.
TEST(SourceFile, EveryLineEndEndsOneLineUpToTheLastByte) {
  Collection c;
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SourceLinesOf(c, "a\r\nb\rc\nd\r"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SourceLinesOf(c, "-----\r"), (Lines{"-----"}));
  EXPECT_EQ(SourceLinesOf(c, "one\r\n\r\ntwo"), (Lines{"one", "", "two"}));
  // Bytes of an old code page, decoded into text of another length.
  EXPECT_EQ(SourceLinesOf(c, "\xC4\xCD\xB3 box\r\xC4\xC4\r").size(), 2u);
}

TEST(RecipeReader, HandsOverEveryRecipeInTheOrderOfTheOnePassOverTheText) {
  // Enough recipes for many batches, and counts around a batch's size.
  for (int count : {0, 1, 31, 32, 33, 700}) {
    SCOPED_TRACE(count);
    Collection c;
    const std::string text = Text(count);
    const std::string path = c.folder().File("source.mmf");
    testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));

    std::vector<ImportedRecipe> expected;
    {
      SourceFile source;
      ASSERT_TRUE(source.Open(path));
      ImportPass pass([&expected](ImportedRecipe&& recipe) { expected.push_back(std::move(recipe)); });
      std::string line;
      while (source.Next(line)) pass.Line(line);
      pass.End();
    }
    ASSERT_EQ(expected.size(), static_cast<size_t>(count));

    SourceFile source;
    ASSERT_TRUE(source.Open(path));
    RecipeReader reader(source);
    const std::vector<ImportedRecipe> got = ReadAll(reader);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(SameRecipe(got[i], expected[i])) << "recipe " << i;
    EXPECT_EQ(reader.Position(), source.Size());
  }
}

TEST(RecipeReader, AStopEndsTheReadingWithoutWaitingForTheRest) {
  Collection c;
  const std::string text = Text(3000);
  const std::string path = c.folder().File("source.mmf");
  testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
  SourceFile source;
  ASSERT_TRUE(source.Open(path));
  RecipeReader reader(source);
  ImportedRecipe recipe;
  int taken = 0;
  while (taken < 5) {
    const RecipeReader::Got got = reader.Next(recipe, std::chrono::milliseconds(20));
    ASSERT_NE(got, RecipeReader::Got::kEnd);
    if (got == RecipeReader::Got::kRecipe) ++taken;
  }
  EXPECT_EQ(recipe.title, "Dish 4");
  reader.Stop();
  EXPECT_EQ(reader.Next(recipe, std::chrono::milliseconds(20)), RecipeReader::Got::kEnd);
  EXPECT_LT(reader.Position(), source.Size());
}

// The recipes of the text, as the pass cuts them (not yet prepared).
std::vector<ImportedRecipe> Recipes(const std::string& text) {
  std::vector<ImportedRecipe> recipes;
  ImportPass pass([&recipes](ImportedRecipe&& recipe) { recipes.push_back(std::move(recipe)); });
  size_t from = 0;
  while (from < text.size()) {
    const size_t end = text.find('\n', from);
    pass.Line(text.substr(from, end - from));
    from = end == std::string::npos ? text.size() : end + 1;
  }
  pass.End();
  return recipes;
}

std::vector<StoredRecord> Store(const std::vector<ImportedRecipe>& recipes, bool prepared) {
  Collection c;
  testing::AddImportChapter(c);
  ImportOptions options;
  options.chapterNumber = 1;
  ImportResult result;
  for (ImportedRecipe recipe : recipes) {
    if (prepared) PrepareImportedRecipe(recipe);
    WriteImportedRecipe(c.db(), recipe, options, [] { return std::string("Asked"); }, result);
  }
  EXPECT_EQ(result.stored, static_cast<int32_t>(recipes.size()));
  return testing::StoredRecords(c);
}

void ExpectSameRecords(const std::vector<StoredRecord>& a, const std::vector<StoredRecord>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a[i].title, b[i].title);
    EXPECT_EQ(a[i].kind, b[i].kind);
    EXPECT_EQ(a[i].servings, b[i].servings);
    EXPECT_EQ(a[i].ingredients, b[i].ingredients);
    EXPECT_EQ(a[i].directions, b[i].directions);
  }
}

// What the reading thread prepares must not change what is stored: lines
// that go on with the line above, notes, group breaks, lower-case starts,
// titles that clean to nothing and must be asked for.
TEST(PrepareImportedRecipe, PreparedRecipesAreStoredExactlyAsUnpreparedOnes) {
  std::vector<ImportedRecipe> recipes = Recipes(Text(60));
  ImportedRecipe odd;
  odd.title = "  *  ";
  odd.ingredients = {"2 c flour -- sifted", "-- plus more", "; and a pinch", "-", "  ", "salt", "1 x whole egg",
                     "0.00 tb oil", "1-16 oz can tomatoes", "- dash of pepper", " --", "3 tea. sugar", ";"};
  odd.directions = {"  step  one  ", "", "STEP 2 then", "Notes:", "1) last"};
  recipes.push_back(odd);
  ImportedRecipe lead = odd;
  lead.title = "title: .dish ii";
  lead.ingredients.insert(lead.ingredients.begin(), "-- opening continuation");
  recipes.push_back(lead);
  ExpectSameRecords(Store(recipes, true), Store(recipes, false));
  const std::vector<StoredRecord> stored = Store(recipes, true);
  EXPECT_EQ(stored[stored.size() - 2].title, "Asked");
}

// The same over every recipe of the text exports in the corpus, as the
// import pass cuts them from the file.
TEST(PrepareImportedRecipe, EveryCorpusRecipeIsStoredAlikePreparedOrNot) {
  const std::filesystem::path corpus = TOVALIA_CORPUS_DIR;
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no corpus beside the repository";
  size_t recipes = 0;
  for (const char* folder : {"mealmaster", "mastercook", "nyc", "bigoven"}) {
    for (const auto& file : std::filesystem::recursive_directory_iterator(corpus / folder)) {
      if (!file.is_regular_file() || file.path().extension() == ".mx2") continue;
      SCOPED_TRACE(file.path().string());
      SourceFile source;
      ASSERT_TRUE(source.Open(file.path().string()));
      std::vector<ImportedRecipe> read;
      ImportPass pass([&read](ImportedRecipe&& recipe) { read.push_back(std::move(recipe)); });
      std::string line;
      while (source.Next(line)) pass.Line(line);
      pass.End();
      recipes += read.size();
      ExpectSameRecords(Store(read, true), Store(read, false));
    }
  }
  EXPECT_GT(recipes, 1000u);
}

}  // namespace
}  // namespace tovalia
