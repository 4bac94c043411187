#include "roundtrip/round_trip.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/export_recipe.h"
#include "interchange/import_lines.h"
#include "roundtrip/scratch_collection.h"

namespace tovalia::roundtrip {

namespace {

constexpr size_t kLookAhead = 8;

std::string OneBlankBetweenWords(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
      blank = !out.empty();
    } else {
      if (blank) out += ' ';
      blank = false;
      out += c;
    }
  }
  return out;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : " | ") + line;
  return text;
}

// The fields in which two readings differ.
std::vector<Difference> Differences(const Reading& a, const Reading& b, bool photos) {
  std::vector<Difference> found;
  auto note = [&](const char* field, const std::string& before, const std::string& after) {
    found.push_back({a.title, field, before, after});
  };
  if (a.title != b.title) note("title", a.title, b.title);
  if (a.chapter != b.chapter) note("chapter", a.chapter, b.chapter);
  if (a.kind != b.kind) note("kind", std::to_string(a.kind), std::to_string(b.kind));
  // A text record has no servings to show; its formats write none.
  if (a.kind == kKindRecipe && a.servings != b.servings)
    note("servings", std::to_string(a.servings), std::to_string(b.servings));
  if (a.ingredientLines.size() != b.ingredientLines.size()) {
    note("ingredient line count", std::to_string(a.ingredientLines.size()),
         std::to_string(b.ingredientLines.size()));
  }
  for (size_t i = 0; i < std::min(a.ingredientLines.size(), b.ingredientLines.size()); ++i) {
    if (a.ingredientLines[i] == b.ingredientLines[i]) continue;
    note("ingredient line", a.ingredientLines[i], b.ingredientLines[i]);
    break;
  }
  if (a.ingredientLines.size() != b.ingredientLines.size() && found.back().field != "ingredient line")
    note("ingredient line", Joined(a.ingredientLines), Joined(b.ingredientLines));
  if (a.directions != b.directions) note("directions", a.directions, b.directions);
  if (photos && a.photo != b.photo)
    note("photo", std::to_string(a.photo.size()) + " bytes", std::to_string(b.photo.size()) + " bytes");
  return found;
}

}  // namespace

std::vector<Reading> ReadAll(Database& db) {
  std::vector<Reading> all;
  for (int32_t entry : EntriesInStoredOrder(db)) {
    Reading r;
    r.title = EntryTitle(db, entry);
    r.chapter = ChapterName(db, EntryChapter(db, entry));
    r.kind = EntryKind(db, entry);
    if (LoadRecord(db, EntryPosition(db, entry))) {
      const ByteBuffer& h = db.recordHeaderBuffer;
      r.servings = GetU8(h, header::kServings);
      for (const std::string& line : TextLines(GetBytes(db.ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength)))) {
        std::string clean = CleanLine(line);
        if (!clean.empty()) r.ingredientLines.push_back(std::move(clean));
      }
      r.directions = OneBlankBetweenWords(GetBytes(db.directionsBuffer, 0, GetI32(h, header::kDirectionsLength)));
      r.photo = GetBytes(db.photoBuffer, 0, GetI32(h, header::kPhotoLength));
    }
    all.push_back(std::move(r));
  }
  return all;
}

Comparison Compare(const std::vector<Reading>& before, const std::vector<Reading>& after, bool photos,
                   size_t keepDifferences) {
  Comparison c;
  c.recipes = static_cast<int32_t>(before.size());
  c.returned = static_cast<int32_t>(after.size());
  size_t i = 0, j = 0;
  auto titled = [](const std::vector<Reading>& list, size_t from, const std::string& title) {
    for (size_t k = from; k < list.size() && k < from + kLookAhead; ++k)
      if (list[k].title == title) return k;
    return list.size();
  };
  while (i < before.size() && j < after.size()) {
    if (before[i].title != after[j].title) {
      // A recipe that came back as two, or as none, leaves the pairs after
      // it in step: skip to the next matching title when one is near.
      const size_t ahead = titled(after, j + 1, before[i].title);
      const size_t behind = titled(before, i + 1, after[j].title);
      if (ahead < after.size() && (behind == before.size() || ahead - j <= behind - i)) {
        c.extra += static_cast<int32_t>(ahead - j);
        for (; j < ahead; ++j)
          if (c.differences.size() < keepDifferences)
            c.differences.push_back({before[i].title, "came back in addition", "", after[j].title});
        continue;
      }
      if (behind < before.size()) {
        c.lost += static_cast<int32_t>(behind - i);
        for (; i < behind; ++i)
          if (c.differences.size() < keepDifferences)
            c.differences.push_back({before[i].title, "lost", before[i].title, ""});
        continue;
      }
    }
    const std::vector<Difference> found = Differences(before[i], after[j], photos);
    if (found.empty()) ++c.equal;
    for (const Difference& d : found) {
      if (d.field == "ingredient line" && before[i].ingredientLines.size() != after[j].ingredientLines.size())
        continue;  // counted with the line count
      ++c.fields[d.field];
    }
    for (const Difference& d : found)
      if (c.differences.size() < keepDifferences) c.differences.push_back(d);
    ++i;
    ++j;
  }
  c.lost += static_cast<int32_t>(before.size() - i);
  c.extra += static_cast<int32_t>(after.size() - j);
  return c;
}

Comparison MeasureRoundTrip(Database& collection, ExportFormat format, size_t keepDifferences) {
  const std::vector<Reading> before = ReadAll(collection);
  ScratchCollection returned;
  const std::string exportPath = returned.Folder() + "export.txt";
  TextSink exported;
  ExportRecipes(collection, EntriesInStoredOrder(collection), format, exported);
  {
    FileSink file(exportPath);
    file.Write(exported.text);
    file.Commit();
  }
  returned.Import(exportPath);
  Comparison c = Compare(before, ReadAll(returned.db()), format == ExportFormat::kTovaliaWithPhotos, keepDifferences);
  TextSink again;
  ExportRecipes(returned.db(), EntriesInStoredOrder(returned.db()), format, again);
  c.sameBytesAgain = again.text == exported.text;
  if (!c.sameBytesAgain) {
    const auto [first, second] = std::mismatch(exported.text.begin(), exported.text.end(), again.text.begin(), again.text.end());
    const size_t at = static_cast<size_t>(first - exported.text.begin());
    const size_t from = at < 80 ? 0 : at - 80;
    c.againDiffers = "at byte " + std::to_string(at) + ":\n" + exported.text.substr(from, 160) + "\n--- again:\n" +
                     again.text.substr(from, 160);
    (void)second;
  }
  return c;
}

}  // namespace tovalia::roundtrip
