#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/byte_buffer.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/export_run.h"
#include "platform/bmp_codec.h"
#include "roundtrip/round_trip.h"
#include "roundtrip/scratch_collection.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using roundtrip::Comparison;
using roundtrip::MeasureRoundTrip;
using roundtrip::ScratchCollection;

std::string Described(const Comparison& c) {
  std::ostringstream out;
  out << c.equal << " of " << c.recipes << " equal, " << c.returned << " returned, " << c.lost << " lost, "
      << c.extra << " extra";
  for (const auto& d : c.differences) out << "\n  " << d.title << " -- " << d.field << ": [" << d.before
                                          << "] -> [" << d.after << "]";
  return out.str();
}

std::string Bitmap(int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < width * height; ++i) image.pixels.push_back(static_cast<uint32_t>(i * 40503u) & 0xFFFFFF);
  const std::vector<uint8_t> bytes = EncodeBmp24(image);
  return std::string(bytes.begin(), bytes.end());
}

void AddPhoto(Database& db, const std::string& photo) {
  CreateBuffer(static_cast<int32_t>(photo.size()), db.photoBuffer);
  PutBytes(db.photoBuffer, 0, photo);
  SetI32(db.recordHeaderBuffer, header::kPhotoLength, static_cast<int32_t>(photo.size()));
}


// Recipes whose texts look like what the import reads as headers, markers
// or separate lines come back as they went out.
TEST(ExportRoundTrip, TovaliaTextBringsBackEveryFieldAndThePhotoBytes) {
  testing::Collection c;
  Database& db = c.db();
  c.AppendChapter(1, "Breads");
  c.AppendChapter(2, "Cr\xE8me Desserts");
  c.AppendChapter(3, "Smoked Meats Of Every Kind From The Backyard And The Brick O");  // 60, the most
  // Each of these lines was once read as something else: a continuation,
  // the end of the recipe, a directions marker, a header, a new recipe.
  c.AppendRecipe(1, 1, "Country Loaf",
                 "Servings: 6\r3 cups flour\r;Boiling Salted Water\r- 1 teaspoon salt\r2 cups water, at room "
                 "temperature, or a little more when the flour is very dry - never hot\r\rTopping:\r"
                 "1 tablespoon oats\rMMMMM----- Recipe via Meal-Master\r",
                 "Mix everything.\r\rServing suggestion: slice thick and toast.\rYield: 2 loaves\r"
                 "Directions for the oven: bake at 450 for 40 minutes.\r.\rCategories are for the index.\r"
                 "Servings: 16 half-pints or 8 pints.\rServings: 2\r\rSee https://example.org/" +
                     std::string(120, 'x') + " for the story.\r" + std::string(77, '-'));
  c.AppendRecipe(4, 3, "BBQ Ribs For A Crowd, " + std::string(200, 'z'), "2 racks ribs", "Smoke them.");
  ClearCurrentRecord(db);
  SetI32(db.recordHeaderBuffer, header::kRecipeId, 2);
  SetU16(db.recordHeaderBuffer, header::kChapterNumber, 2);
  SetU8(db.recordHeaderBuffer, header::kServings, 6);
  SetCurrentTitle(db, "Cr\xE8me Br\xFBl\xE9" "e");
  SetCurrentIngredients(db, "4 egg yolks\r1/2 cup sugar\r");
  SetCurrentDirections(db, "Bake in a water bath.");
  AddPhoto(db, Bitmap(7, 5));
  ASSERT_GE(AppendRecord(db), 0);
  // A text record keeps its lines, though some of them look like ingredients.
  c.AppendRecipe(3, 1, "Starter Notes", "Feed it daily.\r\r1 cup flour\r1 cup water\r\rKeep it cool.", "",
                 kKindTextRecord);
  SortIndex(db);

  ScratchCollection copy;
  copy.CopyFrom(db, 0);
  const Comparison result = MeasureRoundTrip(copy.db(), ExportFormat::kTovaliaWithPhotos, 20);
  EXPECT_EQ(result.recipes, 4);
  EXPECT_EQ(result.equal, 4) << Described(result);
  EXPECT_TRUE(result.sameBytesAgain) << result.againDiffers;
}

