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
// Recipes are placed in cells by 2 to 6 counters: more counters make
// smaller cells but more neighbours (3^n) to look up.
constexpr size_t kFewestCellCounters = 2;
constexpr size_t kMostCellCounters = 6;
constexpr int32_t kCellBits = 7;  // 255 / 3 = 85 cells a counter
// A neighbour looked up costs about as much as this many comparisons.
constexpr double kLookupCost = 30;

using Cell = std::array<int32_t, kMostCellCounters>;

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

// The counters in the order of how widely they spread the recipes.
std::array<size_t, kFingerprintCounters> CountersBySpread(const std::vector<RecipeFingerprint>& prints) {
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
  return order;
}

Cell CellOf(const RecipeFingerprint& print, const std::array<size_t, kFingerprintCounters>& order, size_t used) {
  Cell cell{};
  for (size_t d = 0; d < used; ++d) cell[d] = print.counters[order[d]] / kCellWidth;
  return cell;
}

uint64_t CellKey(const Cell& cell) {
  uint64_t key = 0;
  for (int32_t c : cell) key = (key << kCellBits) | static_cast<uint64_t>(c);
  return key;
}

int32_t PowerOf3(size_t n) {
  int32_t power = 1;
  for (size_t i = 0; i < n; ++i) power *= 3;
  return power;
}

// How many counters place the recipes in cells at the least cost: the
// comparisons inside and between neighbouring cells (taken as alike in
// size), and the neighbours looked up.
size_t CellCountersToUse(const std::vector<RecipeFingerprint>& prints,
                         const std::array<size_t, kFingerprintCounters>& order) {
  size_t best = kFewestCellCounters;
  double bestCost = -1;
  std::vector<uint64_t> keys(prints.size());
  for (size_t used = kFewestCellCounters; used <= kMostCellCounters; ++used) {
    for (size_t i = 0; i < prints.size(); ++i) keys[i] = CellKey(CellOf(prints[i], order, used));
    std::sort(keys.begin(), keys.end());
    double squares = 0, cells = 0;
    for (size_t i = 0; i < keys.size();) {
      size_t j = i + 1;
      while (j < keys.size() && keys[j] == keys[i]) ++j;
      squares += static_cast<double>(j - i) * static_cast<double>(j - i);
      cells += 1;
      i = j;
    }
    const double neighbours = PowerOf3(used);
    const double cost = squares * neighbours / 2 + cells * neighbours * kLookupCost;
    if (bestCost < 0 || cost < bestCost) {
      best = used;
      bestCost = cost;
    }
  }
  return best;
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
  const std::array<size_t, kFingerprintCounters> order = CountersBySpread(prints);
  const size_t used = CellCountersToUse(prints, order);
  // Every recipe in its cell; the members of a cell in index order.
  std::unordered_map<uint64_t, std::vector<int32_t>> cells;
  for (size_t i = 0; i < prints.size(); ++i) cells[CellKey(CellOf(prints[i], order, used))].push_back(static_cast<int32_t>(i));
  // The neighbouring cells whose first differing coordinate is one higher:
  // each pair of neighbouring cells is visited from one side only.
  std::vector<Cell> offsets;
  for (int32_t code = 0; code < PowerOf3(used); ++code) {
    Cell offset{};
    int32_t rest = code;
    for (size_t d = 0; d < used; ++d, rest /= 3) offset[d] = rest % 3 - 1;
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
    const Cell home = CellOf(prints[static_cast<size_t>(members[0])], order, used);
    for (const Cell& step : offsets) {
      Cell neighbour{};
      bool inside = true;
      for (size_t d = 0; d < used; ++d) {
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
