#pragma once
// tarvane-cli: the analysis table without a window, driven from the command line.
#include <ostream>
#include <string>
#include <vector>

namespace Tarvane {

// Runs the tool with the arguments (without the program name); returns the exit status: 0 after
// the last action, 1 when the start-up or an error ended the program (the error log is written
// as the program's entry point writes it), 2 for a command line that cannot be run.
// `default_program` is the executable the tool acts as without --program.
int RunTarvaneCli(const std::vector<std::string>& arguments, std::ostream& out,
                  std::ostream& err, const std::string& default_program);

// The executable the tool acts as by default: tarvane beside the running tarvane-cli.
std::string DefaultProgramPath();

}  // namespace Tarvane
