// What the file chooser lists and how it moves between folders, apart from
// its drawing: the entries of the current folder (parent, the drives,
// sub-folders, files), their order, the names shown, and where a typed
// name leads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/folder_listing.h"

namespace tovalia {

// The kind code that leads each entry's text, so that sorting by text
// groups the entries: parent first, then the drives (a handful, so they
// stay in reach above a long folder), folders, files.
enum class EntryKind : char { kParent = 0, kDrive = 1, kFolder = 2, kFile = 3 };

struct ChooserEntry {
  std::string text;  // kind code, then the name as the system spells it
  std::string shown;  // CP1252, as drawn
  std::string root;  // drives: the folder they open
  bool ready = true;
  EntryKind Kind() const { return static_cast<EntryKind>(text[0]); }
  std::string Name() const { return text.substr(1); }
};

struct ChooserState {
  std::string folder;  // ends with the separator
  std::vector<ChooserEntry> entries;
  int current = 0;
  int first = 0;  // first visible entry
};

// A name that is entirely upper case is shown with only its first letter
// upper case ("README.TXT" reads "Readme.txt"); names go to CP1252.
std::string ShownName(const std::string& systemName);

// Shell sort by text, byte by byte; the gap starts at half the count and halves.
void SortEntries(std::vector<ChooserEntry>& entries);

// Lists the folder: ".." unless it is the root, the drives, its
// sub-folders and files (none when it cannot be read). Hidden entries
// (names starting with ".") are left out; they can still be typed.
void FillEntries(ChooserState& state, const std::vector<FolderEntry>& listing, bool readable,
                 const std::vector<Drive>& drives);
void LoadFolder(ChooserState& state);

// The folder above ("/home/cook/" gives "/home/"); the root stays.
std::string ParentFolder(const std::string& folder);

// Enter with no file name: opens the current parent, folder or ready drive
// and lists it. False when the current entry is a file or a drive that is
// not ready.
bool OpenCurrentEntry(ChooserState& state);

// Where a typed name leads (UTF-8): "/..." from the root, "~" or "~/..."
// from the home folder, anything else from the current folder; "." and
// ".." steps are followed. `folder` ends with the separator; `name` is
// empty when the typed name is an existing folder, which the chooser then
// opens.
struct TypedTarget {
  std::string folder;
  std::string name;
};
TypedTarget ResolveTypedName(const std::string& folder, const std::string& typed, const std::string& home,
                             const std::function<bool(const std::string&)>& isFolder);

}  // namespace tovalia
