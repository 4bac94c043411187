// `tovalia grocery SUBCOMMAND ...`: the grocery catalogue and shopping list
// from the command line, over the same logic as the Grocery screen.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

// The names of the subcommands.
std::vector<std::string> GroceryCommandNames();

// args: the subcommand and its arguments.
ParsedCommand ParseGrocery(const std::vector<std::string>& args);

}  // namespace tovalia
