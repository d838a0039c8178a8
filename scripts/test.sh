#!/usr/bin/env bash
# Sets up everything, builds, and runs the whole test suite: the Windows tests under Wine (on an Xvfb
# of its own when there is no display), the native fuzzers for a bounded time, and a check that two
# fresh clones package the same bytes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/build.sh
status=0
contracts=build/mingw/test-artifacts/runtime-contracts.log
figures=build/mingw/test-artifacts/figures.log
rm -f "$contracts" "$figures"
scripts/wine-session ctest --preset mingw "$@" || status=$?
# Every run of the complete program ends with the test runtime's verdict on it.
if [ -s "$contracts" ]; then
  echo "test: the WebView2 test runtime's verdict on each of $(wc -l <"$contracts") runs of Corvane.exe:"
  cat "$contracts"
fi
# What the tests measured (their own output shows only when they fail).
if [ -s "$figures" ]; then
  echo "test: figures measured by the tests:"
  sed 's/^/  /' "$figures"
fi
bash scripts/fuzz.sh || status=$?
bash scripts/reproducible.sh || status=$?
exit $status
