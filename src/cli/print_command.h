// The print command: recipes on the cards of a layout, to a printer or a
// PDF file, with the layout's stored settings.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParsePrint(const std::vector<std::string>& args);

}  // namespace tovalia
