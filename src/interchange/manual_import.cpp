#include "interchange/manual_import.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "interchange/body_split.h"
#include "interchange/recipe_writer.h"
#include "interchange/source_text.h"
#include "interchange/xml_text.h"

namespace tovalia {

namespace {

constexpr int32_t kDefaultServings = 4;

// The marked lines of a range that lies inside the source.
std::vector<std::string> LinesOf(const std::vector<std::string>& lines, const LineRange& range) {
  std::vector<std::string> taken;
  const int32_t count = static_cast<int32_t>(lines.size());
  for (int32_t i = std::max(range.first, 0); i <= range.last && i < count; ++i)
    taken.push_back(lines[static_cast<size_t>(i)]);
  return taken;
}

}  // namespace

std::vector<std::string> ManualImportLines(std::string_view text) {
  std::vector<std::string> lines;
  SourceLines source(text);
  std::string line;
  while (lines.size() < kManualImportMostLines && source.Next(line)) {
    DecodeXmlText(line);
    line = ExpandTabs(line);
    for (char& c : line)
      if (static_cast<uint8_t>(c) < ' ') c = ' ';
    while (!line.empty() && line.back() == ' ') line.pop_back();
    while (line.size() > kManualImportLineWidth && lines.size() < kManualImportMostLines) {
      size_t cut = line.rfind(' ', kManualImportLineWidth);
      if (cut == std::string::npos || cut == 0) cut = kManualImportLineWidth;
      lines.push_back(line.substr(0, cut));
      line = TrimBlanks(std::string_view(line).substr(cut));
    }
    if (lines.size() < kManualImportMostLines) lines.push_back(line);
  }
  return lines;
}

bool ReadManualImportLines(const std::string& path, std::vector<std::string>& lines) {
  std::string text;
  if (!ReadSourceText(path, text)) return false;
  lines = ManualImportLines(text);
  return true;
}

LineRange& ManualSegments::Of(ManualSegment segment) {
  switch (segment) {
    case ManualSegment::kTitle: return title;
    case ManualSegment::kYield: return yield;
    case ManualSegment::kIngredients: return ingredients;
    case ManualSegment::kDirections: break;
  }
  return directions;
}

const LineRange& ManualSegments::Of(ManualSegment segment) const {
  return const_cast<ManualSegments&>(*this).Of(segment);
}

void Highlight(ManualSegments& segments, int32_t from, int32_t to) {
  segments.selection = {std::min(from, to), std::max(from, to)};
}

bool AssignSegment(ManualSegments& segments, ManualSegment segment) {
  if (!segments.selection.Defined()) return false;
  LineRange range = segments.selection;
  if (segment == ManualSegment::kTitle || segment == ManualSegment::kYield) range.last = range.first;
  segments.Of(segment) = range;
  segments.selection = {};
  return true;
}

std::string MissingSegmentMessage(const ManualSegments& segments) {
  if (!segments.title.Defined()) return "You have not defined a title segment";
  if (!segments.ingredients.Defined()) return "You have not defined an ingredients segment";
  if (!segments.directions.Defined()) return "You have not defined a directions segment";
  return {};
}

bool RecipeIsMarked(const ManualSegments& segments) { return MissingSegmentMessage(segments).empty(); }

bool SaveManualRecipe(Database& db, const std::vector<std::string>& lines, ManualSegments& segments,
                      const ImportOptions& options, const TitlePrompt& askForTitle, ImportResult& result) {
  if (!RecipeIsMarked(segments)) return false;
  ClearCurrentRecord(db);
  const std::vector<std::string> titleLine = LinesOf(lines, segments.title);
  const std::string title = CleanTitle(titleLine.empty() ? std::string() : titleLine[0], askForTitle);
  SetCurrentTitle(db, title);
  int32_t servings = kDefaultServings;
  if (segments.yield.Defined()) {
    const std::vector<std::string> yield = LinesOf(lines, segments.yield);
    const int32_t read = yield.empty() ? 0 : ReadServings(yield[0]);
    if (read > 0) servings = std::min(read, 255);
  }
  SetU8(db.recordHeaderBuffer, header::kServings, servings);

  bool whole = true;
  for (const std::string& line : LinesOf(lines, segments.ingredients)) {
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.empty()) {
      whole = EndIngredientGroup(db) && whole;
      continue;
    }
    const std::string rebuilt = BuildIngredientLine(ParseIngredientLine(trimmed));
    if (!rebuilt.empty()) whole = AppendIngredientsText(db, rebuilt + "\r") && whole;
  }
  for (const std::string& line : LinesOf(lines, segments.directions)) {
    const std::string cleaned = CleanLine(line);
    whole = (cleaned.empty() ? BreakDirectionsText(db, "\r\r") : AppendDirectionsText(db, cleaned)) && whole;
  }
  DropTrailingBreaks(db);
  SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindRecipe);

  if (StoreAndTally(db, "", options, title, whole, result) < 0) return false;
  segments = ManualSegments{};
  return true;
}

}  // namespace tovalia
