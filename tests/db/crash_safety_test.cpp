// Killed at any moment, a writing job leaves a collection the next start can
// use: every recipe stored before the job began is there byte for byte, the
// index is loaded or rebuilt, and no entry points at the wrong bytes. Each
// job runs in a child process that gets SIGKILL at a random moment spread
// over the job's length.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "state/database_lifecycle.h"
#include "cli/command_line.h"
#include "db/data_folder_lock.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_operations.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "support/recipe_text.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr int kKillPoints = 50;
constexpr char kEditMark[] = " Edited.";

std::string Text(const ByteBuffer& buffer, int32_t length) {
  return buffer.Holds(0, length) ? std::string(reinterpret_cast<const char*>(buffer.Data()),
                                               static_cast<size_t>(length))
                                 : std::string();
}

// Everything a user would miss of a record, as one text.
std::string CurrentRecordBytes(const Database& db) {
  const ByteBuffer& h = db.recordHeaderBuffer;
  std::ostringstream record;
  record << GetU8(h, header::kRecordKind) << '|' << GetU16(h, header::kChapterNumber) << '|'
         << GetU8(h, header::kServings) << '|' << Text(db.titleBuffer, GetU8(h, header::kTitleLength))
         << '|' << Text(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength)) << '|'
         << Text(db.photoBuffer, GetI32(h, header::kPhotoLength)) << '|'
         << Text(db.directionsBuffer, GetI32(h, header::kDirectionsLength));  // last: edits add to it
  return record.str();
}

// RecipeId -> the records stored under it (one, unless a killed edit left
// the new copy beside the old one).
using Contents = std::multimap<int32_t, std::string>;

Contents ReadAll(Database& db) {
  Contents contents;
  BuildRecipeList(db, kAllRecipes);
  for (int32_t o : db.recipeList) {
    EXPECT_TRUE(LoadRecord(db, EntryPosition(db, o)));
    contents.emplace(EntryRecipeId(db, o), CurrentRecordBytes(db));
  }
  return contents;
}

void CopyFolder(const std::string& from, const std::string& to) {
  for (const auto& entry : fs::directory_iterator(to)) fs::remove_all(entry.path());
  for (const auto& entry : fs::directory_iterator(from))
    fs::copy(entry.path(), fs::path(to) / entry.path().filename());
}

int RunQuietly(std::vector<std::string> args) {
  std::ostringstream out, err;
  return RunCommandLine(args, out, err);
}

class CrashSafety : public ::testing::Test {
 protected:
  // A collection of 200 recipes in two chapters, with dead space from 60
  // deletions, as the job finds it.
  void SetUp() override {
    const std::string text = testing::MealMasterRecipes(200, "Leek Soup");
    testing::WriteBytes(temp.File("before.mmf"), std::vector<uint8_t>(text.begin(), text.end()));
    ASSERT_EQ(RunQuietly({"--data", pristine.Path(), "import", temp.File("before.mmf"),
                          "--sort-by-category"}),
              kExitOk);
    // The first start after an import into an empty folder gives the file its header.
    ASSERT_EQ(RunQuietly({"--data", pristine.Path(), "check"}), kExitOk);
    Database db(DataPaths::ForDataFolder(pristine.Path()));
    LoadIndex(db);
    BuildRecipeList(db, kAllRecipes);
    std::vector<int32_t> doomed;
    for (size_t i = 0; i < db.recipeList.size(); i += 3) doomed.push_back(db.recipeList[i]);
    ASSERT_TRUE(DeleteEntries(db, doomed).Done());
    Settings settings(db.paths.setupFile);
    PutNumberSetting(settings, setting::kWastedBytes, db.wastedBytes);

    Database reader(DataPaths::ForDataFolder(pristine.Path()));
    Settings readerSettings(reader.paths.setupFile);
    ASSERT_FALSE(BringDatabaseUp(reader, readerSettings, FolderAccess::kRead).needsWriter);
    before = ReadAll(reader);
    ASSERT_EQ(before.size(), 133u);
  }

