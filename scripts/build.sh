#!/usr/bin/env bash
# Sets up the machine, configures and builds Corvane.exe and the tests (build/mingw).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
if [ ! -f build/mingw/build.ninja ]; then
  echo "build: configuring build/mingw"
  cmake --preset mingw >/dev/null
fi
cmake --build --preset mingw "$@"
