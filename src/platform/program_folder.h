// Where the running program lives, and where its data folder is.
#pragma once

#include <string>

namespace tovalia {

// The folder of the executable, ending with the separator.
std::string ProgramFolder();

// The data folder: the one given on the command line, else the environment
// variable TOVALIA_DATA, else tv_data/ beside the program. Ends with the
// separator.
std::string ResolveDataFolder(const std::string& fromCommandLine);

// Creates the folder (and its parents) when missing; false when it cannot.
bool MakeFolder(const std::string& path);

}  // namespace tovalia