  // The job in a child process, killed after `delay` (or run to its end
  // when delay is negative). True when the kill landed before the end.
  bool RunJob(const std::function<int()>& job, std::chrono::microseconds delay) {
    const pid_t child = fork();
    if (child == 0) {
      std::freopen("/dev/null", "w", stderr);
      _exit(job());
    }
    if (delay.count() >= 0) {
      std::this_thread::sleep_for(delay);
      kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (delay.count() < 0) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    return WIFSIGNALED(status);
  }

  // What the next start finds, checked against what was there before; an
  // edited record may also be there in its edited form.
  void ExpectSoundNextStart(const std::string& when) {
    Database db(DataPaths::ForDataFolder(work.Path()));
    Settings settings(db.paths.setupFile);
    StartupReport report = BringDatabaseUp(db, settings);
    ASSERT_TRUE(report.indexLoaded || report.indexRebuilt) << when;
    ASSERT_EQ(CountDamagedEntries(db), 0) << when;
    const Contents after = ReadAll(db);
    for (const auto& [id, record] : before) {
      bool found = false;
      for (auto [it, end] = after.equal_range(id); it != end && !found; ++it)
        found = it->second == record || it->second == record + kEditMark;
      ASSERT_TRUE(found) << when << ": recipe " << id << " is lost or changed";
    }
  }

  // Runs the job to its end three times to learn its length (the shortest,
  // so that a first run slowed by a busy machine does not spread the kills
  // past the job's end), then kills it at kKillPoints moments spread over
  // most of that length.
  void KillAtRandomMoments(const std::string& name, const std::function<int()>& job) {
    auto length = std::chrono::microseconds::max();
    for (int run = 0; run < 3; ++run) {
      CopyFolder(pristine.Path(), work.Path());
      const auto start = std::chrono::steady_clock::now();
      RunJob(job, std::chrono::microseconds(-1));
      length = std::min(length, std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::steady_clock::now() - start));
      ExpectSoundNextStart(name + " run to its end");
    }

    // Kills spread over the first three fifths of that length: a run's
    // length varies with the machine's load, and a kill after the end tests
    // nothing.
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int64_t> moment(0, length.count() * 3 / 5);
    int landed = 0;
    for (int k = 0; k < kKillPoints; ++k) {
      CopyFolder(pristine.Path(), work.Path());
      const std::chrono::microseconds delay(moment(random));
      if (RunJob(job, delay)) ++landed;
      ExpectSoundNextStart(name + " killed after " + std::to_string(delay.count()) + " us");
      if (HasFatalFailure()) return;
    }
    // Most kills must land inside the job, or the harness proves nothing.
    EXPECT_GE(landed, kKillPoints / 2) << name;
    std::printf("%s: %d kill points over %lld ms, %d inside the job\n", name.c_str(), kKillPoints,
                static_cast<long long>(length.count() / 1000), landed);
  }

  TempFolder pristine, work, temp;
  Contents before;
};

TEST_F(CrashSafety, AnImportKilledAnywhere) {
  const std::string text = testing::MealMasterRecipes(150, "Barley Bread");
  testing::WriteBytes(temp.File("more.mmf"), std::vector<uint8_t>(text.begin(), text.end()));
  KillAtRandomMoments("import", [&] {
    return RunQuietly({"--data", work.Path(), "import", temp.File("more.mmf"), "--sort-by-category"});
  });
}

TEST_F(CrashSafety, ACompactionKilledAnywhere) {
  KillAtRandomMoments("compaction", [&] { return RunQuietly({"--data", work.Path(), "compact"}); });
}

TEST_F(CrashSafety, ARunOfEditsKilledAnywhere) {
  KillAtRandomMoments("edits", [&] {
    DataFolderLock lock(work.Path());
    if (!lock.Acquire(FolderAccess::kWrite, 1000)) return 1;
    Database db(DataPaths::ForDataFolder(work.Path()));
    Settings settings(db.paths.setupFile);
    BringDatabaseUp(db, settings);
    const int32_t count = static_cast<int32_t>(db.recipeList.size());
    for (int32_t item = 0; item < count; item += 8) {
      if (!LoadRecord(db, EntryPosition(db, db.recipeList[static_cast<size_t>(item)]))) return 1;
      const ByteBuffer& h = db.recordHeaderBuffer;
      SetCurrentDirections(db, Text(db.directionsBuffer, GetI32(h, header::kDirectionsLength)) + kEditMark);
      if (!StoreEditedRecord(db, item).Done()) return 1;
    }
    ShutDatabaseDown(db, settings);
    return 0;
  });
}

}  // namespace
}  // namespace tovalia
