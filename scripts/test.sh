#!/usr/bin/env bash
# Sets up everything, builds, and runs the whole test suite: the Windows tests under Wine (on an Xvfb
# of its own when there is no display), then the native fuzzers for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/build.sh
status=0
scripts/wine-session ctest --preset mingw "$@" || status=$?
bash scripts/fuzz.sh || status=$?
exit $status
