// "spell RECIPEID" (the misspelled words of a record, read only) and
// "dictionary" (add, delete, find and list dictionary words).
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParseSpell(const std::vector<std::string>& args);
ParsedCommand ParseDictionary(const std::vector<std::string>& args);
// The words ParseDictionary takes after "dictionary".
std::vector<std::string> DictionaryCommandNames();

}  // namespace tovalia
