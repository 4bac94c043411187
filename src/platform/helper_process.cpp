#include "platform/helper_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>

extern char** environ;

namespace tovalia {

namespace {

constexpr int kPollMs = 10;

// Helpers started and not yet collected.
std::vector<pid_t>& Running() {
  static std::vector<pid_t> running;
  return running;
}

void Sleep(int milliseconds) {
  timespec pause{0, static_cast<long>(milliseconds) * 1000000L};
  nanosleep(&pause, nullptr);
}

}  // namespace

bool StartHelper(const std::vector<std::string>& arguments, int graceMs,
                 const std::function<void()>& whileWaiting) {
  if (arguments.empty()) return false;
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  for (int waited = 0; waited < graceMs; waited += kPollMs) {
    int status = 0;
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (ended < 0) return false;
    if (whileWaiting) whileWaiting();
    Sleep(kPollMs);
  }
  Running().push_back(child);
  return true;
}

int ReapHelpers() {
  std::vector<pid_t>& running = Running();
  std::erase_if(running, [](pid_t child) {
    int status = 0;
    return waitpid(child, &status, WNOHANG) != 0;  // ended, or no longer ours
  });
  return static_cast<int>(running.size());
}

}  // namespace tovalia
