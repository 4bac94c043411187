#include "db/title_sort.h"

#include <algorithm>
#include <string_view>
#include <thread>

#include "db/cp1252.h"
#include "db/record_format.h"

namespace tovalia {

namespace {

// Below this many entries out of order one thread sorts them all.
constexpr size_t kTwoThreadsFrom = 50000;

struct Item {
  uint64_t key = 0;     // eight upper-cased title bytes from the depth sorted at, big-endian, zero-padded
  int32_t offset = 0;   // the entry's offset: its place in index order
  uint8_t rest = 0;     // title bytes from that depth on: 0-8, or 9 for more than eight
  uint8_t early = 0;    // 1 when no greater title came before it in index order
};

class Titles {
 public:
  explicit Titles(const uint8_t* index) : index_(index), upper_(UpperCaseTable()) {}

  std::string_view Title(int32_t offset) const {
    return {reinterpret_cast<const char*>(index_) + offset + entry::kTitle, index_[offset + entry::kTitleLength]};
  }

  // Sets the item's key and rest for the title bytes from `depth` on.
  void Load(Item& item, size_t depth) const {
    const uint8_t* title = index_ + item.offset + entry::kTitle;
    const size_t length = index_[item.offset + entry::kTitleLength];
    const size_t left = length > depth ? length - depth : 0;
    const size_t take = std::min<size_t>(left, 8);
    uint64_t key = 0;
    for (size_t k = 0; k < take; ++k) key |= uint64_t{upper_[title[depth + k]]} << (56 - 8 * k);
    item.key = key;
    item.rest = static_cast<uint8_t>(left > 8 ? 9 : left);
  }

  // Title order of two items whose keys were both loaded from depth 0.
  int Compare(const Item& a, const Item& b) const {
    if (a.key != b.key) return a.key < b.key ? -1 : 1;
    // Equal first bytes: the shorter title is a prefix of the longer.
    if (a.rest != b.rest) return a.rest < b.rest ? -1 : 1;
    if (a.rest < 9) return 0;
    return CompareUpperCased(Title(a.offset), Title(b.offset));
  }

