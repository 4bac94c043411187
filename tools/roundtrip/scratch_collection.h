// A collection in a temporary folder of its own, filled by the import or by
// copying another collection's records, and removed afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/database.h"

namespace tovalia::roundtrip {

class ScratchCollection {
 public:
  ScratchCollection();
  ~ScratchCollection();
  ScratchCollection(const ScratchCollection&) = delete;
  ScratchCollection& operator=(const ScratchCollection&) = delete;

  Database& db() { return *db_; }
  const std::string& Folder() const { return folder_; }

  // Imports a file as the import command does with "sort by category" on;
  // returns the number of records stored.
  int32_t Import(const std::string& path);

  // Copies every chapter and record of the other collection, keeping their
  // numbers, and gives every `photoEvery`-th record (0: none) a photo of
  // its own: a small bitmap whose size and colours follow its number.
  void CopyFrom(Database& other, int photoEvery);

 private:
  std::string folder_;
  std::unique_ptr<Database> db_;
};

// The index entries of every recipe and text record, in the order they
// were stored (by RecipeId).
std::vector<int32_t> EntriesInStoredOrder(Database& db);

}  // namespace tovalia::roundtrip
