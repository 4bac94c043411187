#include "platform/desktop_clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace tovalia {

namespace {

constexpr int kToolTimeoutMs = 3000;
constexpr size_t kMostClipboardBytes = 100u * 1024 * 1024;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':'))
    if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) return true;
  return false;
}

// Runs a tool with `input` on its standard input and collects its standard
// output; false when it cannot start, fails, or takes too long (then it is
// stopped).
bool RunTool(std::vector<std::string> arguments, const std::vector<uint8_t>& input, std::vector<uint8_t>* output,
             const std::function<void()>& keepAlive) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return false;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]), close(in[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  // A tool that stays behind to serve the clipboard must not hold our pipe.
  if (output) {
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const bool started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (!started) {
    close(in[1]);
    close(out[0]);
    return false;
  }
  size_t written = 0;
  int writeEnd = in[1];
  if (input.empty()) {
    close(writeEnd);
    writeEnd = -1;
  } else {
    fcntl(writeEnd, F_SETFL, O_NONBLOCK);
  }
  fcntl(out[0], F_SETFL, O_NONBLOCK);
  bool outputOpen = output != nullptr, ok = true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kToolTimeoutMs);
  uint8_t chunk[65536];
  while ((outputOpen || writeEnd >= 0) && ok) {
    if (std::chrono::steady_clock::now() > deadline) {
      ok = false;
      break;
    }
    pollfd fds[2];
    int count = 0;
    if (outputOpen) fds[count++] = {out[0], POLLIN, 0};
    if (writeEnd >= 0) fds[count++] = {writeEnd, POLLOUT, 0};
    poll(fds, static_cast<nfds_t>(count), 10);
    if (keepAlive) keepAlive();
    if (outputOpen) {
      const ssize_t got = read(out[0], chunk, sizeof chunk);
      if (got == 0) {
        outputOpen = false;
      } else if (got > 0 && output) {
        output->insert(output->end(), chunk, chunk + got);
        if (output->size() > kMostClipboardBytes) ok = false;
      }
    }
    if (writeEnd >= 0) {
      const ssize_t put = write(writeEnd, input.data() + written, input.size() - written);
      if (put > 0) written += static_cast<size_t>(put);
      if (put < 0 && errno != EAGAIN) ok = false;
      if (written == input.size()) {
        close(writeEnd);
        writeEnd = -1;
      }
    }
  }
  if (writeEnd >= 0) close(writeEnd);
  close(out[0]);
  int status = 0;
  if (!ok) kill(child, SIGKILL);
  while (waitpid(child, &status, ok ? WNOHANG : 0) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return false;
    }
    if (keepAlive) keepAlive();
    usleep(5000);
  }
  return ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

DesktopClipboard::DesktopClipboard(std::function<void()> keepAlive) : keepAlive_(std::move(keepAlive)) {
  if (std::getenv("WAYLAND_DISPLAY") && OnPath("wl-paste") && OnPath("wl-copy")) {
    tool_ = Tool::kWayland;
  } else if (std::getenv("DISPLAY") && OnPath("xclip")) {
    tool_ = Tool::kX11;
  } else {
    tool_ = Tool::kNone;
  }
}

std::optional<std::vector<std::string>> DesktopClipboard::Types() {
  if (tool_ == Tool::kNone) return std::nullopt;
  std::vector<uint8_t> listing;
  const bool read = tool_ == Tool::kWayland
                        ? RunTool({"wl-paste", "--list-types"}, {}, &listing, keepAlive_)
                        : RunTool({"xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"}, {}, &listing, keepAlive_);
  std::vector<std::string> types;
  if (!read) return types;  // an empty clipboard makes the tools fail
  std::istringstream lines(std::string(listing.begin(), listing.end()));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) types.push_back(line);
  }
  return types;
}

bool DesktopClipboard::Read(const std::string& type, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (tool_ == Tool::kWayland) return RunTool({"wl-paste", "--no-newline", "--type", type}, {}, &bytes, keepAlive_);
  if (tool_ == Tool::kX11) return RunTool({"xclip", "-selection", "clipboard", "-t", type, "-o"}, {}, &bytes, keepAlive_);
  return false;
}

bool DesktopClipboard::Write(const std::string& type, const std::vector<uint8_t>& bytes) {
  // Both tools stay behind to serve the clipboard once they have the data.
  if (tool_ == Tool::kWayland) return RunTool({"wl-copy", "--type", type}, bytes, nullptr, keepAlive_);
  if (tool_ == Tool::kX11) return RunTool({"xclip", "-selection", "clipboard", "-t", type, "-i"}, bytes, nullptr, keepAlive_);
  return false;
}

std::string FirstCopiedFile(std::string_view uriList) {
  size_t start = 0;
  while (start < uriList.size()) {
    size_t end = uriList.find('\n', start);
    if (end == std::string_view::npos) end = uriList.size();
    std::string_view line = uriList.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#' || line == "copy" || line == "cut") continue;
    if (line.rfind("file://", 0) != 0) return {};
    line.remove_prefix(7);
    // file://host/path: only this machine's files ("localhost" or no host).
    if (line.rfind("localhost/", 0) == 0) line.remove_prefix(9);
    if (line.empty() || line[0] != '/') return {};
    std::string path;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '%' && i + 2 < line.size() && HexValue(line[i + 1]) >= 0 && HexValue(line[i + 2]) >= 0) {
        path += static_cast<char>(HexValue(line[i + 1]) * 16 + HexValue(line[i + 2]));
        i += 2;
      } else {
        path += line[i];
      }
    }
    return path;
  }
  return {};
}

}  // namespace tovalia
