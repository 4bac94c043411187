// Measures what survives an export: the recipes of a collection are
// exported in one format, the export is imported into a fresh collection,
// and the two are compared recipe by recipe on title, chapter, kind,
// servings, ingredient lines, directions (blanks and line breaks
// normalised) and, for the format that carries them, photo bytes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/database.h"
#include "interchange/export_run.h"

namespace tovalia::roundtrip {

// A recipe reduced to what the round trip compares.
struct Reading {
  std::string title;
  std::string chapter;
  int kind = 0;
  int servings = 0;
  std::vector<std::string> ingredientLines;  // cleaned of doubled blanks; empty lines left out
  std::string directions;                    // every run of blanks and line ends made one blank
  std::string photo;
};

// Every recipe and text record, in the order they were stored.
std::vector<Reading> ReadAll(Database& db);

// One field of one recipe that did not come back as it went out.
struct Difference {
  std::string title;  // as it went out
  std::string field;
  std::string before;
  std::string after;
};

struct Comparison {
  int32_t recipes = 0;   // went out
  int32_t returned = 0;  // came back (stored by the import)
  int32_t equal = 0;     // came back with every compared field equal
  int32_t lost = 0;      // went out and matched nothing that came back
  int32_t extra = 0;     // came back without a recipe they came from
  std::map<std::string, int32_t> fields;  // field -> recipes differing in it
  std::vector<Difference> differences;    // the first ones, for reading
  // What came back, exported again in the same format, gives the bytes of
  // the first export (measured by MeasureRoundTrip only).
  bool sameBytesAgain = false;
  std::string againDiffers;  // otherwise: where the two exports part, both sides
};

// Pairs the recipes in order (a recipe that split in two or vanished does
// not shift the pairs after it) and compares each pair.
Comparison Compare(const std::vector<Reading>& before, const std::vector<Reading>& after, bool photos,
                   size_t keepDifferences);

// Exports every recipe of the collection in the order it was stored, imports
// the export into a fresh collection by category, and compares.
Comparison MeasureRoundTrip(Database& collection, ExportFormat format, size_t keepDifferences);

}  // namespace tovalia::roundtrip
