#include "cli/terminal_progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "db/cp1252.h"

namespace tovalia {

TerminalProgress::TerminalProgress() : enabled_(::isatty(STDERR_FILENO) == 1) {}

void TerminalProgress::ShowProgress(const std::string& caption, const std::string& barText,
                                    int64_t current, int64_t total) {
  if (!enabled_) return;
  int percent = percent_.Update(current, total);
  if (percent < 0) return;
  constexpr int kWidth = 30;
  int filled = percent * kWidth / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kWidth - filled), '.');
  std::fprintf(stderr, "\r\033[K%s [%s] %3d%% %s", Cp1252ToUtf8(caption).c_str(), bar.c_str(),
               percent, Cp1252ToUtf8(barText).c_str());
  std::fflush(stderr);
}

void TerminalProgress::CloseProgress() {
  if (enabled_ && percent_.Active()) {
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }
  percent_.Reset();
}

}  // namespace tovalia
