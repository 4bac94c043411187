// Where the program finds its resources and its data folder: beside a
// portable program, in the user's data folder for an installed one.
#include "platform/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

class DataFolderRule : public ::testing::Test {
 protected:
  // A program in PREFIX/bin/ with its resources in PREFIX/share/tovalia/.
  std::string Installed() {
    MakeFolder(root.File("usr/share/tovalia/"));
    WriteBytes(root.File("usr/share/tovalia/Help.htm"), {'<'});
    MakeFolder(root.File("usr/bin/"));
    return root.File("usr/bin/");
  }
  DataFolderSources Sources(const std::string& programFolder) {
    DataFolderSources sources;
    sources.programFolder = programFolder;
    sources.home = root.File("home/cook");
    return sources;
  }
  TempFolder root;
};

TEST_F(DataFolderRule, CommandLineThenEnvironmentWin) {
  DataFolderSources sources = Sources(Installed());
  sources.fromEnvironment = "/srv/kitchen";
  sources.fromCommandLine = "/tmp/elsewhere";
  DataFolderChoice choice = ChooseDataFolder(sources);
  EXPECT_EQ(choice.folder, "/tmp/elsewhere/");
  EXPECT_EQ(choice.origin, DataFolderOrigin::kCommandLine);
  sources.fromCommandLine.clear();
  choice = ChooseDataFolder(sources);
  EXPECT_EQ(choice.folder, "/srv/kitchen/");
  EXPECT_EQ(choice.origin, DataFolderOrigin::kEnvironment);
}

TEST_F(DataFolderRule, APortableProgramKeepsItsDataBesideIt) {
  // A build folder or a copied program: no share/tovalia/ beside a bin/.
  const std::string portable = root.File("stick/");
  MakeFolder(portable);
  DataFolderChoice choice = ChooseDataFolder(Sources(portable));
  EXPECT_EQ(choice.folder, portable + "tv_data/");
  EXPECT_EQ(choice.origin, DataFolderOrigin::kBesideProgram);
  // Even a folder called bin/ is portable when nothing is installed beside it.
  MakeFolder(root.File("stick/bin/"));
  EXPECT_EQ(ChooseDataFolder(Sources(root.File("stick/bin"))).folder, root.File("stick/bin/tv_data/"));
}

TEST_F(DataFolderRule, AnInstalledProgramUsesTheUsersDataFolder) {
  const std::string bin = Installed();
  DataFolderSources sources = Sources(bin);
  DataFolderChoice choice = ChooseDataFolder(sources);
  EXPECT_EQ(choice.folder, root.File("home/cook/.local/share/tovalia/tv_data/"));
  EXPECT_EQ(choice.origin, DataFolderOrigin::kUserDataHome);
  sources.xdgDataHome = "/var/data/";
  EXPECT_EQ(ChooseDataFolder(sources).folder, "/var/data/tovalia/tv_data/");
  // A relative XDG_DATA_HOME is not valid and is ignored.
  sources.xdgDataHome = "data";
  EXPECT_EQ(ChooseDataFolder(sources).folder, root.File("home/cook/.local/share/tovalia/tv_data/"));
  // A tv_data/ that is already beside it, and writable, still wins.
  MakeFolder(bin + "tv_data");
  choice = ChooseDataFolder(sources);
  EXPECT_EQ(choice.folder, bin + "tv_data/");
  EXPECT_EQ(choice.origin, DataFolderOrigin::kBesideProgram);
}

TEST_F(DataFolderRule, AProgramFolderThatCannotBeWrittenSendsTheDataHome) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes everywhere";
  const std::string locked = root.File("cdrom/");
  MakeFolder(locked);
  MakeFolder(locked + "tv_data");
  ::chmod((locked + "tv_data").c_str(), 0555);
  ::chmod(locked.c_str(), 0555);
  DataFolderChoice choice = ChooseDataFolder(Sources(locked));
  ::chmod(locked.c_str(), 0755);
  ::chmod((locked + "tv_data").c_str(), 0755);
  EXPECT_EQ(choice.origin, DataFolderOrigin::kUserDataHome);
}

TEST_F(DataFolderRule, ResourcesLieBesideTheProgramOrInItsShareFolder) {
  const std::string bin = Installed();
  EXPECT_TRUE(IsInstalledProgram(bin));
  EXPECT_EQ(ResourceFolder(bin), root.File("usr/share/tovalia/"));
  // A Help.htm beside the program (the build folder's copy) comes first.
  WriteBytes(bin + "Help.htm", {'<'});
  EXPECT_EQ(ResourceFolder(bin), bin);
  const std::string portable = root.File("copy/");
  MakeFolder(portable);
  EXPECT_FALSE(IsInstalledProgram(portable));
  EXPECT_EQ(ResourceFolder(portable), portable);
}

TEST(FileToOpen, GivesTheFullPathOfAFileAndRefusesTheRest) {
  TempFolder folder;
  WriteBytes(folder.File("soup.mmf"), {'x'});
  std::string refusal;
  char* here = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
  const std::string opened = FileToOpen("soup.mmf", refusal);
  std::string missing = FileToOpen("stew.mmf", refusal);
  const std::string missingRefusal = refusal;
  std::string folderRefusal;
  const std::string aFolder = FileToOpen(".", folderRefusal);
  ASSERT_EQ(::chdir(here), 0);
  std::free(here);
  char* real = ::realpath(folder.File("soup.mmf").c_str(), nullptr);
  EXPECT_EQ(opened, real);
  std::free(real);
  EXPECT_EQ(missing, "");
  EXPECT_EQ(missingRefusal, "there is no file \"stew.mmf\"");
  EXPECT_EQ(aFolder, "");
  EXPECT_NE(folderRefusal.find("is a folder"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
