#include "interchange/duplicate_pairs.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>
#include <unordered_map>

namespace tovalia {

namespace {

// Two counters within 2 of each other fall in the same cell of width 3 or
// in neighbouring ones.
constexpr int32_t kCellWidth = 3;
// Counters used to place recipes in cells: enough to keep cells small, few
// enough that the 3^n neighbouring cells are cheap to visit.
constexpr size_t kCellCounters = 5;
constexpr int32_t kCellBits = 7;  // 255 / 3 = 85 cells a counter

constexpr int64_t kProgressEvery = 4096;

struct SearchState {
  const std::vector<RecipeFingerprint>& prints;
  Progress& progress;
  DuplicateSearch result;
  int64_t steps = 0;

  void Add(int32_t i, int32_t j) {
    DuplicatePair pair;
    pair.halves[0] = {i, prints[static_cast<size_t>(i)].position, false};
    pair.halves[1] = {j, prints[static_cast<size_t>(j)].position, false};
    result.pairs.push_back(pair);
  }
  // Shows the count now and then; false when the user stopped.
  bool Step(int64_t done, int64_t total) {
    if (steps++ % kProgressEvery != 0) return true;
    progress.ShowProgress("Locating Duplicate Recipes", std::to_string(result.pairs.size()) + " duplicates", done,
                          total);
    progress.PumpMessages(0);
    return !progress.StopRequested();
  }
  // Orders the pairs, marks the exact ones and closes the progress box.
  DuplicateSearch Finish(bool stopped) {
    progress.CloseProgress();
    if (stopped) return DuplicateSearch{{}, 0, true};
    std::sort(result.pairs.begin(), result.pairs.end(), [](const DuplicatePair& a, const DuplicatePair& b) {
      return std::tie(a.halves[0].fingerprint, a.halves[1].fingerprint) <
             std::tie(b.halves[0].fingerprint, b.halves[1].fingerprint);
    });
    for (DuplicatePair& pair : result.pairs) {
      const RecipeFingerprint& a = prints[static_cast<size_t>(pair.halves[0].fingerprint)];
      const RecipeFingerprint& b = prints[static_cast<size_t>(pair.halves[1].fingerprint)];
      if (a.counters == b.counters) pair.halves[static_cast<size_t>(AutomaticMark(a, b))].marked = true;
    }
    // A recipe is marked in every pair it stands in once it is marked in one.
    const std::vector<int32_t> marked = MarkedPositions(result.pairs);
    for (DuplicatePair& pair : result.pairs)
      for (DuplicateHalf& half : pair.halves)
        half.marked = std::binary_search(marked.begin(), marked.end(), half.position);
    result.markedCount = static_cast<int32_t>(marked.size());
    return std::move(result);
  }
};

// The counters that spread the recipes most widely, for placing them in
// cells.
std::array<size_t, kCellCounters> CellCounters(const std::vector<RecipeFingerprint>& prints) {
  std::array<double, kFingerprintCounters> spread{};
  if (!prints.empty()) {
    for (size_t k = 0; k < kFingerprintCounters; ++k) {
      double sum = 0, squares = 0;
      for (const RecipeFingerprint& p : prints) {
        sum += p.counters[k];
        squares += static_cast<double>(p.counters[k]) * p.counters[k];
      }
      const double mean = sum / static_cast<double>(prints.size());
      spread[k] = squares / static_cast<double>(prints.size()) - mean * mean;
    }
  }
  std::array<size_t, kFingerprintCounters> order;
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return spread[a] > spread[b]; });
  std::array<size_t, kCellCounters> chosen;
  std::copy_n(order.begin(), kCellCounters, chosen.begin());
  return chosen;
}

uint64_t CellKey(const std::array<int32_t, kCellCounters>& cell) {
  uint64_t key = 0;
  for (int32_t c : cell) key = (key << kCellBits) | static_cast<uint64_t>(c);
  return key;
}

}  // namespace

int32_t EqualCounters(const WordCounters& a, const WordCounters& b) {
  int32_t equal = 0;
  for (size_t k = 0; k < kFingerprintCounters; ++k) {
    const int32_t difference = int32_t{a[k]} - int32_t{b[k]};
    if (difference == 0) {
      ++equal;
    } else if (difference > 2 || difference < -2) {
      return 0;
    }
  }
  return equal;
}

int AutomaticMark(const RecipeFingerprint& first, const RecipeFingerprint& second) {
  const auto date = [](const RecipeFingerprint& p) { return std::tie(p.savedYear, p.savedMonth, p.savedDay); };
  if (date(first) != date(second)) return date(second) > date(first) ? 1 : 0;
  if (first.photoLength != second.photoLength) return second.photoLength < first.photoLength ? 1 : 0;
  return second.recipeId > first.recipeId ? 1 : 0;
}

