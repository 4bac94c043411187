// The command line's "upgrade": the earlier installations found, and the
// copy of one of them.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParseUpgrade(const std::vector<std::string>& args);

}  // namespace tovalia
