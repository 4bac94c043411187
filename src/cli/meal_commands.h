// `tovalia meals ...`: the meal calendar from the command line.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace tovalia {

// The names of the subcommands.
std::vector<std::string> MealCommandNames();

// meals list|add|delete|print|export with their arguments.
ParsedCommand ParseMeals(const std::vector<std::string>& args);

}  // namespace tovalia