// Stored texts come back byte for byte: blanks at the ends of lines, empty
// lines, line ends after short and long lines, and a paragraph the writer
// wrapped at 72 characters comes back as one line. A text record keeps its
// blank lines and a line that looks like the banner.
TEST(ExportRoundTrip, TovaliaTextKeepsEveryLineEndAndBlank) {
  testing::Collection c;
  c.AppendChapter(1, "Breads");
  std::string paragraph;
  for (int i = 0; i < 30; ++i) paragraph += "word" + std::to_string(i) + (i % 7 == 6 ? "  " : " ");
  paragraph += "end.";
  const std::string directions = paragraph + "\rStep one.\rStep two.\r\r" + std::string(60, 'x') + " y.\rGo.\r" +
                                 std::string(60, 'x') + " y.\rTransmogrify it.";
  const std::string ingredients = "  1 cup flour  \r\r2 eggs\r\r";
  c.AppendRecipe(1, 1, "Loaf", ingredients, directions);
  const std::string text = "Line\r\r\rExported from Tovalia 5.8 (x)\r  indented";
  c.AppendRecipe(2, 1, "Notes", text, "", kKindTextRecord);
  SortIndex(c.db());
  ScratchCollection back;
  const std::string path = back.Folder() + "export.txt";
  {
    FileSink file(path);
    ExportRecipes(c.db(), roundtrip::EntriesInStoredOrder(c.db()), ExportFormat::kTovaliaWithPhotos, file);
    ASSERT_TRUE(file.Commit());
  }
  ASSERT_EQ(back.Import(path), 2);
  const std::vector<int32_t> entries = roundtrip::EntriesInStoredOrder(back.db());
  Database& db = back.db();
  ASSERT_TRUE(LoadRecord(db, EntryPosition(db, entries[0])));
  EXPECT_EQ(GetBytes(db.ingredientsBuffer, 0, GetI32(db.recordHeaderBuffer, header::kIngredientsLength)), ingredients);
  EXPECT_EQ(GetBytes(db.directionsBuffer, 0, GetI32(db.recordHeaderBuffer, header::kDirectionsLength)),
            directions);
  ASSERT_TRUE(LoadRecord(db, EntryPosition(db, entries[1])));
  EXPECT_EQ(GetU8(db.recordHeaderBuffer, header::kRecordKind), kKindTextRecord);
  EXPECT_EQ(GetBytes(db.ingredientsBuffer, 0, GetI32(db.recordHeaderBuffer, header::kIngredientsLength)), text + "\r");
}

// A text record has no directions for the banner to fall among: through
// Meal-Master it still comes back whole, without it (MasterCook has no text
// records: its text comes back as a recipe's directions). A sub-heading
// comes back from Meal-Master's "=== Filling ===", and a recipe with no
// text yet stays a recipe.
TEST(ExportRoundTrip, TextRecordsAndSubHeadingsComeBackThroughMealMasterAndMasterCook) {
  testing::Collection c;
  c.AppendChapter(1, "Notes");
  c.AppendRecipe(1, 1, "Kitchen Notes", "Sharpen the knives.\rOil the boards.", "", kKindTextRecord);
  c.AppendRecipe(2, 1, "Pie", "2 cups flour\rFilling:\r4 apples, sliced\r1 cup sugar", "Bake.");
  c.AppendRecipe(3, 1, "Recipe To Come", "", "");
  SortIndex(c.db());
  const Comparison mealMaster = MeasureRoundTrip(c.db(), ExportFormat::kMealMaster, 20);
  EXPECT_EQ(mealMaster.equal, 3) << Described(mealMaster);
  const Comparison masterCook = MeasureRoundTrip(c.db(), ExportFormat::kMasterCook, 20);
  EXPECT_EQ(masterCook.equal, 2) << Described(masterCook);
  ASSERT_EQ(masterCook.differences.size(), 4u) << Described(masterCook);
  EXPECT_EQ(masterCook.differences[3].field, "directions");
  EXPECT_EQ(masterCook.differences[3].after, "Sharpen the knives. Oil the boards.");
}

// A sample of the corpus: every recipe comes back through the program's own
// format; through Meal-Master and MasterCook the share that comes back
// equal stays where it was measured (the rest is explained in the export
// notes of the README).
TEST(ExportRoundTrip, ACorpusSampleComesBackThroughEachFormat) {
  const std::filesystem::path corpus = TOVALIA_CORPUS_DIR;
  if (!std::filesystem::exists(corpus / "SOURCES.md")) GTEST_SKIP() << "no corpus beside the repository";
  ScratchCollection imported;
  for (const char* file : {"mealmaster/mahlzeit_applepie.mm", "mealmaster/gourmet_mealmaster.mmf",
                           "mealmaster/gourmet_mealmaster_2_col.mmf", "mealmaster/krecipes_mmftest.txt",
                           "mastercook/krecipes_mxptest.mxp", "mastercook/javarecipes_mcexports_Paella_Collection.mxp.txt",
                           "mastercook/javarecipes_a_wok_in_the_pork.mxp.txt", "nyc/krecipes_nyctest.txt"})
    imported.Import((corpus / file).string());
  ScratchCollection sample;
  sample.CopyFrom(imported.db(), 3);
  const Comparison own = MeasureRoundTrip(sample.db(), ExportFormat::kTovaliaWithPhotos, 20);
  EXPECT_GE(own.recipes, 20);
  EXPECT_EQ(own.equal, own.recipes) << Described(own);
  EXPECT_TRUE(own.sameBytesAgain) << own.againDiffers;
  const Comparison text = MeasureRoundTrip(sample.db(), ExportFormat::kTovaliaText, 20);
  EXPECT_EQ(text.equal, text.recipes) << Described(text);
  EXPECT_TRUE(text.sameBytesAgain) << text.againDiffers;
  const Comparison mealMaster = MeasureRoundTrip(sample.db(), ExportFormat::kMealMaster, 20);
  EXPECT_EQ(mealMaster.returned, mealMaster.recipes) << Described(mealMaster);
  const Comparison masterCook = MeasureRoundTrip(sample.db(), ExportFormat::kMasterCook, 20);
  EXPECT_EQ(masterCook.returned, masterCook.recipes) << Described(masterCook);
}

}  // namespace
}  // namespace tovalia
