#!/usr/bin/env bash
# Builds the fuzzers natively with clang (build/fuzz) and runs each one for a bounded time from the
# committed seeds. Extra arguments go to ctest; CORVANE_FUZZ_SECONDS sets the time per fuzzer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S tests/fuzz -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCORVANE_FUZZ_SECONDS="${CORVANE_FUZZ_SECONDS:-15}" >/dev/null
cmake --build build/fuzz -j 2
echo "fuzz: each fuzzer runs ${CORVANE_FUZZ_SECONDS:-15} s"
ctest --test-dir build/fuzz --output-on-failure "$@"
