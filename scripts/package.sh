#!/bin/sh
# Builds everything (reusing the build of ./scripts/test.sh when there is one) and makes the
# Debian package build/tarvane_<version>_<arch>.deb, which installs with
#   sudo apt-get install ./build/tarvane_*.deb
set -e
cd "$(dirname "$0")/.."
build_dir="${TARVANE_BUILD_DIR:-build}"
./scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja
cmake --build "$build_dir"
cd "$build_dir"
rm -f tarvane_*.deb
cpack -G DEB
