#include "cli/spell_commands.h"

#include <algorithm>

#include "cli/command_line.h"
#include "cli/command_support.h"
#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_paths.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "platform/program_folder.h"
#include "spell/spell_dictionary.h"
#include "spell/spell_entry_form.h"
#include "spell/spell_pass.h"
#include "spell/spell_suggestions.h"
#include "spell/starter_dictionary.h"

namespace tovalia {

namespace {

std::string Text(const ByteBuffer& buffer, int32_t length) {
  if (length <= 0 || !buffer.Holds(0, length)) return {};
  return std::string(reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(length));
}

// "line:column" of a byte offset, both from 1.
std::string Place(const std::string& text, int32_t offset) {
  const size_t at = static_cast<size_t>(std::clamp<int32_t>(offset, 0, static_cast<int32_t>(text.size())));
  const size_t line = 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\r'));
  const size_t lineStart = at == 0 ? 0 : text.rfind('\r', at - 1);
  const size_t column = lineStart == std::string::npos || at == 0 ? at + 1 : at - lineStart;
  return std::to_string(line) + ":" + std::to_string(column);
}

// The data folder's dictionary. A change to a folder that has none starts
// from the shipped one, as the program's first start does; jobs that only
// read write nothing. False (with the message) when it is damaged and a
// change was asked for.
bool OpenDictionary(CommandContext& c, SpellDictionary& dictionary, bool forChange) {
  const std::string& path = c.db.paths.spellFile;
  if (forChange)
    InstallStarterDictionary(ResourceFolder(), path.substr(0, path.size() - std::string("Spell54.dat").size()));
  const DictionaryState state = LoadSpellDictionary(dictionary, path);
  // A folder the window has not started in yet has no dictionary of its own:
  // read the shipped one rather than call every word misspelled.
  if (state == DictionaryState::kEmpty && !forChange && !FileExists(path)) {
    SpellDictionary shipped;
    if (LoadSpellDictionary(shipped, ResourceFolder() + kStarterDictionaryName) == DictionaryState::kLoaded)
      dictionary = std::move(shipped);
    return true;
  }
  if (state != DictionaryState::kDamaged) return true;
  c.err << "tovalia: " << MessageAsLine(DamagedDictionaryMessage()) << '\n';
  return !forChange;
}

int SaveReported(CommandContext& c, SpellSaveResult result) {
  switch (result) {
    case SpellSaveResult::kSaved: return kExitOk;
    case SpellSaveResult::kTooLong: c.err << "tovalia: the word and its replacement are too long for the dictionary.\n"; break;
    case SpellSaveResult::kDamaged: c.err << "tovalia: " << MessageAsLine(DamagedDictionaryMessage()) << '\n'; break;
    case SpellSaveResult::kWriteFailed: c.err << "tovalia: the spell check dictionary could not be saved.\n"; break;
  }
  return kExitFailed;
}

int SpellRecord(CommandContext& c, int32_t recipeId) {
  Database& db = c.db;
  const int32_t entry = FindEntryByRecipeId(db, recipeId);
  if (entry < 0) return NoRecipe(c, recipeId);
  if (!LoadRecord(db, EntryPosition(db, entry))) {
    c.err << "The record of recipe " << recipeId << " cannot be read; \"tovalia compact\" repairs the recipe file.\n";
    return kExitFailed;
  }
  SpellDictionary dictionary;
  OpenDictionary(c, dictionary, false);
  const ByteBuffer& h = db.recordHeaderBuffer;
  const bool textRecord = GetU8(h, header::kRecordKind) == kKindTextRecord;
  const std::vector<std::string> names = {"title", textRecord ? "text" : "ingredients", "directions"};
  std::vector<std::string> original = {Text(db.titleBuffer, GetU8(h, header::kTitleLength)),
                                       Text(db.ingredientsBuffer, GetI32(h, header::kIngredientsLength)),
                                       textRecord ? "" : Text(db.directionsBuffer, GetI32(h, header::kDirectionsLength))};
  std::vector<std::string> texts = original;
  SpellPass pass(dictionary);
  for (size_t i = 0; i < (textRecord ? 2u : 3u); ++i) pass.AddText(texts[i], 1 << 20);
  size_t reported = 0;
  auto reportReplacements = [&] {
    for (; reported < pass.silentReplacements.size(); ++reported) {
      const SilentReplacement& r = pass.silentReplacements[reported];
      const size_t part = static_cast<size_t>(r.part);
      c.out << names[part] << '\t' << Place(original[part], r.originalOffset) << '\t' << Cp1252ToUtf8(r.word)
            << "\twatch for: " << Cp1252ToUtf8(r.replacement) << '\n';
    }
  };
  int misspelled = 0;
  while (NextMisspelledWord(pass)) {
    reportReplacements();
    const SpellText& t = pass.Current();
    const size_t part = static_cast<size_t>(pass.part);
    const std::string word = pass.CurrentWord();
    std::string line = names[part] + '\t' + Place(original[part], t.wordStart - t.grown) + '\t' + Cp1252ToUtf8(word);
    const std::vector<std::string> suggestions = SuggestSpellings(dictionary, word);
    for (size_t i = 0; i < suggestions.size(); ++i) line += (i == 0 ? "\t" : ", ") + Cp1252ToUtf8(suggestions[i]);
    c.out << line << '\n';
    ++misspelled;
  }
  reportReplacements();
  return kExitOk;
}

}  // namespace

ParsedCommand ParseSpell(const std::vector<std::string>& args) {
  if (args.size() != 1) return Refuse("\"spell\" takes one recipe number.");
  const auto recipeId = ParseInteger(args[0], 1, INT32_MAX);
  if (!recipeId) return Refuse("\"" + args[0] + "\" is not a recipe number.");
  const int32_t id = *recipeId;
  return ReadOnly({[id](CommandContext& c) { return SpellRecord(c, id); }, {}});
}

ParsedCommand ParseDictionary(const std::vector<std::string>& args) {
  const std::string usage = "\"dictionary\" takes add WORD [--replace-with TEXT], delete WORD, find WORD or list.";
  if (args.empty()) return Refuse(usage);
  const std::string& action = args[0];
  if (action == "list" && args.size() == 1) {
    return ReadOnly({[](CommandContext& c) {
                       SpellDictionary d;
                       OpenDictionary(c, d, false);
                       for (int32_t i = 0; i < d.Count(); ++i) {
                         c.out << Cp1252ToUtf8(d.Word(i));
                         if (!d.Replacement(i).empty()) c.out << '\t' << Cp1252ToUtf8(d.Replacement(i));
                         c.out << '\n';
                       }
                       return kExitOk;
                     },
                     {}});
  }
  if (args.size() < 2) return Refuse(usage);
  std::string word = Utf8ToCp1252(args[1]);
  if (action == "find" && args.size() == 2) {
    return ReadOnly({[word](CommandContext& c) {
                       SpellDictionary d;
                       OpenDictionary(c, d, false);
                       std::string found, replacement;
                       FindSpellWord(d, word, found, replacement);
                       if (d.current >= 0 && found == LowerCase(word)) {
                         c.out << Cp1252ToUtf8(found);
                         if (!replacement.empty()) c.out << '\t' << Cp1252ToUtf8(replacement);
                         c.out << '\n';
                         return kExitOk;
                       }
                       c.out << "not in the dictionary";
                       const std::vector<std::string> near = SuggestSpellings(d, word);
                       for (size_t i = 0; i < near.size(); ++i) c.out << (i == 0 ? "; nearest: " : ", ") << Cp1252ToUtf8(near[i]);
                       c.out << '\n';
                       return kExitFailed;
                     },
                     {}});
  }
  if (action == "delete" && args.size() == 2) {
    return {[word](CommandContext& c) {
              SpellDictionary d;
              if (!OpenDictionary(c, d, true)) return kExitFailed;
              std::string found, replacement;
              FindSpellWord(d, word, found, replacement);
              if (d.current < 0 || found != LowerCase(word)) {
                c.err << "tovalia: \"" << Cp1252ToUtf8(word) << "\" is not in the dictionary.\n";
                return kExitFailed;
              }
              return SaveReported(c, SaveSpellEntry(d, SpellSaveMode::kDeleteCurrent, found, ""));
            },
            {}};
  }
  if (action == "add" && (args.size() == 2 || (args.size() == 4 && args[2] == "--replace-with"))) {
    std::string replacement = args.size() == 4 ? Utf8ToCp1252(args[3]) : std::string();
    const std::string error = TidySpellEntry(word, replacement);
    if (!error.empty()) return Refuse(MessageAsLine(error.substr(2)));
    return {[word, replacement](CommandContext& c) {
              SpellDictionary d;
              if (!OpenDictionary(c, d, true)) return kExitFailed;
              return SaveReported(c, SaveSpellEntry(d, SpellSaveMode::kAdd, word, replacement));
            },
            {}};
  }
  return Refuse(usage);
}

std::vector<std::string> DictionaryCommandNames() { return {"add", "delete", "find", "list"}; }

}  // namespace tovalia
