// tarvane-cli: see cli/tarvane_cli.h and --help.
#include <iostream>
#include <string>
#include <vector>

#include "cli/tarvane_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return Tarvane::RunTarvaneCli(arguments, std::cout, std::cerr);
}
