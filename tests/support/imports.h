// Importing a text into a test collection and reading back what was stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "interchange/import_command.h"
#include "support/collection.h"

namespace tovalia::testing {

struct StoredRecord {
  std::string title;
  int kind = 0;
  int servings = 0;
  std::string ingredients;
  std::string directions;
  int32_t photoLength = 0;
};

// A fresh collection with one chapter, "Imported", current.
void AddImportChapter(Collection& c);

// Writes the text to a file in the collection's folder and imports it.
ImportOutcome ImportText(Collection& c, const std::string& text, ImportWay way = ImportWay::kAutomatic,
                         bool byCategory = false);
ImportOutcome ImportFile(Collection& c, const std::string& path);

// Every stored record, in the order the import stored them.
std::vector<StoredRecord> StoredRecords(Collection& c);

// The corpus file's path, or empty when the corpus is not beside the repository.
std::string CorpusFile(const std::string& name);

// Tests that import texts into a collection with the chapter "Imported".
class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override { AddImportChapter(c); }
  // Imports the text; every record stored so far, in the order stored.
  std::vector<StoredRecord> Import(const std::string& text) {
    outcome = ImportText(c, text);
    return StoredRecords(c);
  }
  ImportOutcome outcome;
  Collection c;
};

}  // namespace tovalia::testing
