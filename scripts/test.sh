#!/usr/bin/env bash
# Sets up everything, builds, and runs the whole test suite under Wine (on an Xvfb of its own when
# there is no display).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/build.sh
exec scripts/wine-session ctest --preset mingw "$@"
