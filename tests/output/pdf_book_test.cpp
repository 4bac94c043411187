// Cookbooks written through the command line and the window, read back
// with poppler's tools: page sizes, texts, accents, fonts and the index.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

#include "cli/command_line.h"
#include "output/pdf_book.h"
#include "state/settings.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  char chunk[4096];
  while (size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, got);
  ::pclose(pipe);
  return out;
}

class PdfBook : public ::testing::Test {
 protected:
  void SetUp() override {
    Cli({"add-chapter", "Desserts"});
    Cli({"add-chapter", "Mains"});
    const std::string ingredients = program.File("ing.txt", "2 cups cream\n6 egg yolks\n1/2 cup sugar\n");
    const std::string directions = program.File("dir.txt", "Heat the cream.\nWhisk the yolks with the sugar.\n\nBake at 300 degrees.\n");
    Cli({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée", "--servings", "6", "--ingredients",
         ingredients, "--directions", directions});
    Cli({"add-recipe", "--chapter", "2", "--title", "Pâté de Campagne", "--ingredients", ingredients});
    Cli({"add-recipe", "--chapter", "2", "--title", "Señor Pollo", "--servings", "4", "--ingredients", ingredients,
         "--directions", directions});
  }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  int Status(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", program.Data().Path()});
    std::ostringstream out, err;
    return RunCommandLine(args, out, err);
  }
  std::string Text(const std::string& pdf, int page = 0) {
    const std::string pages = page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return Shell("pdftotext -layout" + pages + " '" + pdf + "' -");
  }
  testing::ProgramRun program;
};

TEST_F(PdfBook, EachSizeHasItsPagesTitlesAccentsAndEmbeddedFonts) {
  const std::pair<const char*, const char*> sizes[] = {
      {"6x9", "432 x 648 pts"}, {"8.5x11", "612 x 792 pts"}, {"a4", "595 x 842 pts"}};
  for (const auto& [size, pageSize] : sizes) {
    const std::string pdf = program.Temp().File(std::string("book-") + size + ".pdf");
    ASSERT_EQ(Status({"pdf-book", "--output", pdf, "--size", size, "--title", "Family Recipes", "--subtitle",
                      "Kept since 1962", "--author", "Ana Núñez"}),
              kExitOk);
    EXPECT_NE(Shell("pdfinfo '" + pdf + "'").find(pageSize), std::string::npos) << size;
    const std::string title = Text(pdf, 1);
    for (const char* text : {"Family Recipes", "Kept since 1962", "Ana Núñez"})
      EXPECT_NE(title.find(text), std::string::npos) << text;
    EXPECT_NE(Text(pdf, 2).find("Using Tovalia Recipe Software"), std::string::npos);
    const std::string all = Text(pdf);
    for (const char* text : {"Crème Brûlée", "Pâté de Campagne", "Señor Pollo", "2 cups cream", "6 egg yolks",
                             "Whisk the yolks with the sugar.", "Desserts", "Mains", "Index"})
      EXPECT_NE(all.find(text), std::string::npos) << size << ": " << text << "\n" << all;
    EXPECT_TRUE(std::regex_search(all, std::regex("Serves\\s+6"))) << all;
    const std::string fonts = Shell("pdffonts '" + pdf + "'");
    // Two faces, both embedded.
    EXPECT_EQ(std::count(fonts.begin(), fonts.end(), '\n'), 4) << fonts;
    const std::regex embedded("TrueType\\s+\\S+\\s+yes");
    EXPECT_EQ(std::distance(std::sregex_iterator(fonts.begin(), fonts.end(), embedded), std::sregex_iterator()), 2)
        << fonts;
  }
}

TEST_F(PdfBook, TheIndexPointsAtTheRecipesPagesAndFootersAlternate) {
  const std::string pdf = program.Temp().File("book.pdf");
  ASSERT_EQ(Status({"pdf-book", "--output", pdf}), kExitOk);
  const std::string info = Shell("pdfinfo '" + pdf + "'");
  std::smatch pages;
  ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages:\\s+(\\d+)")));
  const int count = std::stoi(pages[1]);
  const std::string index = Text(pdf, count);
  for (const char* title : {"Crème Brûlée", "Pâté de Campagne", "Señor Pollo"}) {
    std::smatch entry;
    ASSERT_TRUE(std::regex_search(index, entry, std::regex(std::string(title) + "\\s+-\\s+(\\d+)"))) << index;
    EXPECT_NE(Text(pdf, std::stoi(entry[1])).find(title), std::string::npos) << title;
  }
  // Page 3 (odd): the number at the right; page 4 (even): at the left.
  const std::string odd = Text(pdf, 3), even = Text(pdf, 4);
  EXPECT_TRUE(std::regex_search(odd, std::regex("Desserts\\s+3\\s*$"))) << odd;
  EXPECT_TRUE(std::regex_search(even, std::regex("\\n\\s*4\\s+\\S"))) << even;
}

TEST_F(PdfBook, ChosenRecipesAndChaptersOnlyAndRefusals) {
  const std::string pdf = program.Temp().File("mains");
  ASSERT_EQ(Status({"pdf-book", "--output", pdf, "--chapter", "2"}), kExitOk);
  const std::string all = Text(pdf + ".pdf");  // the extension is added
  EXPECT_NE(all.find("Señor Pollo"), std::string::npos);
  EXPECT_EQ(all.find("Crème Brûlée"), std::string::npos);
  EXPECT_EQ(Status({"pdf-book", "--output", pdf, "--chapter", "9"}), kExitFailed);
  EXPECT_EQ(Status({"pdf-book", "--output", pdf, "77"}), kExitFailed);
  EXPECT_EQ(Status({"pdf-book", "--size", "a5", "--output", pdf}), kExitUsage);
  EXPECT_EQ(Status({"pdf-book"}), kExitUsage);
  EXPECT_EQ(PdfFileName("book."), "book.pdf");
  EXPECT_EQ(PdfFileName("Book.PDF"), "Book.PDF");
  EXPECT_EQ(PdfFileName("notes.txt"), "notes.txt.pdf");
}

TEST_F(PdfBook, TheWindowAsksChoosesAndSaves) {
  Settings settings(program.Data().File("Setup50.dat"));
  PutTextSetting(settings, setting::kExportFolder, program.Temp().Path());
  program.File("taken.pdf", "old");
  const testing::ProgramRun::Outcome run = program.Run(
      "press Save PDF Book\npress 6x9\nexpect Enter a title for your cookbook then\n"  // no title: asked again
      "type Our Book\npress A4\nexpect Select Recipes To Include In PDF Cookbook\n"
      "press Save\nexpect You have not selected any recipes.\npress OK\n"
      "press Select All\nexpect 3 recipes ticked, page 1 of 1\npress Save\n"
      "expect Where do you want to save your PDF Cookbook?\ntype taken\nkey Enter\n"
      "expect Already Exists!\npress Cancel\n"
      "type ours.\nkey Enter\nexpect Cookbook Saved\npress OK\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string info = Shell("pdfinfo '" + program.Temp().File("ours.pdf") + "'");
  EXPECT_NE(info.find("595 x 842 pts"), std::string::npos) << info;
  EXPECT_EQ(testing::ReadBytes(program.Temp().File("taken.pdf")).size(), 3u);  // left alone
}

}  // namespace
}  // namespace tovalia
