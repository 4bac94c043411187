// The command line's "edit" and "photo": changing a stored recipe or text
// record, stored as the editor's Save stores it (a replacing copy, the old
// one flagged deleted).
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParseEdit(const std::vector<std::string>& args);
ParsedCommand ParsePhoto(const std::vector<std::string>& args);

}  // namespace tovalia
