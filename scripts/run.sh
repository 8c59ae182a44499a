#!/bin/sh
# Installs what is missing, builds everything and starts the program from the ready folder.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
if [ -x build/bin/tarvane ]; then
  exec build/bin/tarvane
fi
echo "Built into build/bin:"; ls build/bin
