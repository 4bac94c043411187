#include "ui/file_chooser_model.h"

#include <algorithm>

#include "db/cp1252.h"

namespace tovalia {

std::string ShownName(const std::string& systemName) {
  std::string name = Utf8ToCp1252(systemName);
  bool hasLetter = false;
  for (char c : name) hasLetter = hasLetter || UpperCaseByte(static_cast<uint8_t>(c)) != LowerCaseByte(static_cast<uint8_t>(c));
  if (!hasLetter || UpperCase(name) != name) return name;
  return name.substr(0, 1) + LowerCase(name.substr(1));
}

void SortEntries(std::vector<ChooserEntry>& entries) {
  auto byteLess = [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<uint8_t>(x) < static_cast<uint8_t>(y);
    });
  };
  const size_t n = entries.size();
  for (size_t gap = n / 2; gap > 0; gap /= 2) {
    for (size_t i = gap; i < n; ++i) {
      for (size_t j = i; j >= gap && byteLess(entries[j].text, entries[j - gap].text); j -= gap)
        std::swap(entries[j - gap], entries[j]);
    }
  }
}

void FillEntries(ChooserState& state, const std::vector<FolderEntry>& listing, bool readable,
                 const std::vector<Drive>& drives) {
  state.entries.clear();
  if (state.folder != "/") state.entries.push_back({std::string(1, '\0') + "..", "..", "", true});
  if (readable) {
    for (const FolderEntry& e : listing) {
      if (e.name.empty() || e.name[0] == '.') continue;
      char kind = static_cast<char>(e.isFolder ? EntryKind::kFolder : EntryKind::kFile);
      state.entries.push_back({std::string(1, kind) + e.name, ShownName(e.name), "", true});
    }
  }
  for (const Drive& d : drives) {
    std::string shown = "Drive " + Utf8ToCp1252(d.label) + " " + d.kind + (d.ready ? "" : " Not Ready");
    state.entries.push_back({std::string(1, static_cast<char>(EntryKind::kDrive)) + d.root, shown,
                             d.root, d.ready});
  }
  SortEntries(state.entries);
  state.current = 0;
  state.first = 0;
}

void LoadFolder(ChooserState& state) {
  std::vector<FolderEntry> listing;
  bool readable = ListFolder(state.folder, listing);
  FillEntries(state, listing, readable, ListDrives());
}

std::string ParentFolder(const std::string& folder) {
  if (folder.size() <= 1) return "/";
  size_t slash = folder.find_last_of('/', folder.size() - 2);
  return slash == std::string::npos ? "/" : folder.substr(0, slash + 1);
}

bool OpenCurrentEntry(ChooserState& state) {
  if (state.current < 0 || state.current >= static_cast<int>(state.entries.size())) return false;
  const ChooserEntry& entry = state.entries[static_cast<size_t>(state.current)];
  switch (entry.Kind()) {
    case EntryKind::kParent:
      state.folder = ParentFolder(state.folder);
      break;
    case EntryKind::kFolder:
      state.folder += entry.Name() + "/";
      break;
    case EntryKind::kDrive:
      if (!entry.ready) return false;
      state.folder = entry.root;
      break;
    case EntryKind::kFile:
      return false;
  }
  LoadFolder(state);
  return true;
}

TypedTarget ResolveTypedName(const std::string& folder, const std::string& typed, const std::string& home,
                             const std::function<bool(const std::string&)>& isFolder) {
  std::string path;
  if (!typed.empty() && typed[0] == '/') {
    path = typed;
  } else if (typed == "~" || typed.rfind("~/", 0) == 0) {
    path = home + "/" + typed.substr(1);
  } else {
    path = folder + typed;
  }
  // The steps of the path, with "." dropped and ".." taking one back.
  std::vector<std::string> steps;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string step = path.substr(start, end - start);
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    start = end + 1;
  }
  std::string joined = "/";
  for (const std::string& step : steps) joined += step + "/";
  if (steps.empty() || isFolder(joined)) return {joined, ""};
  const std::string name = steps.back();
  return {joined.substr(0, joined.size() - name.size() - 1), name};
}

}  // namespace tovalia
