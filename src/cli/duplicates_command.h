// The command line's "duplicates": the pairs "Locate Duplicates" finds, and
// deleting the recipes it marks by itself.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParseDuplicates(const std::vector<std::string>& args);

}  // namespace tovalia
