#!/bin/sh
# Installs what is missing, builds everything and starts the program from the ready folder with
# the sample decks opened, so the table is there at once.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
if [ -x build/bin/tarvane ]; then
  exec build/bin/tarvane build/bin/decks
fi
echo "Built into build/bin:"; ls build/bin
