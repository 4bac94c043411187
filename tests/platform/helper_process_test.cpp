#include "platform/helper_process.h"

#include <gtest/gtest.h>

#include <time.h>

#include "support/temp_folder.h"

namespace tovalia {
namespace {

constexpr int kGraceMs = 2000;  // ample on a loaded machine; a failing helper ends long before

// Waits (a bounded number of short naps) until every helper has been reaped.
int ReapedAfterWaiting() {
  int running = ReapHelpers();
  for (int nap = 0; nap < 1000 && running > 0; ++nap) {
    timespec pause{0, 10000000L};
    nanosleep(&pause, nullptr);
    running = ReapHelpers();
  }
  return running;
}

TEST(StartHelper, ReturnsWhileTheHelperRunsAndReapsItOnceItEnds) {
  testing::TempFolder folder;
  const std::string release = folder.File("release");
  // A browser run in the foreground: it goes on until it is told to stop.
  ASSERT_TRUE(StartHelper({"sh", "-c", "while [ ! -e '" + release + "' ]; do sleep 0.05; done"}, 50));
  EXPECT_EQ(ReapHelpers(), 1);  // started, not waited for: still running
  testing::WriteBytes(release, {});
  EXPECT_EQ(ReapedAfterWaiting(), 0);
}

TEST(StartHelper, AHelperThatCannotStartOrFailsAtOnceIsReported) {
  EXPECT_FALSE(StartHelper({"tovalia-no-such-helper", "https://example.org"}, kGraceMs));
  EXPECT_FALSE(StartHelper({"sh", "-c", "exit 3"}, kGraceMs));  // xdg-open: nothing to open it with
  EXPECT_TRUE(StartHelper({"sh", "-c", "exit 0"}, kGraceMs));
  EXPECT_FALSE(StartHelper({}, kGraceMs));
  EXPECT_EQ(ReapedAfterWaiting(), 0);
}

// xdg-email tries one program after another before it gives up: a failure
// within the grace is reported however late in it, and the caller goes on
// with its own work while it waits.
TEST(StartHelper, AFailureLateInTheGraceIsReportedAndTheCallerKeepsWorking) {
  int looks = 0;
  EXPECT_FALSE(StartHelper({"sh", "-c", "sleep 0.4; exit 3"}, 5000, [&looks] { ++looks; }));
  EXPECT_GT(looks, 5);
  EXPECT_EQ(ReapedAfterWaiting(), 0);
}

}  // namespace
}  // namespace tovalia
