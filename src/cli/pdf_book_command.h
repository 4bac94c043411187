// The command line's "pdf-book": a cookbook of chosen recipes as a PDF file.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

ParsedCommand ParsePdfBook(const std::vector<std::string>& args);

}  // namespace tovalia
