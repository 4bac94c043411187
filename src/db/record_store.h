// The three record operations every other part of the program stores and
// reads recipes through. The recipe file is append-only: a change appends a
// new copy and flags the old one as deleted.
#pragma once

#include <cstdint>
#include <string_view>

#include "db/data_file.h"
#include "db/database.h"

namespace tovalia {

// Stores the current record (header buffer, title, texts, photo) at the end
// of Recipe34.dat and appends its entry to the in-memory index; the caller
// sorts the index afterwards. Returns the record's position, or -1 when the
// lengths in the header buffer do not fit the buffers or the write failed
// (the file is then left as it was).
int32_t AppendRecord(Database& db);

// While it lives, AppendRecord stores through one handle kept open on
// Recipe34.dat rather than opening and closing the file for every record:
// for the many appends of an import. The handle holds the file as each
// append's own handle would; nothing else opens the file meanwhile.
class AppendSession {
 public:
  explicit AppendSession(Database& db);
  ~AppendSession();
  AppendSession(const AppendSession&) = delete;
  AppendSession& operator=(const AppendSession&) = delete;

 private:
  Database& db_;
  DataFile file_;
};

// Reads the record at the position into the current-record buffers. A
// position that holds no sound record leaves an empty record (all lengths 0)
// and returns false.
bool LoadRecord(Database& db, int64_t position);

// Flags the live record at the position as deleted and adds its size to
// wastedBytes. The caller has opened Recipe34.dat in mode "u". Anything that
// is not a live record at that position is left untouched.
bool MarkRecordDeleted(Database& db, DataFile& file, int64_t position);

// Clears the header buffer and empties the texts and photo for a new record.
void ClearCurrentRecord(Database& db);

// Copies a title and texts into the current-record buffers and sets their
// lengths (title cut to 255 bytes, texts to the buffers' 65000).
void SetCurrentTitle(Database& db, std::string_view title);
void SetCurrentIngredients(Database& db, std::string_view text);
void SetCurrentDirections(Database& db, std::string_view text);

}  // namespace tovalia
