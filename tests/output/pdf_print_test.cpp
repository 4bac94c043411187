// Printing through "Save as PDF" for every layout, read back with the
// poppler tools: page size, pages, cards, every ingredient line and the
// accented letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>

#include "cli/command_line.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "output/print_geometry.h"
#include "output/print_layouts.h"
#include "output/print_record.h"
#include "output/print_run.h"
#include "platform/bmp_codec.h"
#include "platform/system_printers.h"
#include "support/collection.h"
#include "support/pdf_text.h"
#include "support/program_run.h"
#include "support/recording_printer.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::Exists;
using testing::FakePrinters;

std::string Output(const std::string& command) { return testing::ShellOutput(command); }
using testing::PopplerThere;
using testing::Squeezed;

const char* const kIngredients[] = {
    "2 cups crème fraîche",     "1/2 cup sugar",          "3 eggs, beaten",
    "1 teaspoon vanilla",       "1/4 teaspoon salt",      "1 cup piñon nuts, toasted",
    "2 tablespoons Grand Marnier", "Zest of 1 orange",     "1/2 cup brown sugar for the crust",
};

std::string Directions() {
  std::string text;
  for (int i = 1; i <= 24; ++i)
    text += "Step " + std::to_string(i) + ": whisk the custard gently over a bain-marie until it coats a spoon. ";
  return text + "Serve at once, déjà chilled.";
}

Image Photo() {
  Image photo;
  photo.width = 120;
  photo.height = 80;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) photo.pixels.push_back(0xFF000000u | (x * 2) << 16 | (y * 3) << 8 | 0x60);
  return photo;
}

class PdfPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PopplerThere()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
    std::string ingredients;
    for (const char* line : kIngredients) ingredients += Utf8ToCp1252(line) + "\r";
    Database& db = books.db();
    books.AppendChapter(1, "Desserts");
    const std::vector<uint8_t> bmp = EncodeBmp24(Photo());
    books.AppendRecipeWithPhoto(1, 1, Utf8ToCp1252("Crème Brûlée"), ingredients, Utf8ToCp1252(Directions()), bmp);
    books.AppendRecipe(2, 1, "Apple Cake", "2 cups flour\r3 apples", "Bake for an hour.");
    books.AppendRecipe(3, 1, "Oven notes", "Most ovens run hot; check with a thermometer.", "", kKindTextRecord);
    ScanRecords(db);
    for (int32_t offset = 0; offset < db.indexSize; offset += EntryLength(db, offset))
      if (EntryKind(db, offset) != kKindChapter) entries.push_back(offset);
  }
  PrintReport PrintLayout(int32_t id, const std::string& path, std::vector<int32_t> which) {
    ByteBuffer record = NewPrintRecord();
    LayoutDefaults(record, id, printers);
    SetU8(record, print_field::kPhotos, 1);
    ApplyLayout(record);
    return PrintEntries(books.db(), record, printers, which, path);
  }

  Collection books;
  FakePrinters printers;
  std::vector<int32_t> entries;  // title order: Apple Cake, Crème Brûlée, Oven notes
};

TEST_F(PdfPrinting, EveryLayoutPrintsEveryLineOnItsPaper) {
  printers.record = false;
  for (int32_t id = kFirstRecipeLayout; id <= kLastRecipeLayout; ++id) {
    SCOPED_TRACE("layout " + std::to_string(id));
    const LayoutSpec& layout = *RecipeLayout(id);
    const std::string path = books.folder().File("layout" + std::to_string(id) + ".pdf");
    const PrintReport report = PrintLayout(id, path, entries);
    ASSERT_TRUE(report.done) << report.error;
    EXPECT_EQ(report.recipes, 3);
    const int perSheet = layout.across * layout.down;
    EXPECT_EQ(report.pages, (report.cards + perSheet - 1) / perSheet);
    EXPECT_GE(report.cards, layout.onePerCard ? 4 : 2);  // the long recipe takes two cards at least

    const std::string info = Output("pdfinfo '" + path + "'");
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+" + std::to_string(report.pages) + "\n"))) << info;
    std::smatch size;
    ASSERT_TRUE(std::regex_search(info, size, std::regex(R"(Page size:\s+([0-9.]+) x ([0-9.]+) pts)"))) << info;
    EXPECT_NEAR(std::stod(size[1]), layout.paperWidth * 0.072, 0.5);
    EXPECT_NEAR(std::stod(size[2]), layout.paperHeight * 0.072, 0.5);

    const std::string text = Squeezed(Output("pdftotext -enc UTF-8 '" + path + "' -"));
    for (const char* line : kIngredients) EXPECT_NE(text.find(line), std::string::npos) << line;
    for (const char* words : {"Crème Brûlée", "Apple Cake", "Oven notes", "Step 1: whisk", "Step 24: whisk",
                              "déjà chilled.", "Serves: 4", "check with a thermometer."})
      EXPECT_NE(text.find(words), std::string::npos) << words << "\n" << text;
    EXPECT_FALSE(Exists(path + ".part"));
  }
}