 private:
  const uint8_t* index_;
  const uint8_t* upper_;
};

// Orders by the key at the current depth; the shorter rest first, as a
// prefix; equal titles in index order.
bool LevelLess(const Item& a, const Item& b) {
  if (a.key != b.key) return a.key < b.key;
  if (a.rest != b.rest) return a.rest < b.rest;
  return a.offset < b.offset;
}

// Sorts items whose keys are loaded from `depth`: eight bytes at a time,
// going deeper only within groups that agree so far.
void SortFrom(const Titles& titles, Item* first, Item* last, size_t depth) {
  std::sort(first, last, LevelLess);
  for (Item* group = first; group < last;) {
    Item* end = group + 1;
    while (end < last && end->key == group->key && end->rest == group->rest) ++end;
    if (group->rest == 9 && end - group > 1) {
      for (Item* item = group; item < end; ++item) titles.Load(*item, depth + 8);
      SortFrom(titles, group, end, depth + 8);
    }
    group = end;
  }
}

// The whole sort, split by the leading key between two threads when the
// items are many: every group of equal keys stays on one side.
void SortAll(const Titles& titles, LargeVector<Item>& items) {
  Item* first = items.data();
  Item* last = first + items.size();
  if (items.size() < kTwoThreadsFrom || std::thread::hardware_concurrency() < 2) {
    SortFrom(titles, first, last, 0);
    return;
  }
  std::vector<uint64_t> sample;
  const size_t step = items.size() / 1024;
  for (size_t i = 0; i < items.size(); i += step) sample.push_back(items[i].key);
  std::nth_element(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(sample.size() / 2), sample.end());
  const uint64_t middle = sample[sample.size() / 2];
  Item* split = std::partition(first, last, [middle](const Item& item) { return item.key < middle; });
  std::thread helper([&titles, first, split] { SortFrom(titles, first, split, 0); });
  SortFrom(titles, split, last, 0);
  helper.join();
}

// Entries not yet in order (the items), after a sorted prefix of `offsets`
// that holds most of them: each is put in after the prefix's equal or
// smaller titles. The result goes to `merged` and `mergedEarly`.
void MergeTail(const Titles& titles, const LargeVector<int32_t>& offsets, size_t prefix, LargeVector<Item> tail,
               LargeVector<int32_t>& merged, LargeVector<uint8_t>& mergedEarly) {
  SortFrom(titles, tail.data(), tail.data() + tail.size(), 0);
  merged.clear();
  mergedEarly.clear();
  merged.reserve(offsets.size());
  mergedEarly.reserve(offsets.size());
  size_t taken = 0;
  auto takeUpTo = [&](size_t upTo) {
    merged.insert(merged.end(), offsets.begin() + static_cast<std::ptrdiff_t>(taken),
                  offsets.begin() + static_cast<std::ptrdiff_t>(upTo));
    mergedEarly.resize(merged.size(), 1);  // a sorted prefix is early throughout
    taken = upTo;
  };
  for (const Item& item : tail) {
    const std::string_view title = titles.Title(item.offset);
    const auto at = std::upper_bound(offsets.begin() + static_cast<std::ptrdiff_t>(taken),
                                     offsets.begin() + static_cast<std::ptrdiff_t>(prefix), title,
                                     [&titles](std::string_view t, int32_t o) { return CompareUpperCased(t, titles.Title(o)) < 0; });
    takeUpTo(static_cast<size_t>(at - offsets.begin()));
    merged.push_back(item.offset);
    mergedEarly.push_back(item.early);
  }
  takeUpTo(prefix);
}

// In a group of equal titles (in index order, those that came before any
// greater title first) that holds a later one, the last of the early ones,
// or the first of all when none is early, moves to the group's end.
void PlaceEqualTitles(const Titles& titles, LargeVector<int32_t>& sorted, const LargeVector<uint8_t>& early) {
  const size_t n = sorted.size();
  auto same = [&](size_t a, size_t b) {
    const std::string_view x = titles.Title(sorted[a]);
    const std::string_view y = titles.Title(sorted[b]);
    return x.size() == y.size() && CompareUpperCased(x, y) == 0;
  };
  for (size_t i = 0; i < n;) {
    i = static_cast<size_t>(std::find(early.begin() + static_cast<std::ptrdiff_t>(i), early.end(), 0) - early.begin());
    if (i >= n) break;
    size_t start = i;
    while (start > 0 && same(start - 1, i)) --start;
    size_t end = i + 1;
    while (end < n && same(end, i)) ++end;
    size_t earlyCount = 0;
    while (start + earlyCount < end && early[start + earlyCount]) ++earlyCount;
    const auto last = static_cast<std::ptrdiff_t>(start + (earlyCount > 0 ? earlyCount - 1 : 0));
    std::rotate(sorted.begin() + last, sorted.begin() + last + 1, sorted.begin() + static_cast<std::ptrdiff_t>(end));
    i = end;
  }
}

}  // namespace

bool SortEntryOffsets(const uint8_t* index, LargeVector<int32_t>& offsets, size_t knownSorted,
                      TitleSortSpace& space) {
  const Titles titles(index);
  const size_t n = offsets.size();
  knownSorted = std::min(knownSorted, n);
  // An entry not below the greatest title before it goes to the end (it is
  // early). In the part known to be sorted each entry is the greatest so far.
  LargeVector<uint8_t>& early = space.early;
  early.assign(n, 1);
  size_t prefix = n;
  Item greatest;
  if (knownSorted > 0) {
    greatest.offset = offsets[knownSorted - 1];
    titles.Load(greatest, 0);
  }
  for (size_t i = knownSorted; i < n; ++i) {
    Item item;
    item.offset = offsets[i];
    titles.Load(item, 0);
    if (i == 0 || titles.Compare(greatest, item) <= 0) {
      greatest = item;
    } else {
      early[i] = 0;
      if (prefix == n) prefix = i;
    }
  }
  if (prefix == n) return true;

  auto itemsFrom = [&](size_t first) {
    LargeVector<Item> items(n - first);
    for (size_t i = first; i < n; ++i) {
      items[i - first].offset = offsets[i];
      items[i - first].early = early[i];
      titles.Load(items[i - first], 0);
    }
    return items;
  };
  const bool fewMoved = (n - prefix) * 16 <= n;
  if (fewMoved) {
    MergeTail(titles, offsets, prefix, itemsFrom(prefix), space.merged, space.mergedEarly);
    offsets.swap(space.merged);
    early.swap(space.mergedEarly);
  } else {
    LargeVector<Item> items = itemsFrom(0);
    SortAll(titles, items);
    for (size_t i = 0; i < n; ++i) {
      offsets[i] = items[i].offset;
      early[i] = items[i].early;
    }
  }
  PlaceEqualTitles(titles, offsets, early);
  return fewMoved;
}

}  // namespace tovalia
