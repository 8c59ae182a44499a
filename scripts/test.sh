#!/bin/sh
# Installs what is missing, builds everything and runs every test (widget tests under Xvfb).
# TARVANE_BUILD_DIR (default build) and TARVANE_CMAKE_OPTIONS choose another build, for example
# the sanitizer build that CI runs as well:
#   TARVANE_BUILD_DIR=build-sanitize TARVANE_CMAKE_OPTIONS=-DTARVANE_SANITIZE=ON ./scripts/test.sh
set -e
cd "$(dirname "$0")/.."
build_dir="${TARVANE_BUILD_DIR:-build}"
./scripts/install-deps.sh
# shellcheck disable=SC2086 # the options are words on purpose
cmake -S . -B "$build_dir" -G Ninja ${TARVANE_CMAKE_OPTIONS:-}
cmake --build "$build_dir"
cd "$build_dir"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 "$@"
