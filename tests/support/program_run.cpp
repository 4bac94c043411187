#include "support/program_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "cli/command_line.h"

namespace tovalia::testing {

ProgramRun::Outcome ProgramRun::Run(const std::string& script, const std::string& options) {
  const std::string scriptPath = File("script.txt", script);
  // No print server answers, so the printers are the same on every machine.
  const std::string command = "TMPDIR=" + temp_.Path() + " CUPS_SERVER=/nonexistent/cups.sock " + TOVALIA_EXECUTABLE + " --headless --script " +
                              scriptPath + " --data " + data_.Path() + " " + options + " 2>" +
                              temp_.File("err.txt");
  const int status = std::system(command.c_str());
  const std::vector<uint8_t> err = ReadBytes(temp_.File("err.txt"));
  return {WEXITSTATUS(status), std::string(err.begin(), err.end())};
}

std::string ProgramRun::Cli(std::vector<std::string> args) {
  args.insert(args.begin(), {"--data", data_.Path()});
  std::ostringstream out, err;
  RunCommandLine(args, out, err);
  return out.str();
}

std::string ProgramRun::File(const std::string& name, const std::string& text) {
  WriteBytes(temp_.File(name), std::vector<uint8_t>(text.begin(), text.end()));
  return temp_.File(name);
}

}  // namespace tovalia::testing
