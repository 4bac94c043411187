#include "ui/progress.h"

#include <algorithm>

namespace tovalia {

int ProgressPercent::Update(int64_t current, int64_t total) {
  total = std::max<int64_t>(total, 1);
  int64_t percent = std::clamp<int64_t>(100 * current / total, 0, 100);
  if (percent == remembered_ && percent != 100) return -1;
  remembered_ = static_cast<int>(percent);
  return remembered_;
}

}  // namespace tovalia
