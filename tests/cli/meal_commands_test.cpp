#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "db/data_folder_lock.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempFolder;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class MealCommands : public ::testing::Test {
 protected:
  Outcome Tovalia(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path(), "--wait", "0.2"});
    std::ostringstream out, err;
    int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
  }
  std::string Added(std::vector<std::string> args) {
    Outcome run = Tovalia(std::move(args));
    EXPECT_EQ(run.status, kExitOk) << run.err;
    return run.out;
  }
  TempFolder folder;
};

TEST_F(MealCommands, PlansListsAndDeletesMeals) {
  Added({"add-chapter", "Dinners"});
  ASSERT_EQ(Added({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée"}), "1\n");
  EXPECT_EQ(Added({"meals", "add", "2026-12-09", "--note", "  Pizza night  "}), "0\n");
  EXPECT_EQ(Added({"meals", "add", "2026-12-08", "--recipe", "1"}), "1\n");
  EXPECT_EQ(Added({"meals", "add", "2027-01-02", "--note", "Soupe à l'oignon"}), "2\n");
  EXPECT_EQ(Tovalia({"meals", "list"}).out,
            "1\t2026-12-08\trecipe\t1\t0\tCrème Brûlée\n"
            "0\t2026-12-09\tnote\t0\t0\tPizza night\n"
            "2\t2027-01-02\tnote\t0\t0\tSoupe à l'oignon\n");
  EXPECT_EQ(Tovalia({"meals", "list", "--from", "2026-12-09", "--to", "2026-12-31"}).out,
            "0\t2026-12-09\tnote\t0\t0\tPizza night\n");
  // The view "Recipes Selected For Meals" asks the calendar.
  EXPECT_EQ(Tovalia({"titles", "-3"}).out, "1\t1\trecipe\tCrème Brûlée\n");
  EXPECT_EQ(Tovalia({"meals", "delete", "1"}).status, kExitOk);
  EXPECT_EQ(Tovalia({"titles", "-3"}).out, "");
  EXPECT_EQ(Added({"meals", "add", "2026-12-10", "--note", "Fish"}), "1\n");  // the smallest free id
  Outcome missing = Tovalia({"meals", "delete", "7"});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_NE(missing.err.find("no meal with the entry number 7"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder.File("Event40.dat")).size(), 300u);
}

TEST_F(MealCommands, WrongArgumentsTouchNothing) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"meals"}, {"meals", "plan"}, {"meals", "add", "2026-02-29", "--note", "x"},
           {"meals", "add", "08/12/2026", "--note", "x"}, {"meals", "add", "2026-12-08", "--note", "  "},
           {"meals", "add", "2026-12-08", "--note", "a\tb"},
           {"meals", "add", "2026-12-08", "--note", std::string(82, 'n')},
           {"meals", "add", "2026-12-08", "--recipe", "soup"}, {"meals", "add", "2026-12-08"},
           {"meals", "delete", "-1"}, {"meals", "list", "--from", "2026-12-10", "--to", "2026-12-01"},
           {"meals", "list", "--since", "2026-12-01"}, {"meals", "export"}, {"meals", "export", "--format", "csv"},
           {"meals", "print", "--output"}}) {
    Outcome run = Tovalia(args);
    EXPECT_EQ(run.status, kExitUsage) << args.back();
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_FALSE(Exists(folder.File("Event40.dat")));
}

TEST_F(MealCommands, UnknownRecipesAreRefusedAndPrintingTakesTheMealsInTheRange) {
  Outcome run = Tovalia({"meals", "add", "2026-12-08", "--recipe", "5"});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_NE(run.err.find("no recipe or text with the number 5"), std::string::npos);
  EXPECT_FALSE(Exists(folder.File("Event40.dat")));
  const std::string pdf = folder.File("meals.pdf");
  run = Tovalia({"meals", "print", "--output", pdf});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_NE(run.err.find("There are no meals to print."), std::string::npos);
  Added({"meals", "add", "2026-12-08", "--note", "Soup"});
  Added({"meals", "add", "2026-12-20", "--note", "Roast"});
  run = Tovalia({"meals", "print", "--from", "2026-12-10", "--to", "2026-12-01", "--output", pdf});
  EXPECT_EQ(run.status, kExitUsage);
  run = Tovalia({"meals", "print", "--from", "2026-12-21", "--output", pdf});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_FALSE(Exists(pdf));
  run = Tovalia({"meals", "print", "--to", "2026-12-14", "--output", pdf});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "printer\tSave as PDF\nmeals\t1\npages\t1\nfile\t" + pdf + "\n");
  EXPECT_TRUE(Exists(pdf));
}

TEST_F(MealCommands, ExportWritesAnICalendarFileOrStandardOutput) {
  Added({"meals", "add", "2026-12-08", "--note", "Soup, bread; cheese"});
  Added({"meals", "add", "2026-12-20", "--note", "Roast"});
  Outcome run = Tovalia({"meals", "export", "--format", "ics", "--to", "2026-12-14"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_NE(run.out.find("SUMMARY:Soup\\, bread\\; cheese\r\n"), std::string::npos);
  EXPECT_EQ(run.out.find("Roast"), std::string::npos);
  const std::string path = folder.File("week.ics");
  run = Tovalia({"meals", "export", "--format", "ics", "--output", path});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "2\n");
  const std::vector<uint8_t> bytes = ReadBytes(path);
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("UID:meal-1@tovalia\r\n"), std::string::npos);
}

TEST_F(MealCommands, WritingCommandsWaitForTheWindowReadingOnesShareTheFolder) {
  Added({"meals", "add", "2026-12-08", "--note", "Soup"});
  Added({"check"});
  {
    DataFolderLock reader(folder.Path());
    ASSERT_TRUE(reader.Acquire(FolderAccess::kRead, 0));
    EXPECT_EQ(Tovalia({"meals", "list"}).status, kExitOk);
    EXPECT_EQ(Tovalia({"meals", "export", "--format", "ics"}).status, kExitOk);
    EXPECT_EQ(Tovalia({"meals", "add", "2026-12-09", "--note", "Bread"}).status, kExitFailed);
    EXPECT_EQ(Tovalia({"meals", "delete", "0"}).status, kExitFailed);
  }
  EXPECT_EQ(Tovalia({"meals", "list"}).out, "0\t2026-12-08\tnote\t0\t0\tSoup\n");
}

}  // namespace
}  // namespace tovalia
