#!/bin/sh
# Fuzzes every parser of outside input with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, built with clang in build-fuzz.
#   ./scripts/fuzz.sh                 every target for 60 seconds (two at a time)
#   ./scripts/fuzz.sh --seconds 600   every target for ten minutes
#   ./scripts/fuzz.sh --runs 2000     every target for 2000 inputs from its seeds (what CI runs)
# Further arguments go to ctest, for example -R fuzz_deck_list. An input that fails is kept as
# build-fuzz/fuzz/work/<target>/crash-*; timed runs keep the inputs they found in
# build-fuzz/fuzz/work/<target>/corpus and start from them next time.
set -e
cd "$(dirname "$0")/.."
seconds=60
runs=2000
case "$1" in
  --seconds) seconds="$2"; shift 2 ;;
  --runs) runs="$2"; seconds=0; shift 2 ;;
esac
./scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTARVANE_FUZZ=ON \
  -DTARVANE_FUZZ_RUNS="$runs" -DTARVANE_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build build-fuzz --target tarvane_fuzz_targets
ctest --test-dir build-fuzz -L fuzz -j2 --output-on-failure "$@"