TEST_F(PdfPrinting, ArialPrintsInLiberationSansWhenArialIsNotInstalled) {
  printers.record = false;
  if (Output("fc-list : family").find("Arial\n") != std::string::npos) GTEST_SKIP() << "Arial itself is installed";
  const std::string path = books.folder().File("fonts.pdf");
  ASSERT_TRUE(PrintLayout(51, path, entries).done);
  const std::string fonts = Output("pdffonts '" + path + "'");
  EXPECT_NE(fonts.find("LiberationSans-Bold"), std::string::npos) << fonts;
  EXPECT_NE(fonts.find("LiberationSans "), std::string::npos) << fonts;
  EXPECT_EQ(fonts.find("DejaVu"), std::string::npos) << fonts;
}

TEST(FontFamilies, AreTheInstalledScalableFamiliesSortedAndLimited) {
  const std::vector<std::string> families = ScalableFontFamilies(500);
  EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
  EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Sans"), families.end());
  EXPECT_EQ(ScalableFontFamilies(2).size(), std::min<size_t>(2, families.size()));
}

TEST_F(PdfPrinting, NoRecipesEndADocumentWithoutPagesAndNoFileAndAFailedWriteLeavesNoFile) {
  printers.record = false;
  const std::string empty = books.folder().File("empty.pdf");
  const PrintReport none = PrintLayout(55, empty, {});
  ASSERT_TRUE(none.done) << none.error;
  EXPECT_EQ(none.pages, 0);
  EXPECT_FALSE(Exists(empty));
  EXPECT_FALSE(Exists(empty + ".part"));

  const std::string nowhere = books.folder().File("no such folder/x.pdf");
  const PrintReport failed = PrintLayout(55, nowhere, entries);
  EXPECT_FALSE(failed.done);
  EXPECT_FALSE(failed.error.empty());
  EXPECT_FALSE(Exists(nowhere));
}

TEST_F(PdfPrinting, TheLongRecipeFlowsOntoASecondCardWithItsPhotoOnTheFirst) {
  PrintLayout(51, "", {entries[1]});
  ASSERT_GE(printers.pages.size(), 2u);
  EXPECT_EQ(printers.pages[0].images.size(), 1u);
  EXPECT_TRUE(printers.pages[1].images.empty());
  EXPECT_EQ(printers.pages[0].texts[0].text, Utf8ToCp1252("Crème Brûlée"));
}

TEST(PrintCommand, PrintsChosenRecipesToAPdfAndRefusesWhatItCannotDo) {
  testing::ProgramRun program;
  program.Cli({"add-chapter", "Cakes"});
  program.Cli({"add-recipe", "--chapter", "1", "--title", "Tarte Tatin", "--servings", "6", "--ingredients",
               program.File("i.txt", "6 apples\n1 cup sugar\n"), "--directions", program.File("d.txt", "Caramelise.\n")});
  program.Cli({"add-recipe", "--chapter", "1", "--title", "Scones", "--ingredients", program.File("s.txt", "2 cups flour\n")});
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", program.Data().Path()});
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    return std::make_pair(status, out.str() + err.str());
  };
  const std::string pdf = program.Temp().File("cakes.pdf");
  const std::vector<uint8_t> settingsBefore = testing::ReadBytes(program.Data().File("Setup50.dat"));
  auto [status, text] = run({"print", "--chapter", "1", "--layout", "55", "--output", pdf});
  EXPECT_EQ(status, 0) << text;
  EXPECT_NE(text.find("printer\tSave as PDF\nrecipes\t2\ncards\t2\npages\t1\n"), std::string::npos) << text;
  EXPECT_TRUE(Exists(pdf));
  program.Cli({"add-chapter", "Empty"});
  auto [emptyStatus, emptyText] = run({"print", "--chapter", "2", "--output", program.Temp().File("none.pdf")});
  EXPECT_EQ(emptyStatus, 0);
  EXPECT_NE(emptyText.find("pages\t0\n"), std::string::npos) << emptyText;
  EXPECT_FALSE(Exists(program.Temp().File("none.pdf")));
  EXPECT_EQ(run({"print", "1", "--layout", "49", "--output", pdf}).first, kExitUsage);
  EXPECT_EQ(run({"print"}).first, kExitUsage);
  EXPECT_EQ(run({"print", "1", "--chapter", "1"}).first, kExitUsage);
  EXPECT_EQ(run({"print", "99", "--output", pdf}).first, kExitFailed);
  EXPECT_EQ(run({"print", "1", "--printer", "No Such Printer"}).first, kExitFailed);
  EXPECT_EQ(run({"print", "1", "--printer", "Save as PDF"}).first, kExitFailed);  // no file named
  // Printing reads the settings and writes nothing to the data folder.
  EXPECT_EQ(testing::ReadBytes(program.Data().File("Setup50.dat")), settingsBefore);
}

}  // namespace
}  // namespace tovalia
