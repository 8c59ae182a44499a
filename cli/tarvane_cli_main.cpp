// tarvane-cli: see cli/tarvane_cli.h and --help.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/tarvane_cli.h"

int main(int argc, char** argv) {
  // Past a file-size limit (ulimit -f) a write then fails and is reported, its temporary file
  // removed, instead of the signal ending the tool without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return Tarvane::RunTarvaneCli(arguments, std::cout, std::cerr);
}