std::vector<int32_t> MarkedPositions(const std::vector<DuplicatePair>& pairs) {
  std::vector<int32_t> positions;
  for (const DuplicatePair& pair : pairs)
    for (const DuplicateHalf& half : pair.halves)
      if (half.marked) positions.push_back(half.position);
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  return positions;
}

int32_t CountMarked(const std::vector<DuplicatePair>& pairs) {
  return static_cast<int32_t>(MarkedPositions(pairs).size());
}

void SetMark(std::vector<DuplicatePair>& pairs, size_t pair, size_t half, bool marked) {
  const int32_t position = pairs[pair].halves[half].position;
  for (DuplicatePair& each : pairs)
    for (DuplicateHalf& h : each.halves)
      if (h.position == position) h.marked = marked;
}

void ClearMarks(std::vector<DuplicatePair>& pairs) {
  for (DuplicatePair& pair : pairs)
    for (DuplicateHalf& half : pair.halves) half.marked = false;
}

DuplicateSearch FindDuplicatePairsByWalk(const std::vector<RecipeFingerprint>& prints, int32_t threshold,
                                         Progress& progress) {
  SearchState search{prints, progress, {}};
  const int32_t n = static_cast<int32_t>(prints.size());
  for (int32_t i = 0; i < n; ++i) {
    if (!search.Step(i, n)) return search.Finish(true);
    for (int32_t j = i + 1; j < n; ++j) {
      if (IsDuplicatePair(prints[static_cast<size_t>(i)].counters, prints[static_cast<size_t>(j)].counters,
                          threshold))
        search.Add(i, j);
    }
  }
  return search.Finish(false);
}

DuplicateSearch FindDuplicatePairs(const std::vector<RecipeFingerprint>& prints, int32_t threshold,
                                   Progress& progress) {
  SearchState search{prints, progress, {}};
  const std::array<size_t, kCellCounters> chosen = CellCounters(prints);
  // Every recipe in its cell; the members of a cell in index order.
  std::unordered_map<uint64_t, std::vector<int32_t>> cells;
  std::vector<std::array<int32_t, kCellCounters>> cellOf(prints.size());
  for (size_t i = 0; i < prints.size(); ++i) {
    for (size_t d = 0; d < kCellCounters; ++d) cellOf[i][d] = prints[i].counters[chosen[d]] / kCellWidth;
    cells[CellKey(cellOf[i])].push_back(static_cast<int32_t>(i));
  }
  // The neighbouring cells whose first differing coordinate is one higher:
  // each pair of neighbouring cells is visited from one side only.
  std::vector<std::array<int32_t, kCellCounters>> offsets;
  std::array<int32_t, kCellCounters> offset;
  int32_t combinations = 1;
  for (size_t d = 0; d < kCellCounters; ++d) combinations *= 3;
  for (int32_t code = 0; code < combinations; ++code) {
    int32_t rest = code;
    for (size_t d = 0; d < kCellCounters; ++d) {
      offset[d] = rest % 3 - 1;
      rest /= 3;
    }
    const auto leading = std::find_if(offset.begin(), offset.end(), [](int32_t o) { return o != 0; });
    if (leading != offset.end() && *leading > 0) offsets.push_back(offset);
  }

  auto compare = [&](int32_t i, int32_t j) {
    if (IsDuplicatePair(prints[static_cast<size_t>(i)].counters, prints[static_cast<size_t>(j)].counters, threshold))
      search.Add(std::min(i, j), std::max(i, j));
  };
  const int64_t total = static_cast<int64_t>(cells.size());
  int64_t done = 0;
  for (const auto& [key, members] : cells) {
    if (!search.Step(done++, total)) return search.Finish(true);
    for (size_t a = 0; a < members.size(); ++a) {
      for (size_t b = a + 1; b < members.size(); ++b) compare(members[a], members[b]);
      if (!search.Step(done, total)) return search.Finish(true);
    }
    const std::array<int32_t, kCellCounters>& home = cellOf[static_cast<size_t>(members[0])];
    for (const std::array<int32_t, kCellCounters>& step : offsets) {
      std::array<int32_t, kCellCounters> neighbour;
      bool inside = true;
      for (size_t d = 0; d < kCellCounters; ++d) {
        neighbour[d] = home[d] + step[d];
        inside = inside && neighbour[d] >= 0;
      }
      if (!inside) continue;
      const auto found = cells.find(CellKey(neighbour));
      if (found == cells.end()) continue;
      for (int32_t i : members)
        for (int32_t j : found->second) compare(i, j);
    }
  }
  return search.Finish(false);
}

}  // namespace tovalia
