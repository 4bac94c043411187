// `tovalia export`: recipes written in one of the export formats, byte for
// byte as the window writes them, to a file or to standard output.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParseExport(const std::vector<std::string>& args);

}  // namespace tovalia
