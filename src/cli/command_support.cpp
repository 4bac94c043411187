#include "cli/command_support.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "db/cp1252.h"
#include "db/record_format.h"

namespace tovalia {

std::optional<int32_t> ParseInteger(const std::string& text, long minimum, long maximum) {
  if (text.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < minimum || value > maximum) return std::nullopt;
  return static_cast<int32_t>(value);
}

ParsedCommand Refuse(std::string message) { return {nullptr, std::move(message)}; }

ParsedCommand ReadOnly(ParsedCommand command) {
  command.access = FolderAccess::kRead;
  return command;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

std::string MessageAsLine(const std::string& message) {
  std::string line;
  for (char c : message) {
    if (c != '|') {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  return line;
}

bool ReadRecordTextFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "Cannot read the file \"" + path + "\".";
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string converted = TextFileToCp1252(bytes.str());
  text.clear();
  for (size_t i = 0; i < converted.size(); ++i) {
    char c = converted[i];
    if (c == '\r' && i + 1 < converted.size() && converted[i + 1] == '\n') continue;
    text += (c == '\n') ? '\r' : c;
  }
  while (!text.empty() && text.back() == '\r') text.pop_back();
  if (text.size() > static_cast<size_t>(kTextBufferSize)) {
    error = "The file \"" + path + "\" holds more than " + std::to_string(kTextBufferSize) +
            " bytes of text, more than a recipe can keep.";
    return false;
  }
  return true;
}

int NoRecipe(CommandContext& c, int32_t recipeId) {
  c.err << "There is no recipe or text with the number " << recipeId << ".\n";
  return kExitFailed;
}

int Reported(CommandContext& c, const WriteReport& report) {
  if (report.Done()) return kExitOk;
  c.err << MessageAsLine(WriteReportMessage(report)) << '\n';
  return kExitFailed;
}

int NoChapter(CommandContext& c, int32_t number) {
  c.err << "There is no chapter with the number " << number << "; \"tovalia chapters\" lists them.\n";
  return kExitFailed;
}

int32_t RowOfChapter(const Database& db, int32_t number) {
  for (size_t row = kReservedChapterRows; row < db.chapterTable.size(); ++row)
    if (db.chapterTable[row].number == number) return static_cast<int32_t>(row);
  return -1;
}

}  // namespace tovalia
