#pragma once
// tarvane-cli: the analysis table without a window, driven from the command line.
#include <ostream>
#include <string>
#include <vector>

namespace Tarvane {

// Runs the tool with the arguments (without the program name); returns the exit status: 0 after
// the last action, 1 when the start-up or an error ended the program (the error log is written
// as the program's entry point writes it), 2 for a command line that cannot be run (checked
// before any action runs, menu labels included), 4 when every action ran but one of them showed
// an error box (a deck file not loaded, an export not written, a script error).
// `default_program` is the executable the tool acts as without --program.
int RunTarvaneCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                  const std::string& default_program);
// The same, acting by default as DefaultProgramPath(), which is only looked for when needed: a
// folder whose name the program cannot spell is an error of the run, and --help still works.
int RunTarvaneCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The executable the tool acts as by default: tarvane beside the running tarvane-cli.
std::string DefaultProgramPath();

}  // namespace Tarvane
