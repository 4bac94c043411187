// Runs the built program headless on a script over a private data folder,
// and the command line in process over the same folder.
#pragma once

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tovalia::testing {

class ProgramRun {
 public:
  struct Outcome {
    int status;
    std::string err;  // what the program wrote on standard error
  };

  // Extra program options such as "--screen 800x600" or "--today 2027-01-05".
  Outcome Run(const std::string& script, const std::string& options = "");
  // The command line's standard output.
  std::string Cli(std::vector<std::string> args);
  // Writes a file into the private temporary folder and returns its path.
  std::string File(const std::string& name, const std::string& text);

  const TempFolder& Data() const { return data_; }
  const TempFolder& Temp() const { return temp_; }

 private:
  TempFolder temp_;  // the script, standard error and the single-instance marker
  TempFolder data_;
};

}  // namespace tovalia::testing
